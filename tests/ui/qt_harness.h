#pragma once

// What every Qt suite shares: the offscreen platform unless another is
// chosen, the offscreen platform's notes on what it cannot pass on kept
// out of the log, and a watchdog that fails the running test and closes any
// modal window or menu nobody expected, so that no test hangs on one.

#include <QApplication>
#include <QObject>
#include <QtTest>

namespace vcurve::harness {

// Said by a test that opens a message box or menu on purpose: the watchdog
// leaves them alone until the test function (or its data row) ends.
void expectModal();

// Closes every modal window and menu still open, so that none outlives
// the test that opened it.
void closeModalWindows();

void useOffscreenUnlessChosen();

// QTest::qExec of the suite, with the log quietened and the watchdog on.
int runQtSuite(QObject& suite, int argc, char** argv);

}  // namespace vcurve::harness

// main() of a suite; the optional second argument is applied to the
// application first (a window's own look, for one).
#define VCURVE_QT_TEST_MAIN(TestClass, ...)               \
  int main(int argc, char** argv) {                       \
    vcurve::harness::useOffscreenUnlessChosen();          \
    QApplication app(argc, argv);                         \
    __VA_OPT__(__VA_ARGS__(app);)                         \
    TestClass test;                                       \
    return vcurve::harness::runQtSuite(test, argc, argv); \
  }
