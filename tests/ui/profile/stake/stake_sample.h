#pragma once

// A long road for looking at and timing the stake table: PVIs every
// 500 m, alternately up and down, curves of 10,000 m, and a rolling ground
// line surveyed every 25 m so that fill and cut alternate.

#include <cmath>
#include <memory>
#include <vector>

#include "profile/ground_line.h"
#include "profile/profile.h"

namespace vcurve::testing {

inline std::shared_ptr<const profile::Profile> sampleProfile(double metres) {
  std::vector<profile::ProfilePoint> points;
  for (int k = 0; k * 500.0 <= metres; ++k) {
    const double s = k * 500.0;
    const bool end = k == 0 || s + 500 > metres;
    points.push_back({s, 100 + (k % 2 == 1 ? 8.0 : 0.0) + 0.001 * k, end ? 0.0 : 10000.0});
  }
  return std::make_shared<const profile::Profile>(std::move(points));
}

inline std::shared_ptr<const profile::GroundLine> sampleGround(double metres) {
  std::vector<profile::GroundPoint> points;
  for (double s = 0; s <= metres; s += 25) {
    points.push_back({s, 103 + 4 * std::sin(s / 170) + 1.5 * std::sin(s / 37)});
  }
  return std::make_shared<const profile::GroundLine>(std::move(points));
}

}  // namespace vcurve::testing
