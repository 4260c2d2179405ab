#pragma once

// The ground line (地面线) under a profile: surveyed stations and
// elevations, straight between them.

#include <optional>
#include <span>
#include <vector>

#include "profile/profile_point.h"

namespace vcurve::profile {

struct GroundPoint {
  double station = 0;
  double elevation = 0;
  bool operator==(const GroundPoint&) const = default;
};

// A survey every 0.02 m over 100 km; bounds what a file of junk can take.
inline constexpr std::size_t kMaximumGroundPoints = 5'000'000;

class GroundLine {
 public:
  GroundLine() = default;
  // Throws std::invalid_argument for points that fail validate().
  explicit GroundLine(std::vector<GroundPoint> points);

  // At least two points, finite, stations strictly increasing.
  static std::vector<InputError> validate(std::span<const GroundPoint> points);

  const std::vector<GroundPoint>& points() const { return points_; }
  bool empty() const { return points_.empty(); }
  // Linear between the surveyed points; nullopt outside them.
  std::optional<double> elevationAt(double station) const;

 private:
  std::vector<GroundPoint> points_;
};

}  // namespace vcurve::profile
