#pragma once

// The undo steps of the profile window: one per user action, whatever it
// touched (a typed cell, a pasted block, a dragged PVI, an inserted row).

#include <QUndoCommand>
#include <memory>
#include <vector>

#include "ui/profile/profile_document.h"

namespace vcurve::profileui {

// Keeps only the rows the edit changed, the span between the first and
// the last of them before and after: a typed cell on a road of 100,000
// PVIs costs a row, not two copies of the road, so a long day of edits
// fits in a few megabytes.
class PointsCommand : public QUndoCommand {
 public:
  PointsCommand(ProfileDocument* document, const std::vector<profile::ProfilePoint>& before,
                std::vector<profile::ProfilePoint> after, RowChange change, const QString& text);
  void redo() override;
  void undo() override;

 private:
  void apply(const std::vector<profile::ProfilePoint>& from,
             const std::vector<profile::ProfilePoint>& to, RowChange change);

  ProfileDocument* document_;
  std::size_t at_ = 0;  // the first changed row
  std::vector<profile::ProfilePoint> before_;
  std::vector<profile::ProfilePoint> after_;
  // The whole new list until the first redo, which moves it into the document.
  std::vector<profile::ProfilePoint> pending_;
  RowChange change_;
};

class GroundCommand : public QUndoCommand {
 public:
  GroundCommand(ProfileDocument* document, std::shared_ptr<const profile::GroundLine> before,
                std::shared_ptr<const profile::GroundLine> after, const QString& text);
  void redo() override;
  void undo() override;

 private:
  ProfileDocument* document_;
  std::shared_ptr<const profile::GroundLine> before_;
  std::shared_ptr<const profile::GroundLine> after_;
};

}  // namespace vcurve::profileui
