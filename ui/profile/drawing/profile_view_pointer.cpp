// The view under the pointer: the station and elevations it shows, a
// click on a point, a point dragged up or down, and empty space dragged to
// pan.

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "core/numeric_text.h"
#include "ui/profile/drawing/pointer_text.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/drawing/profile_view_state.h"

namespace vcurve::profileui {

namespace {

// A point is under the pointer within this many pixels.
constexpr double kHitRadius = 8;
// A dragged elevation is a centimetre one, or with Shift a millimetre one,
// whatever the zoom: a design elevation is written to the centimetre.
constexpr int kDragPlaces = 2;
constexpr int kFineDragPlaces = 3;

}  // namespace

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
  const bool dragging = state_->gesture == ViewGesture::DraggingPoint;
  state_->gesture = ViewGesture::None;
  if (state_->preview) {
    state_->preview.reset();
    Q_EMIT dragPreviewChanged(nullptr);
    update();
  }
  if (dragging) setHoverText({});
}

void ProfileView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  state_->pressAt = state_->lastAt = event->position();
  state_->pressElevation = state_->view.unmap(event->position()).elevation;
  if (const auto row = pointAt(event->position())) {
    state_->gesture = ViewGesture::PressedPoint;
    state_->dragRow = *row;
  } else {
    state_->gesture = ViewGesture::Panning;
    setCursor(Qt::ClosedHandCursor);
  }
}

void ProfileView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  switch (state_->gesture) {
    case ViewGesture::PressedPoint:
      if (std::fabs(at.y() - state_->pressAt.y()) < QApplication::startDragDistance()) return;
      state_->gesture = ViewGesture::DraggingPoint;
      [[fallthrough]];
    case ViewGesture::DraggingPoint:
      dragTo(at, event->modifiers());
      return;
    case ViewGesture::Panning:
      state_->view.pan(at - state_->lastAt);
      state_->lastAt = at;
      state_->hoverStation.reset();
      userMovedView();
      return;
    case ViewGesture::None:
      hoverAt(at);
      return;
  }
}

void ProfileView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const ViewGesture gesture = state_->gesture;
  const std::size_t row = state_->dragRow;
  const bool moved = state_->preview != nullptr;
  const double elevation = state_->dragElevation;
  cancelGesture();
  if (gesture == ViewGesture::PressedPoint) {
    Q_EMIT rowClicked(row);
  } else if (gesture == ViewGesture::DraggingPoint && moved && state_->profile &&
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

void ProfileView::leaveEvent(QEvent* event) {
  if (state_->gesture == ViewGesture::None) {
    if (state_->hoverStation) update();
    state_->hoverStation.reset();
    setHoverText({});
  }
  QWidget::leaveEvent(event);
}

}  // namespace vcurve::profileui
