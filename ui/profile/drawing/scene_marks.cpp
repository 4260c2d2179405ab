#include <algorithm>
#include <cmath>
#include <map>

#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui::scene {

namespace {

// Marks closer than this would only blot each other out, in pixels.
constexpr double kMarkSpacing = 5;
// Curves narrower than these show no tangents and no ticks.
constexpr double kTangentWidth = 6;
constexpr double kTickWidth = 3;
constexpr double kTickHalf = 6;
constexpr double kRingSpacing = 8;

bool near(const QRectF& plot, const QPointF& p, double margin) {
  return plot.adjusted(-margin, -margin, margin, margin).contains(p);
}

}  // namespace

void addPoints(Scene& scene, const profile::Profile& profile, RowRange rows,
               std::optional<std::size_t> selected, const ViewTransform& view) {
  const auto& points = profile.points();
  const QRectF plot = view.plot();
  // Without derivation the points may be in any order: all are looked at.
  const std::size_t first = profile.usable() ? rows.first : 0;
  const std::size_t last = profile.usable() ? rows.last : points.size() - 1;
  std::optional<QPointF> previous;
  for (std::size_t k = first; k <= last && k < points.size(); ++k) {
    const profile::ProfilePoint& p = points[k];
    if (!std::isfinite(p.station) || !std::isfinite(p.elevation)) continue;
    const QPointF at = mapClamped(view, p.station, p.elevation);
    if (!near(plot, at, kMarkSpacing)) continue;
    if (previous && std::fabs(at.x() - previous->x()) < kMarkSpacing &&
        std::fabs(at.y() - previous->y()) < kMarkSpacing) {
      continue;
    }
    scene.points.push_back(at);
    previous = at;
  }
  if (selected && *selected < points.size()) {
    const profile::ProfilePoint& p = points[*selected];
    if (std::isfinite(p.station) && std::isfinite(p.elevation)) {
      scene.selected = mapClamped(view, p.station, p.elevation);
    }
  }
}

void addCurveMarks(Scene& scene, const profile::Profile& profile, RowRange rows,
                   const ViewTransform& view) {
  const QRectF plot = view.plot();
  const QRectF clip = plot.adjusted(-10, -10, 10, 10);
  for (std::size_t k = rows.first; k <= rows.last; ++k) {
    const auto& curve = profile.rows()[k].curve;
    if (!curve) continue;
    const QPointF start = mapClamped(view, curve->startStation, curve->startElevation);
    const QPointF end = mapClamped(view, curve->endStation, curve->endElevation);
    if (end.x() < plot.left() || start.x() > plot.right()) continue;
    const double width = end.x() - start.x();
    const QPointF pvi =
        mapClamped(view, profile.points()[k].station, profile.points()[k].elevation);

    if (width >= kTangentWidth) {
      // Clipped, so that a dashed line thousands of screens long is never
      // dashed off screen.
      QPolygonF tangent;
      if (auto a = clipped(QLineF(start, pvi), clip)) tangent << a->p1() << a->p2();
      if (auto b = clipped(QLineF(pvi, end), clip)) {
        if (!tangent.isEmpty() && tangent.back() != b->p1()) {
          scene.tangents.push_back(tangent);
          tangent.clear();
        }
        if (tangent.isEmpty()) tangent << b->p1();
        tangent << b->p2();
      }
      if (tangent.size() >= 2) scene.tangents.push_back(tangent);
    }
    if (width >= kTickWidth) {
      for (const QPointF& p : {start, end}) {
        if (near(plot, p, 0))
          scene.curveTicks.emplace_back(p.x(), p.y() - kTickHalf, p.x(), p.y() + kTickHalf);
      }
    }
    if (curve->turnStation && curve->turnElevation) {
      const QPointF turn = mapClamped(view, *curve->turnStation, *curve->turnElevation);
      if (near(plot, turn, 0) && width >= kTangentWidth) {
        scene.turns.push_back({turn, curve->kind == profile::CurveKind::Crest});
      }
    }
    if (width >= kBracketWidth) {
      // Above a crest, below a sag: on the side of the PVI, clear of the curve.
      const double side = curve->kind == profile::CurveKind::Crest ? -1 : 1;
      const double y = pvi.y() + side * kBracketGap;
      const double left = std::max(start.x(), clip.left());
      const double right = std::min(end.x(), clip.right());
      QPolygonF bracket;
      if (start.x() >= clip.left()) bracket << QPointF(start.x(), y - side * kBracketTick);
      bracket << QPointF(left, y) << QPointF(right, y);
      if (end.x() <= clip.right()) bracket << QPointF(end.x(), y - side * kBracketTick);
      scene.brackets.push_back(bracket);
      if (pvi.x() >= clip.left() && pvi.x() <= clip.right()) {
        scene.leaders.emplace_back(pvi.x(), pvi.y() + side * 5, pvi.x(), y);
      }
    }
  }
}

void addFindings(Scene& scene, const profile::Profile& profile,
                 const std::vector<profile::Finding>& findings, const ViewTransform& view) {
  const auto& points = profile.points();
  const QRectF plot = view.plot();
  const QRectF clip = plot.adjusted(-10, -10, 10, 10);
  // The worst finding of each point and each grade; Error sorts first.
  std::map<std::size_t, profile::Severity> atPoint, onGrade;
  const auto worst = [](std::map<std::size_t, profile::Severity>& map, std::size_t row,
                        profile::Severity severity) {
    auto [it, added] = map.emplace(row, severity);
    if (!added) it->second = std::min(it->second, severity);
  };
  for (const profile::Finding& f : findings) {
    if (f.onGrade ? f.row + 1 >= points.size() : f.row >= points.size()) continue;
    if (!f.onGrade) {
      worst(atPoint, f.row, f.severity);
      continue;
    }
    // A run (最大坡长, 平均纵坡) is drawn over every grade it covers.
    const std::size_t last = std::min(std::max(f.row, f.lastRow), points.size() - 2);
    for (std::size_t row = f.row; row <= last; ++row) worst(onGrade, row, f.severity);
  }
  const auto pointAt = [&](std::size_t row) {
    return mapClamped(view, points[row].station, points[row].elevation);
  };
  for (const auto& [row, severity] : onGrade) {
    if (auto line = clipped(QLineF(pointAt(row), pointAt(row + 1)), clip)) {
      if (line->length() > 0) scene.bands.push_back({*line, severity});
    }
  }
  for (const auto& [row, severity] : atPoint) {
    const QPointF at = pointAt(row);
    if (!near(plot, at, 12)) continue;
    // Rows come in station order: a ring mostly inside the one before, and
    // no less serious, says nothing new.
    if (!scene.rings.empty()) {
      const SceneMark& before = scene.rings.back();
      if (before.severity <= severity && std::fabs(before.at.x() - at.x()) < kRingSpacing &&
          std::fabs(before.at.y() - at.y()) < kRingSpacing) {
        continue;
      }
    }
    scene.rings.push_back({at, severity});
  }
  // The worst drawn last, on top.
  const auto later = [](const auto& a, const auto& b) { return a.severity > b.severity; };
  std::stable_sort(scene.bands.begin(), scene.bands.end(), later);
  std::stable_sort(scene.rings.begin(), scene.rings.end(), later);
}

}  // namespace vcurve::profileui::scene
