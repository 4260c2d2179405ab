// The window with a megabyte pasted into a field: how much of a core the idle
// window uses, and how long a keystroke takes to be typed and painted. The
// same measurements with a field of ordinary length are the baseline of the
// same run. Run it on a real display (bench/big_field.sh gives it Xvfb).
// Usage: big_field [characters]

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "ui/app_look.h"
#include "ui/form1.h"

namespace {

class NoPrograms : public vcurve::ProgramStarter {
 public:
  bool StartProgram(std::string_view) override { return false; }
};

struct Figures {
  double idlePercent;  // of one core, over kIdleSeconds
  double keystrokeMs;  // median of the keystrokes
  double slowestMs;
  // Median of the processor time the program itself spent on a keystroke,
  // which load elsewhere on the machine leaves as it is.
  double keystrokeCpuMs;
  double pasteMs;
};

constexpr int kIdleSeconds = 5;
constexpr int kKeystrokes = 9;

double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

struct Keystroke {
  double wallMs, cpuMs;
};

// Typed, then painted: what the user waits for.
Keystroke keystroke(QLineEdit* field) {
  QElapsedTimer timer;
  const double cpuBefore = cpuSeconds();
  timer.start();
  QTest::keyClick(field, Qt::Key_5);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  return {static_cast<double>(timer.nsecsElapsed()) / 1e6, (cpuSeconds() - cpuBefore) * 1e3};
}

Figures measure(vcurve::Form1& form, const std::vector<QLineEdit*>& filled, qsizetype characters) {
  const QString text =
      QString(QStringLiteral("1234567890")).repeated(characters / 10 + 1).left(characters);
  Figures figures{};
  QElapsedTimer timer;
  for (QLineEdit* field : filled) {
    field->clear();
    field->setFocus(Qt::MouseFocusReason);
    QGuiApplication::clipboard()->setText(text);
    timer.start();
    field->paste();
    QCoreApplication::processEvents();
    figures.pasteMs = std::max(figures.pasteMs, static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  QLineEdit* focused = filled.front();
  focused->setFocus(Qt::MouseFocusReason);
  focused->end(false);
  QTest::qWait(1000);  // settle into the idle blinking

  const double cpuBefore = cpuSeconds();
  timer.start();
  QTest::qWait(kIdleSeconds * 1000);
  figures.idlePercent =
      100.0 * (cpuSeconds() - cpuBefore) / (static_cast<double>(timer.elapsed()) / 1000.0);

  std::vector<double> wall, cpu;
  for (int i = 0; i < kKeystrokes; ++i) {
    const Keystroke k = keystroke(focused);
    wall.push_back(k.wallMs);
    cpu.push_back(k.cpuMs);
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  figures.keystrokeMs = wall[wall.size() / 2];
  figures.slowestMs = wall.back();
  figures.keystrokeCpuMs = cpu[cpu.size() / 2];
  form.activateWindow();
  return figures;
}

double peakMiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kib = 0;
      status >> kib;
      return kib / 1024.0;
    }
  }
  return 0;
}

void print(const char* what, const Figures& f) {
  std::printf(
      "big_field: %-34s idle %5.1f %% of a core, keystroke %7.1f ms (slowest %7.1f, processor "
      "%7.1f), paste %7.1f ms\n",
      what, f.idlePercent, f.keystrokeMs, f.slowestMs, f.keystrokeCpuMs, f.pasteMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  vcurve::ApplyApplicationLook(app);
  const qsizetype characters = argc > 1 ? std::atol(argv[1]) : 1'000'000;

  NoPrograms noPrograms;
  vcurve::Form1::Services services;
  services.presentMessage = [](std::string_view, vcurve::MessageStyle, std::string_view) {};
  services.programStarter = &noPrograms;
  vcurve::Form1 form(services);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "big_field: the window was not shown\n");
    return 1;
  }
  auto field = [&form](const char* name) {
    return form.centralWidget()->findChild<QLineEdit*>(QString::fromLatin1(name));
  };

  const Figures baseline = measure(form, {field("Text1")}, 10);
  print("10 characters in Text1 (baseline)", baseline);
  const Figures big = measure(form, {field("Text1")}, characters);
  print(qPrintable(QStringLiteral("%1 characters in Text1").arg(characters)), big);
  const Figures several =
      measure(form, {field("Text1"), field("Text2"), field("Text3"), field("Text4")}, characters);
  print("the same in Text1 to Text4", several);
  std::printf("big_field: peak memory %.0f MiB\n", peakMiB());
  // Wall times stretch with whatever else the machine runs meanwhile.
  std::ifstream load("/proc/loadavg");
  double oneMinute = 0;
  if (load >> oneMinute)
    std::printf("big_field: load average over the last minute %.1f\n", oneMinute);

  const bool met = big.idlePercent < 5.0 && big.slowestMs < 200.0;
  std::printf("big_field: against the baseline: idle %+.1f points, keystroke %.1fx\n",
              big.idlePercent - baseline.idlePercent, big.keystrokeMs / baseline.keystrokeMs);
  std::printf("big_field: goal (idle < 5 %%, every keystroke < 200 ms): %s\n",
              met ? "met" : "MISSED");
  return 0;
}
