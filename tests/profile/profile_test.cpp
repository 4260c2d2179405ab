#include "profile/profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/elevation.h"
#include "core/numeric_text.h"

namespace vcurve::profile {
namespace {

// Checked by hand: grades +2 % and −2 %, R 10000: ω = −4, T = 200, L = 400,
// E = 2, curve from K0+300 (106) to K0+700 (106), high point K0+500 at 108.
Profile crest() { return Profile({{0, 100, 0}, {500, 110, 10000}, {1000, 100, 0}}); }

TEST(Profile, DerivesTheCurveElements) {
  const Profile p = crest();
  ASSERT_TRUE(p.usable());
  const VerticalCurve& c = *p.rows()[1].curve;
  EXPECT_EQ(c.kind, CurveKind::Crest);
  EXPECT_DOUBLE_EQ(*p.rows()[1].omega, -4);
  EXPECT_DOUBLE_EQ(c.tangent, 200);
  EXPECT_DOUBLE_EQ(c.length, 400);
  EXPECT_DOUBLE_EQ(c.external, 2);
  EXPECT_DOUBLE_EQ(c.startStation, 300);
  EXPECT_DOUBLE_EQ(c.startElevation, 106);
  EXPECT_DOUBLE_EQ(c.endStation, 700);
  EXPECT_DOUBLE_EQ(c.endElevation, 106);
  EXPECT_DOUBLE_EQ(*c.turnStation, 500);
  EXPECT_DOUBLE_EQ(*c.turnElevation, 108);
  EXPECT_DOUBLE_EQ(p.rows()[0].gradeAfter->percent, 2);
  EXPECT_DOUBLE_EQ(p.rows()[1].gradeAfter->length, 500);
  EXPECT_FALSE(p.rows()[2].gradeAfter);
}

struct LookupCase {
  double station;
  LookupStatus status;
  double elevation;
  double grade;
  ElementKind kind;
};

class CrestLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(CrestLookup, ElevationGradeAndElement) {
  const LookupCase& c = GetParam();
  const StationLookup found = crest().lookup(c.station);
  EXPECT_EQ(found.status, c.status);
  if (!found.ok()) return;
  EXPECT_NEAR(found.elevation, c.elevation, 1e-9);
  EXPECT_NEAR(found.grade, c.grade, 1e-9);
  EXPECT_EQ(found.kind, c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, CrestLookup,
    ::testing::Values(LookupCase{0, LookupStatus::Ok, 100, 2, ElementKind::Grade},
                      LookupCase{150, LookupStatus::Ok, 103, 2, ElementKind::Grade},
                      LookupCase{300, LookupStatus::Ok, 106, 2, ElementKind::Curve},
                      LookupCase{400, LookupStatus::Ok, 107.5, 1, ElementKind::Curve},
                      LookupCase{500, LookupStatus::Ok, 108, 0, ElementKind::Curve},
                      LookupCase{650, LookupStatus::Ok, 106.875, -1.5, ElementKind::Curve},
                      LookupCase{700, LookupStatus::Ok, 106, -2, ElementKind::Grade},
                      LookupCase{1000, LookupStatus::Ok, 100, -2, ElementKind::Grade},
                      LookupCase{-0.001, LookupStatus::OutsideProfile, 0, 0, ElementKind::Grade},
                      LookupCase{1000.001, LookupStatus::OutsideProfile, 0, 0, ElementKind::Grade},
                      LookupCase{std::numeric_limits<double>::quiet_NaN(),
                                 LookupStatus::OutsideProfile, 0, 0, ElementKind::Grade}));

// A one-PVI profile is the calculator's curve: its elevations list the same
// to the last printed digit, give or take one unit of it.
struct OneCurve {
  double station, elevation, radius, g1, g2;  // grades signed, per cent
};

class AgreesWithCalculator : public ::testing::TestWithParam<OneCurve> {};

TEST_P(AgreesWithCalculator, WithinOneUnitOfTheLastPrintedDigit) {
  const OneCurve& c = GetParam();
  const double tangent = c.radius * std::fabs(c.g2 - c.g1) / 200;
  const double reach = tangent + 50;
  const Profile p({{c.station - reach, c.elevation - c.g1 / 100 * reach, 0},
                   {c.station, c.elevation, c.radius},
                   {c.station + reach, c.elevation + c.g2 / 100 * reach, 0}});
  const bool convex = c.g2 < c.g1;
  const CurveType type = convex ? CurveType::Convex : CurveType::Concave;
  // The calculator takes grades as magnitudes, their direction from the type.
  CurveInputs in{c.station, tangent, c.radius, c.elevation, std::fabs(c.g1), std::fabs(c.g2), 0};
  for (double s = c.station - tangent; s <= c.station + tangent; s += tangent / 37) {
    in.S = s;
    const auto expected = ComputeElevation(type, SideForStation(in.P, s), in);
    const auto found = p.elevationAt(s);
    ASSERT_TRUE(expected && found) << s;
    EXPECT_LE(std::fabs(RoundToPlaces(*found, 3) - RoundToPlaces(*expected, 3)), 0.0010001) << s;
  }
}

INSTANTIATE_TEST_SUITE_P(Curves, AgreesWithCalculator,
                         ::testing::Values(OneCurve{500, 100, 800, 3, -2},
                                           OneCurve{5030.25, 1234.567, 3456.7, -2.345, 1.234},
                                           OneCurve{12345.678, 87.654, 25000, 0.5, -0.3}));

// Elevation and grade run on without a step through every element boundary.
TEST(Profile, ContinuousAtCurveEnds) {
  const Profile p(
      {{1000, 50, 0}, {1400, 58, 6000}, {1900, 49.5, 4500}, {2300, 57.25, 12000}, {2800, 52, 0}});
  ASSERT_TRUE(p.usable());
  ASSERT_EQ(p.elements().size(), 7U);
  for (std::size_t i = 1; i < p.elements().size(); ++i) {
    const double s = p.elements()[i].start;
    const double before = std::nextafter(s, 0.0) - 1e-9;
    EXPECT_NEAR(*p.elevationAt(before), *p.elevationAt(s), 1e-7) << s;
    EXPECT_NEAR(*p.gradeAt(before), *p.gradeAt(s), 1e-5) << s;
  }
}

struct ReverseCase {
  double z;
  std::vector<ElevationMatch> expected;
};

class ReverseLookup : public ::testing::TestWithParam<ReverseCase> {};

TEST_P(ReverseLookup, EveryStationAtTheElevation) {
  const ReverseCase& c = GetParam();
  const auto found = crest().stationsAtElevation(c.z);
  ASSERT_EQ(found.size(), c.expected.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_NEAR(found[i].station, c.expected[i].station, 1e-6);
    EXPECT_NEAR(*crest().elevationAt(found[i].station), c.z, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReverseLookup,
    ::testing::Values(ReverseCase{109, {}},                          // above the high point
                      ReverseCase{108, {{500, 500}}},                // the high point itself
                      ReverseCase{107.5, {{400, 400}, {600, 600}}},  // both halves of the curve
                      ReverseCase{104, {{200, 200}, {800, 800}}},    // both grades
                      ReverseCase{106, {{300, 300}, {700, 700}}},    // the curve's ends, found once
                      ReverseCase{100, {{0, 0}, {1000, 1000}}},      // the profile's ends
                      ReverseCase{99.999, {}}));

TEST(Profile, ReverseLookupGivesALevelStretchOnce) {
  const Profile p({{0, 100, 0}, {300, 103, 0}, {600, 103, 0}, {900, 100, 0}});
  const auto found = p.stationsAtElevation(103);
  ASSERT_EQ(found.size(), 1U);
  EXPECT_EQ(found[0], (ElevationMatch{300, 600}));
}

TEST(Profile, OverlappingCurvesLeaveTheirCommonStretchUncomputed) {
  // T = 150 and 120 on a grade of 200 m: both claim K0+380..K0+450.
  const Profile p({{0, 100, 0}, {300, 106, 6000}, {500, 100, 4000}, {900, 112, 0}});
  ASSERT_TRUE(p.usable());
  ASSERT_EQ(p.overfullGrades().size(), 1U);
  EXPECT_EQ(p.overfullGrades()[0].row, 1U);
  EXPECT_DOUBLE_EQ(p.overfullGrades()[0].taken, 270);
  EXPECT_TRUE(p.lookup(379.9).ok());
  EXPECT_EQ(p.lookup(380).status, LookupStatus::InOverlap);
  EXPECT_EQ(p.lookup(449.9).status, LookupStatus::InOverlap);
  EXPECT_TRUE(p.lookup(450).ok());
}

TEST(Profile, CurvesThatTouchWithinHalfAMillimetreDoNotOverlap) {
  // T = 100 + 100.0004 on a grade of 200 m.
  const Profile p({{0, 100, 0}, {300, 106, 5000}, {500, 102, 5000.02}, {800, 108, 0}});
  EXPECT_TRUE(p.overfullGrades().empty());
  EXPECT_TRUE(p.lookup(400).ok());
}

TEST(Profile, ACurvePastTheNextPviClaimsTheGroundBeyondIt) {
  // The curve at K0+300 (T = 250) runs past K0+500, which has no curve.
  const Profile p({{0, 100, 0}, {300, 106, 12500}, {500, 102, 0}, {1000, 94, 0}});
  ASSERT_EQ(p.overfullGrades().size(), 1U);
  EXPECT_TRUE(p.lookup(499).ok());
  EXPECT_EQ(p.lookup(500).status, LookupStatus::InOverlap);
  EXPECT_EQ(p.lookup(549.9).status, LookupStatus::InOverlap);
  EXPECT_TRUE(p.lookup(550).ok());
}

TEST(Profile, KeyPointsInStationOrder) {
  const auto keys = crest().keyPoints();
  std::vector<std::pair<double, KeyPointKind>> got;
  for (const KeyPoint& k : keys) got.emplace_back(k.station, k.kind);
  EXPECT_EQ(got, (std::vector<std::pair<double, KeyPointKind>>{{0, KeyPointKind::Start},
                                                               {300, KeyPointKind::CurveStart},
                                                               {500, KeyPointKind::Pvi},
                                                               {700, KeyPointKind::CurveEnd},
                                                               {1000, KeyPointKind::End}}));
}

TEST(Profile, CollinearPointsMakeNoCurve) {
  // ω is a rounding error of 1e-14, not a break.
  const Profile p({{0, 0.1, 0}, {100, 0.4, 5000}, {200, 0.7, 0}});
  ASSERT_NE(*p.rows()[1].omega, 0);
  EXPECT_FALSE(p.rows()[1].curve);
  EXPECT_EQ(p.elements().size(), 2U);
}

struct InvalidCase {
  const char* what;
  std::vector<ProfilePoint> points;
  std::optional<std::size_t> row;
  std::optional<InputColumn> column;
};

class Invalid : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(Invalid, NamesTheRowAndColumn) {
  const InvalidCase& c = GetParam();
  const Profile p(c.points);
  ASSERT_FALSE(p.usable()) << c.what;
  EXPECT_EQ(p.inputErrors().front().row, c.row) << c.what;
  EXPECT_EQ(p.inputErrors().front().column, c.column) << c.what;
  EXPECT_TRUE(p.rows().empty());
  EXPECT_EQ(p.lookup(0).status, LookupStatus::Unusable);
  EXPECT_TRUE(p.stationsAtElevation(100).empty());
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Points, Invalid,
    ::testing::Values(
        InvalidCase{"empty", {}, std::nullopt, std::nullopt},
        InvalidCase{"one point", {{0, 100, 0}}, std::nullopt, std::nullopt},
        InvalidCase{"equal stations", {{0, 1, 0}, {0, 2, 0}}, 1, InputColumn::Station},
        InvalidCase{"backwards", {{0, 1, 0}, {50, 2, 0}, {40, 2, 0}}, 2, InputColumn::Station},
        InvalidCase{"NaN station", {{0, 1, 0}, {kNaN, 2, 0}}, 1, InputColumn::Station},
        InvalidCase{"infinite elevation", {{0, kInf, 0}, {10, 2, 0}}, 0, InputColumn::Elevation},
        // Grades and tangents of such values would overflow.
        InvalidCase{"beyond 100,000 km", {{0, 1, 0}, {1.1e8, 2, 0}}, 1, InputColumn::Station},
        InvalidCase{"elevation of 1e6", {{0, 1e6, 0}, {10, 2, 0}}, 0, InputColumn::Elevation},
        InvalidCase{
            "negative radius", {{0, 1, 0}, {5, 1, -1}, {10, 2, 0}}, 1, InputColumn::Radius}));

struct CellCase {
  InputColumn column;
  const char* text;
  double value;  // when read
  bool ok;
};

class Cells : public ::testing::TestWithParam<CellCase> {};

TEST_P(Cells, ReadOrRefused) {
  const CellCase& c = GetParam();
  const CellReading r = readCell(c.column, c.text);
  EXPECT_EQ(r.ok(), c.ok) << c.text << ": " << r.error;
  if (c.ok) {
    EXPECT_EQ(r.value, c.value) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cells,
    ::testing::Values(CellCase{InputColumn::Station, "K5+030.25", 5030.25, true},
                      CellCase{InputColumn::Station, " 5030.25\t", 5030.25, true},
                      CellCase{InputColumn::Station, "K5+30", 0, false},
                      CellCase{InputColumn::Station, "", 0, false},
                      CellCase{InputColumn::Elevation, "1e400", 0, false},
                      CellCase{InputColumn::Elevation, "nan", 0, false},
                      CellCase{InputColumn::Elevation, "12.5m", 0, false},
                      CellCase{InputColumn::Elevation, "-3.5", -3.5, true},
                      CellCase{InputColumn::Radius, "", 0, true},
                      CellCase{InputColumn::Radius, "-1", 0, false},
                      CellCase{InputColumn::Radius, "3000", 3000, true},
                      // Full width, as a Chinese input method types it.
                      CellCase{InputColumn::Station, "Ｋ５＋０３０．２５", 5030.25, true},
                      CellCase{InputColumn::Elevation, "　－５．５　", -5.5, true},
                      CellCase{InputColumn::Radius, "３０００", 3000, true},
                      CellCase{InputColumn::Radius, "　", 0, true},
                      CellCase{InputColumn::Elevation, "５．５ｍ", 0, false}));

}  // namespace
}  // namespace vcurve::profile

namespace vcurve::profile {
namespace {

struct InsertCase {
  std::vector<ProfilePoint> points;
  std::size_t at;
  ProfilePoint expected;
};

class Insert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(Insert, OnTheLineItJoins) {
  EXPECT_EQ(pointToInsert(GetParam().points, GetParam().at), GetParam().expected);
}

const std::vector<ProfilePoint> kTwoGrades{{0, 100, 0}, {400, 108, 5000}, {1000, 96, 0}};

INSTANTIATE_TEST_SUITE_P(Places, Insert,
                         ::testing::Values(InsertCase{kTwoGrades, 1, {200, 104, 0}},
                                           InsertCase{kTwoGrades, 0, {-100, 98, 0}},
                                           InsertCase{kTwoGrades, 3, {1100, 94, 0}},
                                           InsertCase{{{50, 7, 0}}, 1, {150, 7, 0}},
                                           InsertCase{{}, 0, {0, 0, 0}}));

}  // namespace
}  // namespace vcurve::profile
