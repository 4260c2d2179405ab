#include "ui/profile/long_work.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace vcurve::profileui {
namespace {

// A progress bar counts in int; a table's rows can outnumber that.
constexpr int kBarSteps = 1000;
// Often enough to repaint smoothly and answer a click at once.
constexpr qint64 kEventsEveryMs = 40;

}  // namespace

LongWork::LongWork(QWidget* parent, const QString& what, qint64 steps)
    : dialog_(std::make_unique<QProgressDialog>(what, QStringLiteral("取消"), 0,
                                                steps > 0 ? kBarSteps : 0, parent)),
      steps_(steps) {
  dialog_->setWindowTitle(QStringLiteral("请稍候"));
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setMinimumDuration(500);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setValue(0);
  sinceEvents_.start();
}

LongWork::~LongWork() = default;

bool LongWork::advance(qint64 done) {
  if (cancelled_) return false;
  if (sinceEvents_.elapsed() < kEventsEveryMs) return true;
  sinceEvents_.restart();
  // setValue shows the dialog once the minimum duration has passed, and,
  // being window-modal, runs the events that paint and cancel.
  if (steps_ > 0) {
    dialog_->setValue(
        static_cast<int>(std::clamp<qint64>(done * kBarSteps / steps_, 0, kBarSteps - 1)));
  } else {
    dialog_->setValue(0);
  }
  QCoreApplication::processEvents();
  cancelled_ = dialog_->wasCanceled();
  return !cancelled_;
}

bool LongWork::cancelled() const { return cancelled_; }

QString LongWork::cancelledText() { return QStringLiteral("已取消，未写出文件"); }

}  // namespace vcurve::profileui
