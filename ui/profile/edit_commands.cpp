#include "ui/profile/edit_commands.h"

namespace vcurve::profileui {

PointsCommand::PointsCommand(ProfileDocument* document, std::vector<profile::ProfilePoint> before,
                             std::vector<profile::ProfilePoint> after, RowChange change,
                             const QString& text)
    : QUndoCommand(text),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)),
      change_(change) {}

void PointsCommand::redo() { document_->applyPoints(after_, change_); }
void PointsCommand::undo() { document_->applyPoints(before_, change_.inverse()); }

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
