#include "ui/profile/drawing/profile_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ui/profile/drawing/profile_scene.h"
#include "ui/profile/drawing/profile_view_state.h"
#include "ui/profile/drawing/scene_painter.h"
#include "ui/profile/drawing/station_mark.h"

namespace vcurve::profileui {

namespace {

// The finest zoom, in metres per pixel: a millimetre grid is no road
// engineer's business, and the grid chainage is printed to the metre.
constexpr double kFinestScale = 0.002;
constexpr double kFitMargin = 24;   // pixels around the whole profile
constexpr double kWheelStep = 1.2;  // magnification per wheel notch
constexpr double kKeyPan = 0.125;   // of the plot per arrow key

}  // namespace

ProfileView::ProfileView(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>()) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  prepareView();
}

ProfileView::~ProfileView() = default;

void ProfileView::setProfile(std::shared_ptr<const profile::Profile> profile) {
  // The rows a drag was about may not exist in the new profile.
  cancelGesture();
  state_->profile = std::move(profile);
  // A profile opened while the view was somewhere else would otherwise show
  // an empty grid.
  const profile::Profile* shown = state_->profile.get();
  if (shown != nullptr && shown->usable() &&
      (shown->endStation() < state_->view.leftStation() ||
       shown->startStation() > state_->view.rightStation())) {
    state_->following = true;
  }
  prepareView();
  update();
}

void ProfileView::setGroundLine(std::shared_ptr<const profile::GroundLine> ground) {
  state_->ground = std::move(ground);
  state_->groundBounds = {};
  if (state_->ground) {
    for (const profile::GroundPoint& p : state_->ground->points()) {
      state_->groundBounds.add(p.station, p.elevation);
    }
  }
  prepareView();
  update();
}

void ProfileView::setFindings(std::vector<profile::Finding> findings) {
  state_->findings = std::move(findings);
  update();
}

void ProfileView::setSelectedRow(std::optional<std::size_t> row) {
  if (state_->selected == row) return;
  state_->selected = row;
  update();
}

void ProfileView::setMarkedStation(std::optional<double> station) {
  state_->marked = station;
  if (station && state_->profile) {
    if (const auto offset = offsetToShow(state_->view, *state_->profile, *station)) {
      state_->view.pan(*offset);
      state_->following = false;
    }
  }
  update();
}

std::optional<double> ProfileView::markedStation() const { return state_->marked; }

void ProfileView::setVerticalExaggeration(double factor) {
  if (!(factor > 0) || !std::isfinite(factor) || factor == state_->view.exaggeration()) return;
  state_->view.setExaggeration(factor);
  prepareView();
  Q_EMIT verticalExaggerationChanged(factor);
  update();
}

double ProfileView::verticalExaggeration() const { return state_->view.exaggeration(); }

void ProfileView::fitAll() {
  state_->following = true;
  prepareView();
  update();
}

QPointF ProfileView::mapToView(double station, double elevation) const {
  return state_->view.map(station, elevation);
}

const profile::Profile* ProfileView::shownProfile() const {
  return state_->preview ? state_->preview.get() : state_->profile.get();
}

void ProfileView::prepareView() {
  state_->view.setPlot(plotArea(QSizeF(size()), QFontMetricsF(font())));
  fitToContent();
}

// Every new profile moves the stations the view keeps to; only while the
// view follows does it fit them.
void ProfileView::fitToContent() {
  ContentBounds bounds = state_->groundBounds;
  if (state_->profile) {
    for (const profile::ProfilePoint& p : state_->profile->points()) {
      bounds.add(p.station, p.elevation);
    }
  }
  ViewTransform& view = state_->view;
  view.setScaleLimits(kFinestScale, INFINITY);
  if (!bounds.valid()) return view.keepStations(NAN, NAN, 0);
  view.keepStations(bounds.fromStation, bounds.toStation, kFitMargin);
  if (state_->following) {
    view.fit(bounds.fromStation, bounds.toStation, bounds.low, bounds.high, kFitMargin);
  }
}

void ProfileView::userMovedView() {
  state_->following = false;
  update();
}

void ProfileView::paintEvent(QPaintEvent*) {
  SceneInput input;
  input.profile = shownProfile();
  input.ground = state_->ground.get();
  // The findings describe the profile before the drag; while a point is
  // moved they would point at trouble that may no longer be there.
  if (!state_->preview) input.findings = &state_->findings;
  input.selected = state_->selected;
  input.hoverStation = state_->hoverStation;
  const Scene scene = buildScene(input, state_->view, QFontMetricsF(font()));
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  paintScene(painter, scene);
  if (state_->marked && input.profile != nullptr) {
    paintStationMark(painter, state_->view, *input.profile, input.ground, *state_->marked, font());
  }
}

void ProfileView::resizeEvent(QResizeEvent* event) {
  prepareView();
  QWidget::resizeEvent(event);
}

void ProfileView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) prepareView();
  QWidget::changeEvent(event);
}

void ProfileView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0 || state_->gesture == ViewGesture::DraggingPoint) return event->ignore();
  state_->view.zoomAbout(event->position(), std::pow(kWheelStep, notches));
  userMovedView();
  hoverAt(event->position());
  event->accept();
}

void ProfileView::keyPressEvent(QKeyEvent* event) {
  const QRectF plot = state_->view.plot();
  switch (event->key()) {
    case Qt::Key_Escape:
      if (state_->gesture == ViewGesture::None) return QWidget::keyPressEvent(event);
      cancelGesture();
      return;
    case Qt::Key_Home:
    case Qt::Key_F:
      fitAll();
      return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      state_->view.zoomAbout(plot.center(), kWheelStep);
      return userMovedView();
    case Qt::Key_Minus:
      state_->view.zoomAbout(plot.center(), 1 / kWheelStep);
      return userMovedView();
    case Qt::Key_Left:
      state_->view.pan(QPointF(plot.width() * kKeyPan, 0));
      return userMovedView();
    case Qt::Key_Right:
      state_->view.pan(QPointF(-plot.width() * kKeyPan, 0));
      return userMovedView();
    case Qt::Key_Up:
      state_->view.pan(QPointF(0, plot.height() * kKeyPan));
      return userMovedView();
    case Qt::Key_Down:
      state_->view.pan(QPointF(0, -plot.height() * kKeyPan));
      return userMovedView();
    default:
      QWidget::keyPressEvent(event);
  }
}

QSize ProfileView::sizeHint() const { return {800, 360}; }

}  // namespace vcurve::profileui