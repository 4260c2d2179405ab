// Which event of which control runs which handler.

#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "checks/field_checks.h"
#include "ui/form1.h"

namespace vcurve {
namespace {

// The leave checks are about the user moving on to another control of the
// window. A message box or a menu opening, another application taking the
// focus, or the window being minimised or closed are not that, and a check
// firing then would hold the user in a field for leaving the desk.
bool movesToAnotherControl(Qt::FocusReason reason) {
  switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
      return true;
    default:
      return false;
  }
}

}  // namespace

void Form1::bindEvents() {
  const auto& c = controls_;
  // A press that moved the focus out of a failing field first lets the
  // field's check speak; the command then runs only if the check passed.
  connect(c.Command1, &QPushButton::clicked, this, [this] {
    if (settleFieldChecksBeforeCommand()) Command1_Click();
  });
  connect(c.Command2, &QPushButton::clicked, this, [this] {
    if (settleFieldChecksBeforeCommand()) Command2_Click();
  });
  connect(c.Command3, &QPushButton::clicked, this, [this] {
    if (settleFieldChecksBeforeCommand()) Command3_Click();
  });
  // An option has already changed when Qt reports it. Its handler always
  // runs, so the visible calculate button matches the chosen curve type.
  connect(c.Option1, &QRadioButton::toggled, this, [this](bool chosen) {
    if (!chosen) return;
    settleFieldChecksBeforeCommand();
    Option1_Click();
  });
  connect(c.Option2, &QRadioButton::toggled, this, [this](bool chosen) {
    if (!chosen) return;
    settleFieldChecksBeforeCommand();
    Option2_Click();
  });
  connect(c.Text[4], &QLineEdit::textChanged, this, &Form1::Text5_Change);
  connect(c.Text[5], &QLineEdit::textChanged, this, &Form1::Text6_Change);
  c.Text[2]->installEventFilter(this);
  c.Text[6]->installEventFilter(this);

  c.List1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(c.List1, &QListWidget::customContextMenuRequested, this, &Form1::showResultsMenu);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut &&
      movesToAnotherControl(static_cast<QFocusEvent*>(event)->reason())) {
    // Qt is in the middle of moving the focus: the check is noted now and
    // runs once the move is complete.
    checks_->noteFocusLost(watched == controls_.Text[2] ? Field::Text3 : Field::Text7);
    if (checks_->hasDueChecks()) {
      QMetaObject::invokeMethod(this, &Form1::runDueFieldChecks, Qt::QueuedConnection);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void Form1::runDueFieldChecks() {
  if (!checks_->hasDueChecks()) return;
  if (checks_->runDueChecks() != CheckOutcome::Passed) releasePressedButtons();
}

bool Form1::settleFieldChecksBeforeCommand() {
  if (!checks_->hasDueChecks()) return true;
  if (checks_->runDueChecks() == CheckOutcome::Passed) return true;
  releasePressedButtons();
  return false;
}

// A button pressed on the way out of a failing field must not stay drawn
// down, nor click when the mouse is released after the message.
void Form1::releasePressedButtons() {
  for (QPushButton* button : {controls_.Command1, controls_.Command2, controls_.Command3}) {
    if (button->isDown()) button->setDown(false);
  }
}

void Form1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Form_Resize();
}

void Form1::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    centreOnScreen();
  }
  QMainWindow::showEvent(event);
  Form_Resize();
}

// The window system adds its frame after the window is shown. That changes
// the outer size without resizing the widget, so no resize event tells of
// it; the first activation or repaint after it is where it can be seen.
bool Form1::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  const bool mayShowNewFrame =
      event->type() == QEvent::WindowActivate || event->type() == QEvent::UpdateRequest;
  if (mayShowNewFrame && isVisible() && frameGeometry().size() != lastOuterSize_) {
    Form_Resize();
    // Centred again by the real frame, once, before the user has had a
    // chance to move the window.
    if (!centredWithFrame_ && frameGeometry() != geometry()) {
      centredWithFrame_ = true;
      centreOnScreen();
    }
  }
  return handled;
}

void Form1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) Form_Resize();
}

}  // namespace vcurve
