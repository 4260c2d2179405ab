#pragma once

// Profiles for the drawing's tests, benchmark and screenshots: a mountain
// road of a dozen PVIs that the checks find fault with at every level, the
// examples folder's mountain highway, and a 100 km motorway of a thousand
// PVIs.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "profile/checks.h"
#include "profile/design_code.h"
#include "profile/ground_line.h"
#include "profile/profile.h"

namespace vcurve::profileui::samples {

// 60 km/h through hills: a crest radius below the 极限值 and one below the
// 一般值, a grade of 6.5 %, a short gentle grade, a PVI without a curve.
inline std::shared_ptr<const profile::Profile> mountain() {
  return std::make_shared<const profile::Profile>(
      std::vector<profile::ProfilePoint>{{0, 820.0, 0},
                                         {420, 836.8, 4000},
                                         {980, 815.0, 3000},
                                         {1600, 843.0, 1200},
                                         {2150, 833.1, 1800},
                                         {2700, 868.85, 2500},
                                         {3080, 870.0, 6000},
                                         {3200, 869.76, 0},
                                         {3750, 850.51, 8000},
                                         {4300, 861.51, 1800},
                                         {4900, 840.51, 3000},
                                         {5600, 861.51, 0}});
}

// The mountain highway of the examples folder, a dozen curves in 6.6 km,
// some of them close enough to crowd each other's labels.
inline std::shared_ptr<const profile::Profile> mountainHighway() {
  return std::make_shared<const profile::Profile>(
      std::vector<profile::ProfilePoint>{{0, 812.4, 0},
                                         {420, 826.26, 8000},
                                         {980, 853.14, 15000},
                                         {1620, 866.58, 10000},
                                         {2000, 860.5, 6000},
                                         {2720, 825.22, 4000},
                                         {3170, 815.32, 2800},
                                         {3350, 815.77, 5000},
                                         {3950, 838.57, 9000},
                                         {4470, 866.65, 4000},
                                         {5160, 877.0, 11000},
                                         {5640, 865.96, 16000},
                                         {6200, 861.48, 12000},
                                         {6630, 848.15, 0}});
}

// 1,000 PVIs over 100 km, grades within ±4 %, every curve on its own.
inline std::shared_ptr<const profile::Profile> motorway(std::size_t pvis = 1000) {
  std::uint32_t seed = 12345;
  const auto random = [&seed] {  // 0..1, the same on every machine
    seed = seed * 1664525U + 1013904223U;
    return static_cast<double>(seed >> 8) / static_cast<double>(1U << 24);
  };
  const double spacing = 100000.0 / static_cast<double>(pvis + 1);
  std::vector<profile::ProfilePoint> points{{0, 300, 0}};
  double grade = 1;
  for (std::size_t k = 1; k <= pvis + 1; ++k) {
    const double station =
        k <= pvis ? spacing * (static_cast<double>(k) + (random() - 0.5) * 0.4) : 100000.0;
    const double length = station - points.back().station;
    points.push_back({station, points.back().elevation + length * grade / 100, 0});
    const double next = std::clamp(grade + (random() - 0.5) * 4, -4.0, 4.0);
    // Tangents of at most a third of the shorter grade cannot meet.
    const double omega = std::fabs(next - grade);
    if (k <= pvis && omega > 0.05) {
      points.back().radius = std::floor(std::min(20000.0, 0.3 * spacing * 0.8 * 200 / omega));
    }
    grade = next;
  }
  return std::make_shared<const profile::Profile>(std::move(points));
}

// Terrain around the design line, surveyed every `spacing` metres.
inline std::shared_ptr<const profile::GroundLine> groundUnder(const profile::Profile& profile,
                                                              double spacing) {
  std::vector<profile::GroundPoint> points;
  for (double s = profile.startStation(); s <= profile.endStation(); s += spacing) {
    const double design =
        profile.elevationAt(s).value_or(points.empty() ? 0 : points.back().elevation);
    points.push_back({s, design + 6 * std::sin(s / 230) + 2.5 * std::sin(s / 61 + 1) - 1.5});
  }
  return std::make_shared<const profile::GroundLine>(std::move(points));
}

inline std::vector<profile::Finding> findingsAt(const profile::Profile& profile, int speed) {
  return profile::checkProfile(profile, profile::highwayCode(),
                               *profile::highwayCode().forSpeed(speed));
}

}  // namespace vcurve::profileui::samples
