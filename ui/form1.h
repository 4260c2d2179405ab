#pragma once

// The program's one window. Its data is its controls' texts and lines and
// pointCount; its behaviour is one handler per control event, each running
// to its end before the next event.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

#include "platform/qt/qt_form_platform.h"
#include "platform/window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vcurve {

class FieldChecks;
class QtWindow;

struct Form1Controls {
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QListWidget* List1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  std::array<QLineEdit*, 7> Text{};  // Text[0] is Text1
  std::array<QLabel*, 8> Label{};    // Label[0] is Label1
};

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  // What the window does through the outside world. Left empty, the real
  // ones: modal message boxes and the system's program start.
  struct Services {
    MessagePresenter presentMessage;
    ProgramStarter* programStarter = nullptr;
  };

  Form1();
  explicit Form1(Services services);
  ~Form1() override;

  // Calculations.
  void Command1_Click();
  void Command2_Click();
  // Field checks.
  void Text3_LostFocus();
  void Text5_Change();
  void Text6_Change();
  void Text7_LostFocus();
  // Window commands.
  void Option1_Click();
  void Option2_Click();
  void Command3_Click();
  void notepad_Click();
  void calc_Click();
  void exit_Click();
  void about_Click();
  void Form_Resize();

  std::int16_t pointCount() const { return pointCount_; }
  const Form1Controls& controls() const { return controls_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // form1_layout.cpp
  void buildControls();
  void centreOnScreen();
  // menu_table.cpp
  void buildMenus();
  // form1_events.cpp
  void bindEvents();
  void runDueFieldChecks();
  bool settleFieldChecksBeforeCommand();
  void releasePressedButtons();
  // results_menu.cpp
  void showResultsMenu(const QPoint& position);

  Form1Controls controls_;
  Services services_;
  std::unique_ptr<ProgramStarter> ownProgramStarter_;
  std::unique_ptr<Platform> form_;
  std::unique_ptr<QtWindow> window_;
  std::unique_ptr<FieldChecks> checks_;
  std::int16_t pointCount_ = 0;
  bool centred_ = false;
  bool centredWithFrame_ = false;
  QSize lastOuterSize_;
};

}  // namespace vcurve
