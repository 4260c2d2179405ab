#pragma once

// The undo steps of the profile window: one per user action, whatever it
// touched (a typed cell, a pasted block, a dragged PVI, an inserted row).

#include <QUndoCommand>
#include <memory>
#include <vector>

#include "ui/profile/profile_document.h"

namespace vcurve::profileui {

class PointsCommand : public QUndoCommand {
 public:
  PointsCommand(ProfileDocument* document, std::vector<profile::ProfilePoint> before,
                std::vector<profile::ProfilePoint> after, RowChange change, const QString& text);
  void redo() override;
  void undo() override;

 private:
  ProfileDocument* document_;
  std::vector<profile::ProfilePoint> before_;
  std::vector<profile::ProfilePoint> after_;
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
