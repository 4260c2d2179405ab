// The reverse lookup: where the design line reaches a given elevation.

#include <algorithm>
#include <cmath>

#include "profile/profile.h"

namespace vcurve::profile {
namespace {

// Roots of a·x² + b·x + c = 0 in the form that loses no digits when b²
// dwarfs 4ac. A discriminant within rounding of zero is a double root, the
// high or low point itself: found once, whichever side rounding took.
std::vector<double> quadraticRoots(double a, double b, double c) {
  double discriminant = b * b - 4 * a * c;
  if (std::fabs(discriminant) <= 1e-12 * (b * b + std::fabs(4 * a * c))) {
    discriminant = 0;
  } else if (discriminant < 0) {
    return {};
  }
  const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
  if (q == 0) return {0};
  if (discriminant == 0) return {q / a};
  return {q / a, c / q};
}

// Stations this close count as one: far below the printed millimetre, far
// above the rounding of stations of a few hundred kilometres.
constexpr double kSameStation = 1e-7;

// A target this near a high or low point's elevation is that point: it
// prints as the same millimetre. Roots closer together than this are the
// one point where the line only touches the target.
constexpr double kSameElevation = 0.0005;
constexpr double kTouching = 0.001;

}  // namespace

std::vector<ElevationMatch> Profile::stationsAtElevation(double z) const {
  std::vector<ElevationMatch> found;
  if (!usable() || !std::isfinite(z)) return found;
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    const Element& element = elements_[i];
    const double from = element.start;
    const double to = i + 1 < elements_.size() ? elements_[i + 1].start : endStation();
    const auto add = [&](double station) {
      if (station >= from - kSameStation && station <= to + kSameStation) {
        const double s = std::clamp(station, from, to);
        found.push_back({s, s});
      }
    };
    if (element.kind == ElementKind::Overlap) continue;
    const Span& span = spans_[i];
    if (span.c == 0 && span.slope == 0) {
      // A level stretch of no length is one station.
      if (span.a == z) found.push_back({from, to - from > kSameStation ? to : from});
    } else if (span.c == 0) {
      add(span.origin + (z - span.a) / span.slope);
    } else {
      // The parabola's vertex: the high point of a crest, the low of a sag.
      const double xv = -span.slope / (2 * span.c);
      const double zv = span.a + span.slope * xv / 2;
      const double beyond = span.c < 0 ? z - zv : zv - z;  // > 0 where no root lies
      const bool vertexHere =
          span.origin + xv >= from - kSameStation && span.origin + xv <= to + kSameStation;
      const bool touches = beyond >= 0 ? beyond <= kSameElevation
                                       : 2 * std::sqrt(-beyond / std::fabs(span.c)) < kTouching;
      if (vertexHere && touches) {
        add(span.origin + xv);
      } else {
        for (const double x : quadraticRoots(span.c, span.slope, span.a - z)) add(span.origin + x);
      }
    }
  }

  std::sort(found.begin(), found.end(),
            [](const ElevationMatch& a, const ElevationMatch& b) { return a.station < b.station; });
  // A root on the boundary of two elements is found by both.
  std::vector<ElevationMatch> merged;
  for (const ElevationMatch& m : found) {
    if (!merged.empty() && m.station <= merged.back().through + kSameStation) {
      // A point joins its neighbour; only a level stretch lengthens it.
      if (m.through > m.station) merged.back().through = std::max(merged.back().through, m.through);
    } else {
      merged.push_back(m);
    }
  }
  return merged;
}

}  // namespace vcurve::profile
