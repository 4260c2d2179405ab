// The profile window opening one file, as bench/landxml_open.sh measures
// it: the window shown, the file opened through the window's own path,
// one frame painted, and out. Prints the seconds the opening took and the
// points read; the script reads the peak memory of the whole run.
// Usage: profile_open_bench FILE

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_look.h"
#include "ui/profile/profile_window.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: profile_open_bench FILE\n");
    return 2;
  }
  vcurve::profileui::applyProfileLook(app);
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  vcurve::profileui::QtProfileDialogs dialogs;  // an error would show: none is expected
  vcurve::profileui::ProfileWindow window({&dialogs, &settings});
  window.resize(1280, 800);
  window.show();
  QApplication::processEvents();

  QElapsedTimer clock;
  clock.start();
  const bool opened = window.openPath(QString::fromLocal8Bit(argv[1]));
  window.repaint();
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  if (!opened) {
    std::fprintf(stderr, "profile_open_bench: %s was not opened\n", argv[1]);
    return 1;
  }
  std::printf("%.3f %zu\n", seconds, window.document().points().size());
  return 0;
}
