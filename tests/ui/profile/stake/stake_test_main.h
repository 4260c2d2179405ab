#pragma once

// main() for the stake-panel suites: offscreen unless a platform is
// chosen, and a watchdog that closes any modal window or menu left open,
// failing the test rather than hanging it.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace vcurve::testing {

class Watchdog : public QObject {
 public:
  Watchdog() {
    timer_.setInterval(250);
    connect(&timer_, &QTimer::timeout, this, &Watchdog::check);
    timer_.start();
  }
  static inline bool fired = false;

 private:
  void check() {
    QWidget* stray = QApplication::activeModalWidget();
    if (stray == nullptr) stray = QApplication::activePopupWidget();
    if (stray != nullptr) {
      fired = true;
      stray->close();
    }
  }
  QTimer timer_;
};

// The offscreen platform warns of size hints it cannot pass on to a window
// system it does not have. Called once the test log has its own handler,
// which gets every other message.
inline void quietenOffscreenWarnings() {
  static const QtMessageHandler testLog = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support"))) return;
        if (testLog != nullptr) testLog(type, context, message);
      });
}

}  // namespace vcurve::testing

#define VCURVE_STAKE_TEST_MAIN(TestClass)                   \
  int main(int argc, char** argv) {                         \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {   \
      qputenv("QT_QPA_PLATFORM", "offscreen");              \
    }                                                       \
    QApplication app(argc, argv);                           \
    vcurve::testing::Watchdog watchdog;                     \
    TestClass test;                                         \
    const int failed = QTest::qExec(&test, argc, argv);     \
    if (vcurve::testing::Watchdog::fired) {                 \
      qCritical("a test left a modal window or menu open"); \
      return 1;                                             \
    }                                                       \
    return failed;                                          \
  }
