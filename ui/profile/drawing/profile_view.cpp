#include "ui/profile/drawing/profile_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/numeric_text.h"
#include "ui/profile/drawing/pointer_text.h"
#include "ui/profile/drawing/profile_scene.h"
#include "ui/profile/drawing/scene_painter.h"
#include "ui/profile/drawing/station_mark.h"
#include "ui/profile/drawing/view_transform.h"

namespace vcurve::profileui {

namespace {

// A point is under the pointer within this many pixels.
constexpr double kHitRadius = 8;
// The finest zoom, in metres per pixel: a millimetre grid is no road
// engineer's business, and the grid chainage is printed to the metre.
constexpr double kFinestScale = 0.002;
constexpr double kFitMargin = 24;   // pixels around the whole profile
constexpr double kWheelStep = 1.2;  // magnification per wheel notch
constexpr double kKeyPan = 0.125;   // of the plot per arrow key
// A dragged elevation is a centimetre one, or with Shift a millimetre one,
// whatever the zoom: a design elevation is written to the centimetre.
constexpr int kDragPlaces = 2;
constexpr int kFineDragPlaces = 3;

struct Bounds {
  double fromStation = INFINITY, toStation = -INFINITY;
  double low = INFINITY, high = -INFINITY;
  void add(double station, double elevation) {
    if (!std::isfinite(station) || !std::isfinite(elevation)) return;
    fromStation = std::min(fromStation, station);
    toStation = std::max(toStation, station);
    low = std::min(low, elevation);
    high = std::max(high, elevation);
  }
  void add(const Bounds& other) {
    add(other.fromStation, other.low);
    add(other.toStation, other.high);
  }
  bool valid() const { return fromStation <= toStation; }
};

enum class Gesture { None, PressedPoint, DraggingPoint, Panning };

}  // namespace

struct ProfileView::State {
  std::shared_ptr<const profile::Profile> profile;
  // The profile with the dragged point where the pointer has it, drawn
  // until the drag ends.
  std::shared_ptr<const profile::Profile> preview;
  std::shared_ptr<const profile::GroundLine> ground;
  Bounds groundBounds;  // a survey may hold millions of points: looked at once
  std::vector<profile::Finding> findings;
  std::optional<std::size_t> selected;
  std::optional<double> marked;
  ViewTransform view;
  // Fitting the whole profile until the user zooms or pans, so that an
  // opened or edited profile is seen whole.
  bool following = true;

  Gesture gesture = Gesture::None;
  std::size_t dragRow = 0;
  double dragElevation = 0;
  // The point follows the pointer from where it was taken hold of, not
  // from the point's centre, so that the drag begins without a jump.
  double pressElevation = 0;
  QPointF pressAt, lastAt;

