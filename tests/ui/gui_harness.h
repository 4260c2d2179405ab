#pragma once

// Form1 for window tests: messages recorded instead of shown, programs
// recorded instead of started, and a watchdog that fails the test and closes
// any modal window or menu nobody expected, so that no test can hang.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/recording_platform.h"
#include "ui/app_look.h"
#include "ui/form1.h"

namespace vcurve::testing {

class FakeProgramStarter : public ProgramStarter {
 public:
  std::vector<std::string> started;
  bool succeeds = true;
  bool StartProgram(std::string_view commandLine) override {
    started.emplace_back(commandLine);
    return succeeds;
  }
};

class GuiHarness {
 public:
  GuiHarness();
  ~GuiHarness();

  Form1& form() { return *form_; }
  // Text1 for 1, Text7 for 7.
  QLineEdit* text(int n) {
    return form_->centralWidget()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
  }
  QStringList lines() const;

  // Types the seven values of the worked example curve (P 500, L 40, R 800,
  // H 100, g 3% / 2%) and a station, as a user would: Tab between fields.
  void typeWorkedExample(const QString& station);
  // Sets the texts without events, for tests about something else.
  void fill(const QStringList& texts);

  std::vector<Message> messages;
  std::function<void(const Message&)> whileMessageOpen;
  FakeProgramStarter starter;

  // Tests that open a real message box or menu on purpose say so.
  bool expectModal = false;
  bool watchdogFired() const { return watchdogFired_; }

 private:
  std::unique_ptr<Form1> form_;
  QTimer watchdog_;
  bool watchdogFired_ = false;
};

// Base of the window suites: a fresh harness for every test function, and
// a failure for any test that left a modal window or menu open.
class GuiTestCase : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<GuiHarness> gui;

 private Q_SLOTS:
  void init() { gui = std::make_unique<GuiHarness>(); }
  void cleanup() {
    QVERIFY2(!gui->watchdogFired(), "an unexpected modal window or menu was open");
    gui.reset();
  }
};

// QTEST_MAIN, with the offscreen platform when none is chosen and the
// program's own style, font and translations.
#define VCURVE_GUI_TEST_MAIN(TestClass)                   \
  int main(int argc, char** argv) {                       \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    }                                                     \
    QApplication app(argc, argv);                         \
    vcurve::ApplyApplicationLook(app);                    \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }

}  // namespace vcurve::testing
