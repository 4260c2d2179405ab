// The reverse lookup where the line only touches the target, and the
// faults a curve running past its neighbours is reported with.

#include <gtest/gtest.h>

#include "profile/checks.h"
#include "profile/geometry_checks.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// A crest whose high point is K0+902.350 at 189.1827.
const Profile kCrest({{796.35, 188.9767, 0}, {1000, 189.384, 3000}, {1203.65, 175.719085, 0}});

TEST(ReverseLookup, AHighPointIsOneStation) {
  const struct {
    double z;
    std::vector<double> stations;
  } cases[] = {
      {189.1827, {902.35}},                               // the high point as computed
      {189.183, {902.35}},                                // as the summary prints it
      {189.18269, {902.105051026037, 902.594948973964}},  // just below: two
      {189.1834, {}},                                     // above the printed millimetre
  };
  for (const auto& c : cases) {
    const auto found = kCrest.stationsAtElevation(c.z);
    ASSERT_EQ(found.size(), c.stations.size()) << c.z;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_NEAR(found[i].station, c.stations[i], 1e-6) << c.z;
      EXPECT_EQ(found[i].through, found[i].station);
    }
  }
}

TEST(ReverseLookup, ACurveEndingOnALevelGradeGivesOnlyTheLevel) {
  const Profile p({{0, 593.621, 0},
                   {1221, 696.382, 989},
                   {1978.668, 663.044, 5000},
                   {2922.668, 657.203, 100},
                   {4226.011, 657.203, 9454},
                   {5000, 670, 0}});
  const auto found = p.stationsAtElevation(657.203);
  ASSERT_EQ(found.size(), 2U);
  EXPECT_NEAR(found[1].station, 2922.977375, 1e-6);
  EXPECT_GT(found[1].through, 4000);
}

TEST(ReverseLookup, TwoCurvesTouchingOnALevelGradeLeaveOneStation) {
  // Two sags leaving a level grade of a few hundred-billionths of a metre
  // between them: the line is at 100 at that one station.
  const double r = 4999.999999999;
  const Profile p({{0, 102, 0}, {100, 100, r}, {200, 100, r}, {300, 102, 0}});
  const auto found = p.stationsAtElevation(100);
  ASSERT_EQ(found.size(), 1U);
  EXPECT_NEAR(found[0].station, 150, 1e-6);
  EXPECT_EQ(found[0].through, found[0].station);
}

TEST(Checks, ACurvePastTheStartBehindAnotherIsBothFaults) {
  const Profile p({{0, 100, 0}, {100, 102, 1000}, {200, 100, 20000}, {800, 106, 0}});
  std::vector<Rule> rules;
  for (const Finding& f : checkGeometry(p)) rules.push_back(f.rule);
  EXPECT_NE(std::find(rules.begin(), rules.end(), Rule::CurvesOverlap), rules.end());
  EXPECT_NE(std::find(rules.begin(), rules.end(), Rule::CurvePastEnd), rules.end());
}

TEST(Checks, AStationOnACurvePastAPviIsToldSo) {
  const Profile p({{0, 100, 0}, {100, 104, 5000}, {120, 103, 0}, {300, 105, 0}});
  const StationLookup at = p.lookup(125);
  ASSERT_EQ(at.status, LookupStatus::InOverlap);
  EXPECT_EQ(lookupProblemAt(p, 125, at.status),
            "此处在第 2 点的竖曲线上，但该竖曲线越过了相邻的变坡点，不计算高程");
  const Profile two({{0, 100, 0}, {100, 110, 10000}, {150, 100, 10000}, {300, 105, 0}});
  EXPECT_EQ(lookupProblemAt(two, 125, two.lookup(125).status),
            std::string(lookupProblemText(LookupStatus::InOverlap)));
}

}  // namespace
}  // namespace vcurve::profile
