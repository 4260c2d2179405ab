// Form1's fixed outer size and its place in the middle of the screen, both
// measured over the window system's frame.

#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "platform/qt/twips.h"
#include "ui/form1.h"
#include "ui/layout_table.h"

namespace vcurve {

// The frame as the window system has it now. QWidget::frameGeometry() only
// learns of a frame with the window's next move or resize, and a window
// manager may publish its frame after the last of those: a size worked out
// from it then stays a frame too large for good.
QMargins Form1::windowFrame() const {
  const QWindow* window = windowHandle();
  return window == nullptr ? QMargins() : window->frameMargins();
}

// A window system whose title bar, frame or menu bar is thicker than the one
// the outer size was chosen for would cut controls off: the window is never
// made smaller than the laid-out area under the menu bar.
void Form1::setOuterHeight(int twips) {
  const QMargins frame = windowFrame();
  const QWidget* bar = menuWidget();
  const int barHeight = bar == nullptr ? 0 : std::max(bar->height(), bar->sizeHint().height());
  const int height = std::max(twipsToPixels(twips) - frame.top() - frame.bottom(),
                              twipsToPixels(kForm1Window.clientHeight) + barHeight);
  // Held through the size hints too: window managers then offer neither a
  // resize border nor a maximise button for a window that keeps one size.
  if (height != minimumHeight() || height != maximumHeight() || height != this->height()) {
    setFixedHeight(height);
  }
}

void Form1::setOuterWidth(int twips) {
  const QMargins frame = windowFrame();
  const int width = std::max(twipsToPixels(twips) - frame.left() - frame.right(),
                             twipsToPixels(kForm1Window.clientWidth));
  if (width != minimumWidth() || width != maximumWidth() || width != this->width()) {
    setFixedWidth(width);
  }
}

void Form1::centreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QMargins frame = windowFrame();
  // Until the window system has framed the window, its fixed outer size
  // stands in for the real one.
  const QSize outer = frame.isNull() ? QSize(twipsToPixels(kForm1Window.outerWidth),
                                             twipsToPixels(kForm1Window.outerHeight))
                                     : size().grownBy(frame);
  const QRect available = screen->availableGeometry();
  const QPoint outerTopLeft(available.x() + (available.width() - outer.width()) / 2,
                            available.y() + (available.height() - outer.height()) / 2);
  if (frame.isNull()) {
    move(outerTopLeft);
  } else {
    // Placed by the client area, which the frame just measured surrounds:
    // move() would go by the frame QWidget last heard of.
    setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), size()));
  }
}

// The window system frames the window after it is shown, which changes the
// outer size without resizing the widget, so no resize event tells of it.
void Form1::followNewFrame() {
  if (!isVisible()) return;
  const QMargins frame = windowFrame();
  if (frame == lastFrame_) return;
  lastFrame_ = frame;
  Form_Resize();
  // Centred again by the real frame, once, before the user has had a
  // chance to move the window.
  if (!centredWithFrame_ && !frame.isNull()) {
    centredWithFrame_ = true;
    centreOnScreen();
  }
}

}  // namespace vcurve