  std::optional<double> hoverStation;
  QString hoverText;
};

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
  Bounds bounds = state_->groundBounds;
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

std::optional<std::size_t> ProfileView::pointAt(const QPointF& pixel) const {
  const profile::Profile* profile = shownProfile();
  if (profile == nullptr) return std::nullopt;
  const auto& points = profile->points();
  std::size_t first = 0;
  std::size_t last = points.size();
  if (profile->usable()) {
    // Stations ascend: only the points within reach are looked at.
    const double from = state_->view.unmap(pixel - QPointF(kHitRadius, 0)).station;
    const double to = state_->view.unmap(pixel + QPointF(kHitRadius, 0)).station;
    const auto below = [](const profile::ProfilePoint& p, double s) { return p.station < s; };
    first = static_cast<std::size_t>(std::lower_bound(points.begin(), points.end(), from, below) -
                                     points.begin());
    last = static_cast<std::size_t>(std::lower_bound(points.begin(), points.end(), to, below) -
                                    points.begin());
    last = std::min(points.size(), last + 1);
  }
  std::optional<std::size_t> nearest;
  double best = kHitRadius;
  for (std::size_t k = first; k < last; ++k) {
    const QPointF at = state_->view.map(points[k].station, points[k].elevation);
    const double distance = std::hypot(at.x() - pixel.x(), at.y() - pixel.y());
    if (distance <= best) {
      best = distance;
      nearest = k;
    }
  }
  return nearest;
}

void ProfileView::setHoverText(const QString& text) {
  if (text == state_->hoverText) return;
  state_->hoverText = text;
  Q_EMIT hoverTextChanged(text);
}

std::optional<double> ProfileView::hoverStation() const { return state_->hoverStation; }

void ProfileView::hoverAt(const QPointF& pixel) {
  const profile::Profile* profile = shownProfile();
  const ViewTransform& view = state_->view;
  std::optional<double> station;
  if (profile != nullptr && profile->size() > 0 && view.plot().contains(pixel)) {
    // No more digits than the pointer can choose between.
    station = RoundToPlaces(view.unmap(pixel).station, pointerPlaces(view.metresPerPixel()));
    const bool onGround = state_->ground && state_->ground->elevationAt(*station);
    if (profile->usable() && !profile->contains(*station) && !onGround) station.reset();
  }
  if (station != state_->hoverStation) update();
  state_->hoverStation = station;
  setHoverText(station ? hoverText(*profile, state_->ground.get(), *station) : QString());
  const bool overPoint = pointAt(pixel).has_value();
  setCursor(overPoint ? Qt::SizeVerCursor : Qt::CrossCursor);
}

void ProfileView::dragTo(const QPointF& pixel, Qt::KeyboardModifiers modifiers) {
  const profile::Profile* profile = state_->profile.get();
  if (profile == nullptr || state_->dragRow >= profile->size()) return;
  const double moved = state_->view.unmap(pixel).elevation - state_->pressElevation;
  const double elevation =
      RoundToPlaces(profile->points()[state_->dragRow].elevation + moved,
                    modifiers.testFlag(Qt::ShiftModifier) ? kFineDragPlaces : kDragPlaces);
  if (state_->preview && elevation == state_->dragElevation) return;
  state_->dragElevation = elevation;
  std::vector<profile::ProfilePoint> points = profile->points();
  points[state_->dragRow].elevation = elevation;
  state_->preview =
      std::make_shared<const profile::Profile>(std::move(points), profile->chainage());
  state_->hoverStation.reset();
  setHoverText(dragText(*state_->preview, state_->dragRow));
  Q_EMIT dragPreviewChanged(state_->preview);
  update();
}

void ProfileView::cancelGesture() {
  const bool dragging = state_->gesture == Gesture::DraggingPoint;
  state_->gesture = Gesture::None;
  if (state_->preview) {
    state_->preview.reset();
    Q_EMIT dragPreviewChanged(nullptr);
    update();
  }
  if (dragging) setHoverText({});
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

void ProfileView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  state_->pressAt = state_->lastAt = event->position();
  state_->pressElevation = state_->view.unmap(event->position()).elevation;
  if (const auto row = pointAt(event->position())) {
    state_->gesture = Gesture::PressedPoint;
    state_->dragRow = *row;
  } else {
    state_->gesture = Gesture::Panning;
    setCursor(Qt::ClosedHandCursor);
  }
}

void ProfileView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  switch (state_->gesture) {
    case Gesture::PressedPoint:
      if (std::fabs(at.y() - state_->pressAt.y()) < QApplication::startDragDistance()) return;
      state_->gesture = Gesture::DraggingPoint;
      [[fallthrough]];
    case Gesture::DraggingPoint:
      dragTo(at, event->modifiers());
      return;
    case Gesture::Panning:
      state_->view.pan(at - state_->lastAt);
      state_->lastAt = at;
      state_->hoverStation.reset();
      userMovedView();
      return;
    case Gesture::None:
      hoverAt(at);
      return;
  }
}

void ProfileView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const Gesture gesture = state_->gesture;
  const std::size_t row = state_->dragRow;
  const bool moved = state_->preview != nullptr;
  const double elevation = state_->dragElevation;
  cancelGesture();
  if (gesture == Gesture::PressedPoint) {
    Q_EMIT rowClicked(row);
  } else if (gesture == Gesture::DraggingPoint && moved && state_->profile &&
             row < state_->profile->size() &&
             elevation != state_->profile->points()[row].elevation) {
    // The user is working in this view: the edited profile must not make
    // it jump to a new fit.
    state_->following = false;
    // One edit for the whole drag: the owner makes it one undo step.
    Q_EMIT pviElevationDragged(row, elevation);
  }
  hoverAt(event->position());
}

void ProfileView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0 || state_->gesture == Gesture::DraggingPoint) return event->ignore();
  state_->view.zoomAbout(event->position(), std::pow(kWheelStep, notches));
  userMovedView();
  hoverAt(event->position());
  event->accept();
}

void ProfileView::keyPressEvent(QKeyEvent* event) {
  const QRectF plot = state_->view.plot();
  switch (event->key()) {
    case Qt::Key_Escape:
      if (state_->gesture == Gesture::None) return QWidget::keyPressEvent(event);
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

void ProfileView::leaveEvent(QEvent* event) {
  if (state_->gesture == Gesture::None) {
    if (state_->hoverStation) update();
    state_->hoverStation.reset();
    setHoverText({});
  }
  QWidget::leaveEvent(event);
}

QSize ProfileView::sizeHint() const { return {800, 360}; }

}  // namespace vcurve::profileui
