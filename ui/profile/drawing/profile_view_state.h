#pragma once

// What the profile view holds between events, shared by its painting and
// zooming and by its handling of the pointer.

#include <QPointF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "profile/checks.h"
#include "profile/ground_line.h"
#include "profile/profile.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/drawing/view_transform.h"

namespace vcurve::profileui {

struct ContentBounds {
  double fromStation = INFINITY, toStation = -INFINITY;
  double low = INFINITY, high = -INFINITY;
  void add(double station, double elevation) {
    if (!std::isfinite(station) || !std::isfinite(elevation)) return;
    fromStation = std::min(fromStation, station);
    toStation = std::max(toStation, station);
    low = std::min(low, elevation);
    high = std::max(high, elevation);
  }
  void add(const ContentBounds& other) {
    add(other.fromStation, other.low);
    add(other.toStation, other.high);
  }
  bool valid() const { return fromStation <= toStation; }
};

enum class ViewGesture { None, PressedPoint, DraggingPoint, Panning };

struct ProfileView::State {
  std::shared_ptr<const profile::Profile> profile;
  // The profile with the dragged point where the pointer has it, drawn
  // until the drag ends.
  std::shared_ptr<const profile::Profile> preview;
  std::shared_ptr<const profile::GroundLine> ground;
  ContentBounds groundBounds;  // a survey may hold millions of points: looked at once
  std::vector<profile::Finding> findings;
  std::optional<std::size_t> selected;
  std::optional<double> marked;
  ViewTransform view;
  // Fitting the whole profile until the user zooms or pans, so that an
  // opened or edited profile is seen whole.
  bool following = true;

  ViewGesture gesture = ViewGesture::None;
  std::size_t dragRow = 0;
  double dragElevation = 0;
  // The point follows the pointer from where it was taken hold of, not
  // from the point's centre, so that the drag begins without a jump.
  double pressElevation = 0;
  QPointF pressAt, lastAt;

  std::optional<double> hoverStation;
  QString hoverText;
};

}  // namespace vcurve::profileui
