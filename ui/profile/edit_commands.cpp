#include "ui/profile/edit_commands.h"

#include <algorithm>
#include <cstddef>

namespace vcurve::profileui {

PointsCommand::PointsCommand(ProfileDocument* document,
                             const std::vector<profile::ProfilePoint>& before,
                             std::vector<profile::ProfilePoint> after, RowChange change,
                             const QString& text)
    : QUndoCommand(text), document_(document), change_(change) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  at_ = head;
  before_.assign(before.begin() + std::ptrdiff_t(head), before.end() - std::ptrdiff_t(tail));
  after_.assign(after.begin() + std::ptrdiff_t(head), after.end() - std::ptrdiff_t(tail));
  pending_ = std::move(after);
}

void PointsCommand::redo() {
  if (!pending_.empty()) {
    document_->applyPoints(std::move(pending_), change_);
    pending_ = {};
    return;
  }
  apply(before_, after_, change_);
}

void PointsCommand::undo() { apply(after_, before_, change_.inverse()); }

// The document's points hold `from` at at_; they get `to` in its place.
void PointsCommand::apply(const std::vector<profile::ProfilePoint>& from,
                          const std::vector<profile::ProfilePoint>& to, RowChange change) {
  const std::vector<profile::ProfilePoint>& now = document_->points();
  std::vector<profile::ProfilePoint> points;
  points.reserve(now.size() - from.size() + to.size());
  points.insert(points.end(), now.begin(), now.begin() + std::ptrdiff_t(at_));
  points.insert(points.end(), to.begin(), to.end());
  points.insert(points.end(), now.begin() + std::ptrdiff_t(at_ + from.size()), now.end());
  document_->applyPoints(std::move(points), change);
}

GroundCommand::GroundCommand(ProfileDocument* document,
                             std::shared_ptr<const profile::GroundLine> before,
                             std::shared_ptr<const profile::GroundLine> after, const QString& text)
    : QUndoCommand(text),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)) {}

void GroundCommand::redo() { document_->applyGround(after_); }
void GroundCommand::undo() { document_->applyGround(before_); }

}  // namespace vcurve::profileui
