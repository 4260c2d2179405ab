#include "ui/profile/stake/stake_panel.h"

// A stand-in that keeps what it is given and shows nothing yet.

namespace vcurve::profileui {

struct StakePanel::State {
  std::shared_ptr<const profile::Profile> profile;
  std::shared_ptr<const profile::GroundLine> ground;
};

StakePanel::StakePanel(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {}
StakePanel::~StakePanel() = default;

void StakePanel::setProfile(std::shared_ptr<const profile::Profile> profile) {
  state_->profile = std::move(profile);
}
void StakePanel::setGroundLine(std::shared_ptr<const profile::GroundLine> ground) {
  state_->ground = std::move(ground);
}
void StakePanel::setDocumentInfo(const QString&, const QString&) {}
double StakePanel::interval() const { return 20; }
std::vector<double> StakePanel::addedStations() const { return {}; }
bool StakePanel::exportCsv(const QString&, QString* error) const {
  *error = QStringLiteral("尚未实现");
  return false;
}
bool StakePanel::exportXlsx(const QString&, QString* error) const {
  *error = QStringLiteral("尚未实现");
  return false;
}
bool StakePanel::savePdf(const QString&, QString* error) const {
  *error = QStringLiteral("尚未实现");
  return false;
}
void StakePanel::print(QPrinter*) const {}

}  // namespace vcurve::profileui
