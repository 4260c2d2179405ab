#include "qt_harness.h"

#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace vcurve::harness {
namespace {

// The test function and data row that said expectModal(); empty for none.
QByteArray& expectingTest() {
  static QByteArray test;
  return test;
}

QByteArray currentTest() {
  const char* function = QTest::currentTestFunction();
  const char* row = QTest::currentDataTag();
  return QByteArray(function != nullptr ? function : "") + '/' + (row != nullptr ? row : "");
}

QWidget* openModalWindow() {
  QWidget* open = QApplication::activeModalWidget();
  return open != nullptr ? open : QApplication::activePopupWidget();
}

void closeStrayWindow() {
  if (expectingTest() == currentTest()) return;
  if (QWidget* stray = openModalWindow()) {
    // Recorded against the test running now, which goes on to its end.
    QTest::qFail("an unexpected modal window or menu was open", __FILE__, __LINE__);
    stray->close();
  }
}

// The offscreen platform warns about size hints, raising and grabbing that
// it cannot pass on to a window system it does not have: nothing a test
// can act on. Installed over the test log's own handler, which gets every
// other message.
QtMessageHandler testLog = nullptr;

void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support"))) return;
  if (testLog != nullptr) testLog(type, context, text);
}

}  // namespace

void expectModal() { expectingTest() = currentTest(); }

void closeModalWindows() {
  while (QWidget* open = openModalWindow()) open->close();
}

void useOffscreenUnlessChosen() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runQtSuite(QObject& suite, int argc, char** argv) {
  QTest::qInit(&suite, argc, argv);
  testLog = qInstallMessageHandler(quietOffscreenNotes);
  QTimer watchdog;
  watchdog.setInterval(250);
  QObject::connect(&watchdog, &QTimer::timeout, &watchdog, &closeStrayWindow);
  watchdog.start();
  const int failures = QTest::qRun();
  watchdog.stop();
  qInstallMessageHandler(testLog);
  QTest::qCleanup();
  return failures;
}

}  // namespace vcurve::harness
