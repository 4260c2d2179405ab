#pragma once

// The profile window for tests: dialogs answered from a script instead of
// shown, settings in a file of the test's own, and a watchdog that fails
// the test and closes any modal window nobody expected.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <memory>
#include <optional>

#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_look.h"
#include "ui/profile/profile_window.h"

namespace vcurve::profileui::testing {

class ScriptedDialogs : public ProfileDialogs {
 public:
  std::deque<SaveChoice> saveChoices;
  std::deque<QString> paths;  // for open and save dialogs alike
  std::optional<int> chosenItem = 0;
  QStringList asked;  // what was asked, in order: "save?", "open", "save as", "error: ..."

  SaveChoice askToSave(QWidget*, const QString&) override {
    asked << QStringLiteral("save?");
    return next(saveChoices, SaveChoice::Cancel);
  }
  QString openPath(QWidget*, const QString&, const QString&) override {
    asked << QStringLiteral("open");
    return next(paths, QString());
  }
  QString savePath(QWidget*, const QString&, const QString&, const QString&) override {
    asked << QStringLiteral("save as");
    return next(paths, QString());
  }
  std::optional<int> chooseItem(QWidget*, const QString&, const QString&,
                                const QStringList&) override {
    asked << QStringLiteral("choose");
    return chosenItem;
  }
  void showError(QWidget*, const QString&, const QString& text) override {
    asked << QStringLiteral("error: ") + text;
  }
  void showAbout(QWidget*, const QString&, const QString&) override {
    asked << QStringLiteral("about");
  }
  bool setUpPrinter(QWidget*, QPrinter*) override {
    asked << QStringLiteral("print");
    return false;
  }

 private:
  template <typename T>
  static T next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

// The offscreen platform warns about size hints it cannot pass on to a
// window system it does not have: nothing a test can act on. Installed once
// the test log has its own handler, which gets every other message.
inline void quietenOffscreenWarnings() {
  static const QtMessageHandler testLog = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support"))) return;
        if (testLog != nullptr) testLog(type, context, message);
      });
}

class WindowHarness {
 public:
  WindowHarness()
      : settings_(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat),
        window_(std::make_unique<ProfileWindow>(ProfileWindow::Services{&dialogs, &settings_})) {
    quietenOffscreenWarnings();
    window_->show();
    watchdog_.setInterval(250);
    QObject::connect(&watchdog_, &QTimer::timeout, window_.get(), [this] {
      if (QWidget* stray = QApplication::activeModalWidget()) {
        watchdogFired_ = true;
        stray->close();
      }
    });
    watchdog_.start();
  }
  ~WindowHarness() {
    watchdog_.stop();
    while (QWidget* open = QApplication::activeModalWidget()) open->close();
  }

  ProfileWindow& window() { return *window_; }
  QSettings& settings() { return settings_; }
  bool watchdogFired() const { return watchdogFired_; }

  // A file in the test's own folder.
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
  }
  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;

 private:
  QSettings settings_;
  std::unique_ptr<ProfileWindow> window_;
  QTimer watchdog_;
  bool watchdogFired_ = false;
};

// QTEST_MAIN on the offscreen platform, with the program's own look.
#define VCURVE_PROFILE_TEST_MAIN(TestClass)               \
  int main(int argc, char** argv) {                       \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    }                                                     \
    QApplication app(argc, argv);                         \
    vcurve::profileui::applyProfileLook(app);             \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }

}  // namespace vcurve::profileui::testing
