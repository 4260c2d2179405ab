#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui::scene {

namespace {

// A parabola sampled every this many pixels is smooth to the eye, and a
// 100 km profile in a 1,000-pixel view costs a few thousand lookups.
constexpr double kSamplePixels = 2;

void closeLine(std::vector<QPolygonF>& lines, QPolygonF& line) {
  if (line.size() >= 2) lines.push_back(line);
  line.clear();
}

}  // namespace

void addDesignLine(Scene& scene, const profile::Profile& profile, const ViewTransform& view) {
  const auto& elements = profile.elements();
  if (elements.empty()) return;
  const double slack = 2 * view.metresPerPixel();
  const double from = std::max(profile.startStation(), view.leftStation() - slack);
  const double to = std::min(profile.endStation(), view.rightStation() + slack);
  if (!(from < to)) return;

  // At an element's end the next element answers, and an overlap answers
  // nothing: the last sample is taken a hair before the end instead.
  const auto elevation = [&](double station, double elementStart) -> std::optional<double> {
    if (auto z = profile.elevationAt(station)) return z;
    return profile.elevationAt(std::nextafter(station, elementStart));
  };

  auto element = std::upper_bound(elements.begin(), elements.end(), from,
                                  [](double s, const profile::Element& e) { return s < e.start; });
  if (element != elements.begin()) --element;
  QPolygonF line;
  for (; element != elements.end() && element->start <= to; ++element) {
    const double end = element + 1 != elements.end() ? (element + 1)->start : profile.endStation();
    const double a = std::max(element->start, from);
    const double b = std::min(end, to);
    if (!(a < b) || element->kind == profile::ElementKind::Overlap) {
      if (element->kind == profile::ElementKind::Overlap) closeLine(scene.design, line);
      continue;
    }
    const int samples =
        element->kind == profile::ElementKind::Grade
            ? 2
            : std::max(
                  2,
                  static_cast<int>(std::ceil((b - a) / view.metresPerPixel() / kSamplePixels)) + 1);
    for (int j = 0; j < samples; ++j) {
      const double station = j + 1 == samples ? b : a + (b - a) * j / (samples - 1);
      const auto z = elevation(station, element->start);
      if (!z) {
        closeLine(scene.design, line);
        continue;
      }
      const QPointF p = mapClamped(view, station, *z);
      if (line.isEmpty() || line.back() != p) line << p;
    }
  }
  closeLine(scene.design, line);
}

void addPointLine(Scene& scene, const profile::Profile& profile, const ViewTransform& view) {
  // Points that cannot be derived may be in any order, or not numbers at
  // all: joined as they come, broken where one is unusable.
  QPolygonF line;
  for (const profile::ProfilePoint& p : profile.points()) {
    if (!std::isfinite(p.station) || !std::isfinite(p.elevation)) {
      closeLine(scene.pointLine, line);
      continue;
    }
    line << mapClamped(view, p.station, p.elevation);
  }
  closeLine(scene.pointLine, line);
}

void addGroundLine(Scene& scene, const profile::GroundLine& ground, const ViewTransform& view) {
  const auto& points = ground.points();
  if (points.size() < 2) return;
  const auto before = [](const profile::GroundPoint& p, double s) { return p.station < s; };
  auto first = std::lower_bound(points.begin(), points.end(), view.leftStation(), before);
  auto last = std::lower_bound(first, points.end(), view.rightStation(), before);
  // One surveyed point beyond each edge, so that the line runs to the edge.
  if (first != points.begin()) --first;
  if (last != points.end()) ++last;
  if (last - first < 2) return;

  QPolygonF line;
  const double columns = view.plot().width();
  if (static_cast<double>(last - first) <= 2 * columns) {
    line.reserve(static_cast<int>(last - first));
    for (auto p = first; p != last; ++p) line << mapClamped(view, p->station, p->elevation);
  } else {
    // A survey denser than the pixels: per pixel column, its first, lowest,
    // highest and last points in station order draw the same picture as
    // all of them. Columns are found by station, so that each surveyed
    // point costs two comparisons.
    line.reserve(static_cast<int>(4 * columns + 8));
    for (auto p = first; p != last;) {
      const double column = std::floor(view.mapStation(p->station));
      const double columnEnd = view.unmap(QPointF(column + 1, 0)).station;
      auto low = p;
      auto high = p;
      auto q = p + 1;
      for (; q != last && q->station < columnEnd; ++q) {
        if (q->elevation < low->elevation) low = q;
        if (q->elevation > high->elevation) high = q;
      }
      std::array<decltype(first), 4> keep{p, low, high, q - 1};
      std::sort(keep.begin(), keep.end());
      for (std::size_t i = 0; i < keep.size(); ++i) {
        if (i == 0 || keep[i] != keep[i - 1]) {
          line << mapClamped(view, keep[i]->station, keep[i]->elevation);
        }
      }
      p = q;
    }
  }
  closeLine(scene.ground, line);
}

}  // namespace vcurve::profileui::scene
