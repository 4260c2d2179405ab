#include "platform/qt/qt_window.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "platform/qt/twips.h"

namespace vcurve {

QtWindow::QtWindow(QMainWindow* window, QPushButton* command1, QPushButton* command2,
                   QSize minimumClient)
    : window_(window), command1_(command1), command2_(command2), minimumClient_(minimumClient) {}

void QtWindow::setButtonVisible(CalculateButton button, bool visible) {
  (button == CalculateButton::Command1 ? command1_ : command2_)->setVisible(visible);
}

bool QtWindow::isMinimized() const { return window_->isMinimized(); }

int QtWindow::menuBarHeight() const {
  const QWidget* bar = window_->menuWidget();
  return bar == nullptr ? 0 : std::max(bar->height(), bar->sizeHint().height());
}

// The frame is what the window system adds around the widget: title bar and
// borders. It is known only once the window is managed; until then it is 0
// and the outer size is the widget's own.
void QtWindow::setOuterHeight(int twips) {
  const int frame = window_->frameGeometry().height() - window_->geometry().height();
  const int height =
      std::max(twipsToPixels(twips) - frame, minimumClient_.height() + menuBarHeight());
  // Held through the size hints too: window managers then offer neither a
  // resize border nor a maximise button for a window that keeps one size.
  if (height != window_->minimumHeight() || height != window_->maximumHeight() ||
      height != window_->height()) {
    window_->setFixedHeight(height);
  }
}

void QtWindow::setOuterWidth(int twips) {
  const int frame = window_->frameGeometry().width() - window_->geometry().width();
  const int width = std::max(twipsToPixels(twips) - frame, minimumClient_.width());
  if (width != window_->minimumWidth() || width != window_->maximumWidth() ||
      width != window_->width()) {
    window_->setFixedWidth(width);
  }
}

void QtWindow::close() { window_->close(); }

}  // namespace vcurve
