#include "ui/profile/drawing/profile_view.h"

// A stand-in that keeps what it is given and draws nothing yet.

namespace vcurve::profileui {

struct ProfileView::State {
  std::shared_ptr<const profile::Profile> profile;
  std::shared_ptr<const profile::GroundLine> ground;
  std::vector<profile::Finding> findings;
  std::optional<std::size_t> selected;
  double exaggeration = 10;
};

ProfileView::ProfileView(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {}
ProfileView::~ProfileView() = default;

void ProfileView::setProfile(std::shared_ptr<const profile::Profile> profile) {
  state_->profile = std::move(profile);
  update();
}
void ProfileView::setGroundLine(std::shared_ptr<const profile::GroundLine> ground) {
  state_->ground = std::move(ground);
  update();
}
void ProfileView::setFindings(std::vector<profile::Finding> findings) {
  state_->findings = std::move(findings);
  update();
}
void ProfileView::setSelectedRow(std::optional<std::size_t> row) {
  state_->selected = row;
  update();
}
void ProfileView::setVerticalExaggeration(double factor) {
  if (factor == state_->exaggeration) return;
  state_->exaggeration = factor;
  Q_EMIT verticalExaggerationChanged(factor);
  update();
}
double ProfileView::verticalExaggeration() const { return state_->exaggeration; }
void ProfileView::fitAll() { update(); }
QPointF ProfileView::mapToView(double, double) const { return {}; }

}  // namespace vcurve::profileui
