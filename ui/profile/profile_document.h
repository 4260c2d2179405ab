#pragma once

// The profile being designed: its points and everything the engine derives
// from them, the ground line under it, the findings at the chosen design
// speed, and the file it came from. Every change of the points or the
// ground line is one step on the undo stack, and every step leaves a
// profile the engine can derive: a change that would not is refused with
// its reason, so the drawing, the stake table and a saved file never see a
// broken profile.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "profile/checks.h"
#include "profile/ground_line.h"
#include "profile/profile.h"
#include "profile/road_settings.h"

namespace vcurve::profileui {

// Which rows an edit replaced: `removed` rows from `at` on became
// `inserted` new ones. An edit that touches rows here and there says
// {0, old size, new size}.
struct RowChange {
  std::size_t at = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
  RowChange inverse() const { return {at, inserted, removed}; }
};

enum class FileFormat { Csv, LandXml };

class ProfileDocument : public QObject {
  Q_OBJECT

 public:
  explicit ProfileDocument(QObject* parent = nullptr);
  ~ProfileDocument() override;

  const std::shared_ptr<const profile::Profile>& profile() const { return profile_; }
  const std::vector<profile::ProfilePoint>& points() const { return profile_->points(); }
  // Null when there is none.
  const std::shared_ptr<const profile::GroundLine>& ground() const { return ground_; }
  const std::vector<profile::Finding>& findings() const { return findings_; }
  // What the checks would find in another profile, such as the one a drag
  // is about to leave.
  std::vector<profile::Finding> findingsFor(const profile::Profile& profile) const;

  // The speed the profile is checked at; none checks only what no design
  // speed excuses (curves that overlap or run past a PVI or an end).
  std::optional<int> designSpeed() const;
  void setDesignSpeed(std::optional<int> speed);
  // The road's own settings (code, class, speed, stake table, names): what
  // it is checked against, and what its file keeps besides the points.
  const profile::RoadSettings& roadSettings() const { return settings_; }
  void setRoadSettings(profile::RoadSettings settings);

  // One undo step named `what`. Returns the reason in Chinese, and changes
  // nothing, when the points cannot be derived.
  QString editPoints(std::vector<profile::ProfilePoint> points, RowChange change,
                     const QString& what);
  void editGround(std::shared_ptr<const profile::GroundLine> ground, const QString& what);

  // A new profile from a file or from nothing: the undo history starts
  // afresh and the document counts as saved. The points must be usable.
  // The points are at true distances, numbered by the equations.
  void replace(std::vector<profile::ProfilePoint> points,
               std::shared_ptr<const profile::GroundLine> ground,
               std::vector<profile::ChainageEquation> equations = {});

  QUndoStack* undoStack() { return &undo_; }
  bool isModified() const { return !undo_.isClean() || settingsEdited_; }
  // The road's settings were changed by hand: the file wants saving too.
  void markSettingsEdited();

  // The file it is kept in: empty for a new profile.
  QString filePath() const { return filePath_; }
  // The file's name, or 未命名.
  QString displayName() const;
  FileFormat format() const { return format_; }
  // The name LandXML gives the profile; empty for a CSV file.
  QString profileName() const { return profileName_; }
  // False for a file of which this window would keep only a part (a
  // LandXML file also holds alignments and surfaces): saving must not
  // overwrite it.
  bool savesInPlace() const { return savesInPlace_; }
  void setFile(const QString& path, FileFormat format, const QString& profileName,
               bool savesInPlace);
  void markSaved();

  // The commands' way in: sets the points without a new undo step.
  void applyPoints(std::vector<profile::ProfilePoint> points, RowChange change);
  void applyGround(std::shared_ptr<const profile::GroundLine> ground);
  // New 断链 for the same points, which keep their true distances.
  void applyEquations(std::vector<profile::ChainageEquation> equations);

 Q_SIGNALS:
  // The profile was rebuilt from new points; the findings are new too.
  void profileChanged(vcurve::profileui::RowChange change);
  // A different profile altogether (opened or new).
  void profileReplaced();
  void groundChanged();
  void findingsChanged();
  void fileChanged();

 private:
  void recheck();

  std::shared_ptr<const profile::Profile> profile_;
  std::shared_ptr<const profile::GroundLine> ground_;
  std::vector<profile::Finding> findings_;
  profile::RoadSettings settings_;
  bool settingsEdited_ = false;
  QUndoStack undo_;
  QString filePath_;
  QString profileName_;
  FileFormat format_ = FileFormat::Csv;
  bool savesInPlace_ = false;
};

// What File ▸ New starts from: a start and an end point, one kilometre apart.
std::vector<profile::ProfilePoint> newProfilePoints();

}  // namespace vcurve::profileui
