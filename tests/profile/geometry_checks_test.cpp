#include "profile/geometry_checks.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcurve::profile {
namespace {

struct GeometryCase {
  const char* name;
  std::vector<ProfilePoint> points;
  std::vector<Rule> rules;  // in the order found
};

class Geometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(Geometry, OnlyWhatNoDesignSpeedExcuses) {
  std::vector<Rule> found;
  for (const Finding& f : checkGeometry(Profile(GetParam().points))) found.push_back(f.rule);
  EXPECT_EQ(found, GetParam().rules);
}

// A 9 % grade 40 m long and a 100 m crest radius break every design speed's
// limits and are still not reported.
INSTANTIATE_TEST_SUITE_P(
    Profiles, Geometry,
    ::testing::Values(
        GeometryCase{"SteepShortSharp", {{0, 0, 0}, {40, 3.6, 100}, {200, 0, 0}}, {}},
        GeometryCase{"Overlap",
                     {{0, 0, 0}, {1000, 50, 4000}, {1100, 45, 4000}, {2100, 95, 0}},
                     {Rule::CurvesOverlap}},
        GeometryCase{"PastTheEnd", {{0, 0, 0}, {50, 5, 10000}, {1000, 0, 0}}, {Rule::CurvePastEnd}},
        GeometryCase{"NotesStay",
                     {{0, 0, 500}, {100, 5, 0}, {200, 0, 0}},
                     {Rule::EndRadius, Rule::BreakWithoutCurve}},
        GeometryCase{"Unusable", {{0, 0, 0}}, {}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vcurve::profile
