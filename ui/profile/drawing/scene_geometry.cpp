#include <algorithm>
#include <cmath>

#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui::scene {

QPointF mapClamped(const ViewTransform& view, double station, double elevation) {
  const QPointF p = view.map(station, elevation);
  return {std::clamp(p.x(), -kFarAway, kFarAway), std::clamp(p.y(), -kFarAway, kFarAway)};
}

std::optional<QLineF> clipped(QLineF line, const QRectF& box) {
  // Liang-Barsky: the part of the segment's parameter range inside all four edges.
  const double dx = line.dx();
  const double dy = line.dy();
  double enter = 0;
  double leave = 1;
  const auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    const double r = q / p;
    if (p < 0) {
      enter = std::max(enter, r);
    } else {
      leave = std::min(leave, r);
    }
    return enter <= leave;
  };
  const QPointF a = line.p1();
  if (!(edge(-dx, a.x() - box.left()) && edge(dx, box.right() - a.x()) &&
        edge(-dy, a.y() - box.top()) && edge(dy, box.bottom() - a.y()))) {
    return std::nullopt;
  }
  if (!std::isfinite(enter) || !std::isfinite(leave)) return std::nullopt;
  return QLineF(a + QPointF(dx, dy) * enter, a + QPointF(dx, dy) * leave);
}

RowRange rowsInView(const profile::Profile& profile, const ViewTransform& view) {
  const auto& points = profile.points();
  if (points.empty() || !profile.usable()) return {};
  const auto before = [](const profile::ProfilePoint& p, double s) { return p.station < s; };
  const auto after = [](double s, const profile::ProfilePoint& p) { return s < p.station; };
  std::size_t first = static_cast<std::size_t>(
      std::lower_bound(points.begin(), points.end(), view.leftStation(), before) - points.begin());
  std::size_t last = static_cast<std::size_t>(
      std::upper_bound(points.begin(), points.end(), view.rightStation(), after) - points.begin());
  // The grades that cross the edges start or end one point out; a curve
  // reaches further only where curves overlap, seldom past a few points.
  constexpr std::size_t kReach = 8;
  const auto& rows = profile.rows();
  if (first > 0) --first;
  for (std::size_t k = first; k > 0 && first - k < kReach;) {
    --k;
    if (rows[k].curve && rows[k].curve->endStation >= view.leftStation()) first = k;
  }
  last = std::min(last, points.size() - 1);
  for (std::size_t k = last + 1; k < points.size() && k - last <= kReach; ++k) {
    if (rows[k].curve && rows[k].curve->startStation <= view.rightStation()) last = k;
  }
  return {first, last};
}

}  // namespace vcurve::profileui::scene
