#include "profile/ground_line.h"

#include <algorithm>
#include <stdexcept>

namespace vcurve::profile {

GroundLine::GroundLine(std::vector<GroundPoint> points) : points_(std::move(points)) {
  if (const auto errors = validate(points_); !errors.empty()) {
    throw std::invalid_argument(errors.front().message);
  }
}

std::vector<InputError> GroundLine::validate(std::span<const GroundPoint> points) {
  std::vector<InputError> errors;
  if (points.size() < 2) {
    errors.push_back({std::nullopt, std::nullopt, "地面线至少要有两个点"});
    return errors;
  }
  if (points.size() > kMaximumGroundPoints) {
    errors.push_back(
        {std::nullopt, std::nullopt, "地面线点数超过上限 " + std::to_string(kMaximumGroundPoints)});
    return errors;
  }
  for (std::size_t row = 0; row < points.size(); ++row) {
    checkStationAndElevation(row, points[row].station, points[row].elevation,
                             row > 0 ? std::optional(points[row - 1].station) : std::nullopt,
                             errors);
  }
  return errors;
}

std::optional<double> GroundLine::elevationAt(double station) const {
  if (points_.empty() || !(station >= points_.front().station) ||
      !(station <= points_.back().station)) {
    return std::nullopt;
  }
  const auto after = std::upper_bound(points_.begin(), points_.end(), station,
                                      [](double s, const GroundPoint& p) { return s < p.station; });
  if (after == points_.end()) return points_.back().elevation;
  const GroundPoint& b = *after;
  const GroundPoint& a = *(after - 1);
  return a.elevation +
         (b.elevation - a.elevation) * ((station - a.station) / (b.station - a.station));
}

}  // namespace vcurve::profile
