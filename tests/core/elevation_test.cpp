#include "core/elevation.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/numeric_text.h"

namespace vcurve {
namespace {

// The worked example of the curve used throughout the tests:
// PVI 500, tangent 40, radius 800, elevation 100, grades 3% and 2%.
CurveInputs workedExample(double station) { return {500, 40, 800, 100, 3, 2, station}; }

std::string listed(double e) { return TextFromNumber(RoundToPlaces(e, 3)); }

struct StationCase {
  double station;
  CurveSide side;
  const char* convex;
  const char* concave;
};

class WorkedExample : public ::testing::TestWithParam<StationCase> {};

TEST_P(WorkedExample, BothCurveTypes) {
  const auto& c = GetParam();
  const auto convex = ComputeElevation(CurveType::Convex, c.side, workedExample(c.station));
  const auto concave = ComputeElevation(CurveType::Concave, c.side, workedExample(c.station));
  ASSERT_TRUE(convex && concave);
  EXPECT_EQ(listed(*convex), c.convex);
  EXPECT_EQ(listed(*concave), c.concave);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, WorkedExample,
    ::testing::Values(StationCase{480, CurveSide::BeforePvi, "99.15", "100.85"},
                      StationCase{520, CurveSide::AfterPvi, "99.35", "100.65"},
                      // Both ends of the curve: x = 0, the grade line alone.
                      StationCase{460, CurveSide::BeforePvi, "98.8", "101.2"},
                      StationCase{540, CurveSide::AfterPvi, "99.2", "100.8"},
                      // At the PVI both sides give H -/+ L²/2R.
                      StationCase{500, CurveSide::BeforePvi, "99", "101"},
                      StationCase{500, CurveSide::AfterPvi, "99", "101"},
                      // Off the curve the parabola is still evaluated.
                      StationCase{440, CurveSide::BeforePvi, "97.95", "102.05"},
                      StationCase{560, CurveSide::AfterPvi, "98.55", "101.45"}));

TEST(ComputeElevation, FlatGradesLeaveOnlyTheParabola) {
  const CurveInputs in{500, 40, 800, 100, 0, 0, 480};
  EXPECT_EQ(*ComputeElevation(CurveType::Convex, CurveSide::BeforePvi, in), 100 - 0.25);
  EXPECT_EQ(*ComputeElevation(CurveType::Concave, CurveSide::BeforePvi, in), 100 + 0.25);
}

// Digits of an awkward curve, worked out independently in the same order of
// operations: a reordered formula or a fused multiply-add shows up here as a
// changed last digit.
TEST(ComputeElevation, LastDigitsOfAnAwkwardCurve) {
  const CurveInputs in{5030.25, 123.456, 3456.7, 101.234, 2.345, 1.234, 4987.123};
  EXPECT_EQ(TextFromNumber(*ComputeElevation(CurveType::Convex, CurveSide::BeforePvi, in)),
            "99.2893035737539");
  EXPECT_EQ(TextFromNumber(*ComputeElevation(CurveType::Concave, CurveSide::BeforePvi, in)),
            "103.178696426246");
  const CurveInputs after{5030.25, 123.456, 3456.7, 101.234, 2.345, 1.234, 5101.877};
  EXPECT_EQ(TextFromNumber(*ComputeElevation(CurveType::Convex, CurveSide::AfterPvi, after)),
            "99.9615665031371");
}

TEST(ComputeElevation, NonFiniteArithmeticFails) {
  constexpr double kBig = std::numeric_limits<double>::max();
  struct Case {
    const char* what;
    CurveInputs in;
    CurveSide side;
  };
  const Case cases[] = {
      {"radius 0, x != 0", {500, 40, 0, 100, 3, 2, 480}, CurveSide::BeforePvi},
      {"radius 0, x = 0 (0/0)", {500, 40, 0, 100, 3, 2, 460}, CurveSide::BeforePvi},
      {"everything empty", {0, 0, 0, 0, 0, 0, 0}, CurveSide::BeforePvi},
      {"L*g overflows", {0, kBig, 1000, 0, 50, 50, 0}, CurveSide::BeforePvi},
      {"x overflows", {-kBig, kBig, 1000, 0, 1, 1, kBig}, CurveSide::BeforePvi},
      {"x squared overflows", {0, 1e200, 1000, 0, 0, 0, 0}, CurveSide::BeforePvi},
  };
  for (const auto& c : cases) {
    for (const auto type : {CurveType::Convex, CurveType::Concave}) {
      EXPECT_FALSE(ComputeElevation(type, c.side, c.in).has_value()) << c.what;
    }
  }
  // The grade line of a sag passes the top of the range while a crest's does not.
  const CurveInputs high{0, 1e306, 1000, kBig, 50, 50, 1e306};
  EXPECT_FALSE(ComputeElevation(CurveType::Concave, CurveSide::AfterPvi, high).has_value());
  EXPECT_TRUE(ComputeElevation(CurveType::Convex, CurveSide::AfterPvi, high).has_value());
}

TEST(ComputeElevation, UnderflowIsNotAFailure) {
  const CurveInputs in{0, 1e-200, 1e300, 5, 0, 0, 0};
  EXPECT_EQ(*ComputeElevation(CurveType::Convex, CurveSide::BeforePvi, in), 5);
}

TEST(SideForStation, StrictComparisonsWithThePviOnTheFirstGrade) {
  EXPECT_EQ(SideForStation(500, 480), CurveSide::BeforePvi);
  EXPECT_EQ(SideForStation(500, 520), CurveSide::AfterPvi);
  EXPECT_EQ(SideForStation(500, 500), CurveSide::BeforePvi);
  EXPECT_EQ(SideForStation(0, -0.0), CurveSide::BeforePvi);
}

}  // namespace
}  // namespace vcurve
