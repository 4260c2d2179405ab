#include "profile/stake_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

std::shared_ptr<const Profile> shared(std::vector<ProfilePoint> points) {
  return std::make_shared<const Profile>(std::move(points));
}

// From K0+013.4 to K0+961.5, grades of ±2 % with a curve from K0+300 to
// K0+700.
std::shared_ptr<const Profile> sample() {
  return shared({{13.4, 100, 0}, {500, 109.732, 10000}, {961.5, 100.502, 0}});
}

std::vector<double> stations(const StakeTable& table) {
  std::vector<double> all;
  for (std::size_t i = 0; i < table.size(); ++i) all.push_back(table.station(i));
  return all;
}

// The plan against the obvious way of making it: every multiple, every key
// point and every added station, sorted, those printing alike merged.
TEST(StakeTable, StationsAreTheMultiplesKeyPointsAndAddedOnes) {
  for (const double interval : {20.0, 10.0, 0.5, 7.25, 1000.0}) {
    const std::vector<double> added{100, 13.4, 427.123, 5000};
    const StakeTable table(sample(), nullptr, interval, added);
    std::set<double> expected;
    for (double m = std::ceil(13.4 / interval); m * interval <= 961.5; ++m) {
      expected.insert(std::round(m * interval * 1000) / 1000);
    }
    for (const KeyPoint& k : sample()->keyPoints()) expected.insert(k.station);
    expected.insert({100, 427.123});
    std::vector<double> merged;
    for (const double s : expected) {
      if (merged.empty() || s - merged.back() >= 0.0005) merged.push_back(s);
    }
    EXPECT_EQ(stations(table), merged) << interval;
    for (std::size_t i = 0; i < table.size(); i += 7) {
      EXPECT_EQ(table.rowAtOrAfter(table.station(i)), i);
    }
  }
}

TEST(StakeTable, NotesNameTheKeyPoints) {
  const StakeTable table(sample(), nullptr, 20, {427.123});
  EXPECT_EQ(table.note(0), "起点");
  EXPECT_EQ(table.note(table.rowAtOrAfter(300)), "竖曲线起点");
  EXPECT_EQ(table.note(table.rowAtOrAfter(500)), "变坡点");
  EXPECT_EQ(table.note(table.rowAtOrAfter(427.123)), "加桩");
  EXPECT_EQ(table.note(table.rowAtOrAfter(20)), "");
  EXPECT_EQ(table.note(table.size() - 1), "终点");
}

// A point's remark follows its own kind, whether its row is an interval
// station (K0+500) or one of its own, and does not name the kind twice;
// other rows nearby have none.
TEST(StakeTable, RemarksFollowTheirPoints) {
  const auto p = shared({{13.4, 100, 0, "起点 接既有路"},
                         {500, 109.732, 10000, "垭口"},
                         {961.5, 100.502, 0, "终点"}});
  const StakeTable table(p, nullptr, 20, {500.0004});
  EXPECT_EQ(table.note(0), "起点 接既有路");
  EXPECT_EQ(table.note(table.rowAtOrAfter(500)), "变坡点 垭口");
  EXPECT_EQ(table.note(table.rowAtOrAfter(480)), "");
  EXPECT_EQ(table.note(table.rowAtOrAfter(300)), "竖曲线起点");
  EXPECT_EQ(table.note(table.size() - 1), "终点");
}

TEST(StakeTable, FillAndCutFromThePrintedElevations) {
  auto ground = std::make_shared<const GroundLine>(
      std::vector<GroundPoint>{{0, 99.0004}, {100, 104.0004}, {1000, 104}});
  const StakeTable table(sample(), ground, 20);
  const StakeRow start = table.row(0);  // design 100.000, ground 99.670
  EXPECT_EQ(table.cellText(start, StakeColumn::Ground), "99.670");
  EXPECT_EQ(table.cellText(start, StakeColumn::Fill), "0.330");
  EXPECT_EQ(table.cellText(start, StakeColumn::Cut), "");
  const StakeRow at40 = table.row(table.rowAtOrAfter(40));  // design 100.532, ground 101.000
  EXPECT_EQ(table.cellText(at40, StakeColumn::Design), "100.532");
  EXPECT_EQ(table.cellText(at40, StakeColumn::Cut), "0.468");
  EXPECT_FALSE(at40.fill);
  const StakeRow at500 = table.row(table.rowAtOrAfter(500));  // 109.732 − E = 107.732
  EXPECT_EQ(table.cellText(at500, StakeColumn::Fill), "3.732");
  EXPECT_EQ(table.cellText(at500, StakeColumn::Grade), "0.00");
}

TEST(StakeTable, GroundColumnsEmptyWithoutAGroundLine) {
  const StakeTable table(sample(), nullptr, 20);
  const StakeRow row = table.row(3);
  EXPECT_TRUE(row.design);
  EXPECT_FALSE(row.ground || row.fill || row.cut);
  EXPECT_FALSE(table.hasGround());
}

TEST(StakeTable, Intervals) {
  EXPECT_EQ(StakeTable::intervalProblem(20, 1000), "");
  EXPECT_EQ(StakeTable::intervalProblem(0.001, 1000), "");
  EXPECT_NE(StakeTable::intervalProblem(0.0005, 1000), "");
  EXPECT_NE(StakeTable::intervalProblem(0.0015, 1000), "");
  EXPECT_NE(StakeTable::intervalProblem(0.001, 1e6), "");
  EXPECT_THROW(StakeTable(sample(), nullptr, 0), std::invalid_argument);
}

TEST(GroundLine, LinearBetweenItsPointsOnlyInsideThem) {
  const GroundLine g({{0, 10}, {10, 20}, {30, 10}});
  EXPECT_DOUBLE_EQ(*g.elevationAt(5), 15);
  EXPECT_DOUBLE_EQ(*g.elevationAt(10), 20);
  EXPECT_DOUBLE_EQ(*g.elevationAt(25), 12.5);
  EXPECT_DOUBLE_EQ(*g.elevationAt(30), 10);
  EXPECT_FALSE(g.elevationAt(-0.1));
  EXPECT_FALSE(g.elevationAt(30.1));
  EXPECT_THROW(GroundLine({{0, 1}, {0, 2}}), std::invalid_argument);
}

}  // namespace
}  // namespace vcurve::profile
