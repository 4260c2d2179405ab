#pragma once

// The program's one window. Its data is its controls' texts and lines and
// pointCount; its behaviour is one handler per control event, each running
// to its end before the next event.

#include <QMainWindow>
#include <QMargins>
#include <cstdint>
#include <memory>
#include <vector>

#include "checks/field_checks.h"
#include "platform/platform.h"
#include "platform/qt/qt_form_platform.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vcurve {

struct Form1Controls {
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QListWidget* List1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLineEdit* Text5 = nullptr;
  QLineEdit* Text6 = nullptr;
  QLineEdit* Text7 = nullptr;

  // The text box that holds a field: Text5 for Field::Text5.
  QLineEdit* text(Field field) const;
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
  using Handler = void (Form1::*)();

  // form1_layout.cpp
  void buildControls();
  // menu_table.cpp
  void buildMenus();
  // form1_events.cpp
  void bindEvents();
  void runLeaveCheck(CheckOutcome (*check)(Platform&));
  void noteFieldLeft(Handler handler);
  bool runLeaveHandlers();
  void releasePressedButtons();
  // form1_geometry.cpp
  QMargins windowFrame() const;
  void setOuterHeight(int twips);
  void setOuterWidth(int twips);
  void centreOnScreen();
  void followNewFrame();
  // results_menu.cpp
  void showResultsMenu(const QPoint& position);

  Form1Controls controls_;
  Services services_;
  std::unique_ptr<ProgramStarter> ownProgramStarter_;
  std::unique_ptr<QtFormPlatform> form_;
  std::int16_t pointCount_ = 0;

  // The leave handlers of the fields the focus has left, waiting for the
  // focus move to complete; at most Text3_LostFocus and Text7_LostFocus.
  std::vector<Handler> dueLeaveHandlers_;
  bool leaveCheckRunning_ = false;
  CheckOutcome leaveCheckOutcome_ = CheckOutcome::Passed;

  bool centred_ = false;
  bool centredWithFrame_ = false;
  QMargins lastFrame_;
};

}  // namespace vcurve
