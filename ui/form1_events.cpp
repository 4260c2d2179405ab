// Which event of which control runs which handler, and when.

#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "ui/form1.h"
#include "ui/steady_cursor.h"

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
    if (runLeaveHandlers()) Command1_Click();
  });
  connect(c.Command2, &QPushButton::clicked, this, [this] {
    if (runLeaveHandlers()) Command2_Click();
  });
  connect(c.Command3, &QPushButton::clicked, this, [this] {
    if (runLeaveHandlers()) Command3_Click();
  });
  // An option has already changed when Qt reports it. Its handler always
  // runs, so the visible calculate button matches the chosen curve type.
  connect(c.Option1, &QRadioButton::toggled, this, [this](bool chosen) {
    if (!chosen) return;
    runLeaveHandlers();
    Option1_Click();
  });
  connect(c.Option2, &QRadioButton::toggled, this, [this](bool chosen) {
    if (!chosen) return;
    runLeaveHandlers();
    Option2_Click();
  });
  connect(c.Text5, &QLineEdit::textChanged, this, &Form1::Text5_Change);
  connect(c.Text6, &QLineEdit::textChanged, this, &Form1::Text6_Change);
  c.Text3->installEventFilter(this);
  c.Text7->installEventFilter(this);

  KeepCursorSteadyInLongTexts(this);

  c.List1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(c.List1, &QListWidget::customContextMenuRequested, this, &Form1::showResultsMenu);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut &&
      movesToAnotherControl(static_cast<QFocusEvent*>(event)->reason())) {
    noteFieldLeft(watched == controls_.Text3 ? &Form1::Text3_LostFocus : &Form1::Text7_LostFocus);
  }
  return QMainWindow::eventFilter(watched, event);
}

// Qt reports a focus loss in the middle of moving the focus, where a modal
// message must not open yet: the handler runs once the move is complete, or
// at once when the same click also pressed a button, so that the button
// learns whether the check passed.
void Form1::noteFieldLeft(Handler handler) {
  // The two rejecting checks hand the focus back to their own field, which
  // makes the field that had it lose it; left alone, a failing radius and a
  // failing station would take the focus from each other for ever. So the
  // focus moves a check makes start no second check: the field that failed
  // first keeps the focus.
  if (leaveCheckRunning_) return;
  if (std::find(dueLeaveHandlers_.begin(), dueLeaveHandlers_.end(), handler) !=
      dueLeaveHandlers_.end()) {
    return;
  }
  dueLeaveHandlers_.push_back(handler);
  QMetaObject::invokeMethod(
      this, [this] { runLeaveHandlers(); }, Qt::QueuedConnection);
}

// Runs the leave handlers of the fields left, in order, and says whether
// every check passed. After one that does not pass, the rest are dropped:
// that field has taken the focus back.
bool Form1::runLeaveHandlers() {
  bool passed = true;
  while (passed && !dueLeaveHandlers_.empty()) {
    const Handler handler = dueLeaveHandlers_.front();
    dueLeaveHandlers_.erase(dueLeaveHandlers_.begin());
    leaveCheckOutcome_ = CheckOutcome::Passed;
    (this->*handler)();
    passed = leaveCheckOutcome_ == CheckOutcome::Passed;
  }
  dueLeaveHandlers_.clear();
  if (!passed) releasePressedButtons();
  return passed;
}

void Form1::runLeaveCheck(CheckOutcome (*check)(Platform&)) {
  if (leaveCheckRunning_) return;
  leaveCheckRunning_ = true;
  leaveCheckOutcome_ = check(*form_);
  leaveCheckRunning_ = false;
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

bool Form1::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::WindowActivate:
    case QEvent::UpdateRequest:
      followNewFrame();
      break;
    default:
      break;
  }
  return handled;
}

void Form1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) Form_Resize();
}

}  // namespace vcurve
