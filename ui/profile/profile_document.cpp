#include "ui/profile/profile_document.h"

#include <QFileInfo>

#include "profile/geometry_checks.h"
#include "ui/profile/edit_commands.h"

namespace vcurve::profileui {

std::vector<profile::ProfilePoint> newProfilePoints() { return {{0, 100, 0}, {1000, 100, 0}}; }

ProfileDocument::ProfileDocument(QObject* parent)
    : QObject(parent), profile_(std::make_shared<const profile::Profile>(newProfilePoints())) {
  recheck();
}

ProfileDocument::~ProfileDocument() {
  // The commands call back into this document; they go first.
  undo_.clear();
}

void ProfileDocument::setDesignSpeed(std::optional<int> speed) {
  if (speed && profile::highwayCode().forSpeed(*speed) == nullptr) speed.reset();
  if (speed == designSpeed_) return;
  designSpeed_ = speed;
  recheck();
  Q_EMIT findingsChanged();
}

QString ProfileDocument::editPoints(std::vector<profile::ProfilePoint> points, RowChange change,
                                    const QString& what) {
  if (const auto errors = profile::validatePoints(points); !errors.empty()) {
    const profile::InputError& error = errors.front();
    QString reason = QString::fromStdString(error.message);
    if (error.row) reason = QString::fromStdString(profile::rowText(*error.row)) + "：" + reason;
    return reason;
  }
  if (points == profile_->points()) return {};
  undo_.push(new PointsCommand(this, profile_->points(), std::move(points), change, what));
  return {};
}

void ProfileDocument::editGround(std::shared_ptr<const profile::GroundLine> ground,
                                 const QString& what) {
  undo_.push(new GroundCommand(this, ground_, std::move(ground), what));
}

void ProfileDocument::replace(std::vector<profile::ProfilePoint> points,
                              std::shared_ptr<const profile::GroundLine> ground,
                              std::vector<profile::ChainageEquation> equations) {
  undo_.clear();
  profile_ = std::make_shared<const profile::Profile>(
      std::move(points), profile::ChainageEquations(std::move(equations)));
  ground_ = std::move(ground);
  recheck();
  Q_EMIT profileReplaced();
  Q_EMIT groundChanged();
  Q_EMIT findingsChanged();
}

QString ProfileDocument::displayName() const {
  return filePath_.isEmpty() ? QStringLiteral("未命名") : QFileInfo(filePath_).fileName();
}

void ProfileDocument::setFile(const QString& path, FileFormat format, const QString& profileName,
                              bool savesInPlace) {
  filePath_ = path;
  format_ = format;
  profileName_ = profileName;
  savesInPlace_ = savesInPlace;
  Q_EMIT fileChanged();
}

void ProfileDocument::applyPoints(std::vector<profile::ProfilePoint> points, RowChange change) {
  // An edit of the points keeps the road's numbering.
  profile_ = std::make_shared<const profile::Profile>(std::move(points), profile_->chainage());
  recheck();
  Q_EMIT profileChanged(change);
  Q_EMIT findingsChanged();
}

void ProfileDocument::applyEquations(std::vector<profile::ChainageEquation> equations) {
  profile_ = std::make_shared<const profile::Profile>(
      profile_->points(), profile::ChainageEquations(std::move(equations)));
  recheck();
  const std::size_t n = profile_->size();
  Q_EMIT profileChanged({0, n, n});
  Q_EMIT findingsChanged();
}

void ProfileDocument::applyGround(std::shared_ptr<const profile::GroundLine> ground) {
  ground_ = std::move(ground);
  Q_EMIT groundChanged();
}

void ProfileDocument::recheck() {
  const profile::DesignCode& code = profile::highwayCode();
  const profile::SpeedLimits* limits = designSpeed_ ? code.forSpeed(*designSpeed_) : nullptr;
  findings_ = limits != nullptr ? profile::checkProfile(*profile_, code, *limits)
                                : profile::checkGeometry(*profile_);
}

}  // namespace vcurve::profileui
