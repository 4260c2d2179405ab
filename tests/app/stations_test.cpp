#include "app/table/stations.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/numeric_text.h"
#include "decimal_text.h"

namespace vcurve::table {
namespace {

std::vector<double> stationsFor(std::vector<std::string_view> curve,
                                const std::vector<std::string_view>& extra) {
  curve.insert(curve.end(), extra.begin(), extra.end());
  const TableRequest request = parseCommandLine(curve).request;
  std::vector<double> stations;
  forEachStation(planStations(request), [&](double s) { stations.push_back(s); });
  return stations;
}

const std::vector<std::string_view> kWorkedExample = {
    "--type", "convex",      "--pvi", "500",  "--tangent", "40",   "--radius",
    "800",    "--elevation", "100",   "--g1", "3",         "--g2", "2"};

struct PlanCase {
  const char* what;
  std::vector<std::string_view> curve;
  std::vector<std::string_view> extra;
  std::vector<double> stations;
};

class PlanStations : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanStations, AscendingEachOnce) {
  EXPECT_EQ(stationsFor(GetParam().curve, GetParam().extra), GetParam().stations);
}

const std::vector<std::string_view> kOffGrid = {
    "--type", "concave",     "--pvi", "5030.5", "--tangent", "45.25", "--radius",
    "3000",   "--elevation", "88",    "--g1",   "1.5",       "--g2",  "1.5"};

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanStations,
    ::testing::Values(
        PlanCase{"whole curve every 20 m", kWorkedExample, {}, {460, 480, 500, 520, 540}},
        PlanCase{"ends and PVI off the 20 m grid",
                 kOffGrid,
                 {},
                 {4985.25, 5000, 5020, 5030.5, 5040, 5060, 5075.75}},
        PlanCase{"stations sorted, repeats once",
                 kWorkedExample,
                 {"--at", "520", "--at", "K0+480", "--at", "480.0", "--at", "460"},
                 {460, 480, 520}},
        PlanCase{"both ends on the step",
                 kWorkedExample,
                 {"--from", "460", "--to", "500", "--step", "20"},
                 {460, 480, 500}},
        PlanCase{"end off the step",
                 kWorkedExample,
                 {"--from", "460", "--to", "500", "--step", "15"},
                 {460, 475, 490}},
        PlanCase{"range and single stations merged",
                 kWorkedExample,
                 {"--from", "460", "--to", "500", "--step", "20", "--at", "470", "--at", "480"},
                 {460, 470, 480, 500}},
        PlanCase{"exponents and chainage in a range",
                 kWorkedExample,
                 {"--from", "K0+460", "--to", "5.4e2", "--step", "2E1"},
                 {460, 480, 500, 520, 540}},
        PlanCase{"one station when from equals to",
                 kWorkedExample,
                 {"--from", "500", "--to", "500", "--step", "7"},
                 {500}}),
    [](const auto& info) {
      std::string name;
      for (const char c : std::string(info.param.what)) name.push_back(std::isalnum(c) ? c : '_');
      return name;
    });

// Repeated addition of 0.1 drifts off the decimals and misses the end; the
// stations must be the ones the decimal texts give.
TEST(PlanStations, DecimalStepsLandOnTheirDecimals) {
  const auto stations = stationsFor(kOffGrid, {"--from", "4990", "--to", "5070", "--step", "0.1"});
  ASSERT_EQ(stations.size(), 801U);
  EXPECT_EQ(stations[3], *NumberFromText("4990.3"));
  EXPECT_EQ(stations[799], *NumberFromText("5069.9"));
  EXPECT_EQ(stations.back(), 5070);
}

TEST(CurveEnds, AreThePrintedEnds) {
  // 5000.1 + 40.1 is 5040.200000000001 in doubles; a user typing the end
  // "5040.2" must still be on the curve.
  const auto ends = curveEnds(5000.1, 40.1);
  ASSERT_TRUE(ends.has_value());
  EXPECT_EQ(ends->end, *NumberFromText("5040.2"));
  EXPECT_EQ(ends->start, 4960);
  EXPECT_FALSE(curveEnds(1.7e308, 1e308).has_value());
}

TEST(SteppedStation, IsWhatItsTextReads) {
  std::mt19937_64 random(5030);
  for (int sample = 0; sample < 100000; ++sample) {
    const int scale = static_cast<int>(random() % 10);
    // Up to 10^18 units, so that both the quick division and the text route run.
    const auto units = static_cast<std::int64_t>(random() % 1'000'000'000'000'000'000) /
                       static_cast<std::int64_t>(std::pow(10, random() % 18));
    const SteppedStations stepped{sample % 2 == 0 ? units : -units, 1, 1, scale};

    const std::string text = testing::decimalText(stepped.first, scale);
    ASSERT_EQ(steppedStation(stepped, 0), *NumberFromText(text)) << text;
  }
}

}  // namespace
}  // namespace vcurve::table
