#pragma once

// Form1 for window tests: messages recorded instead of shown, programs
// recorded instead of started.

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qt_harness.h"
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

 private:
  std::unique_ptr<Form1> form_;
};

// Base of the window suites: a fresh harness for every test function.
class GuiTestCase : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<GuiHarness> gui;

 private Q_SLOTS:
  void init() { gui = std::make_unique<GuiHarness>(); }
  void cleanup() { gui.reset(); }
};

// With the program's own style, font and translations.
#define VCURVE_GUI_TEST_MAIN(TestClass) VCURVE_QT_TEST_MAIN(TestClass, vcurve::ApplyApplicationLook)

}  // namespace vcurve::testing
