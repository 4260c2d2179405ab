#pragma once

#include <QSize>

#include "platform/window.h"

class QMainWindow;
class QPushButton;

namespace vcurve {

// Window bound to a QMainWindow with a menu bar and the two calculate buttons.
class QtWindow : public Window {
 public:
  // minimumClient: the laid-out area under the menu bar, in pixels. A window
  // system whose title bar, frame or menu bar is thicker than the one the
  // outer size was chosen for would otherwise cut controls off; the window is
  // never made smaller than what shows all of them.
  QtWindow(QMainWindow* window, QPushButton* command1, QPushButton* command2, QSize minimumClient);

  void setButtonVisible(CalculateButton button, bool visible) override;
  bool isMinimized() const override;
  void setOuterHeight(int twips) override;
  void setOuterWidth(int twips) override;
  void close() override;

 private:
  int menuBarHeight() const;

  QMainWindow* window_;
  QPushButton* command1_;
  QPushButton* command2_;
  QSize minimumClient_;
};

}  // namespace vcurve
