#include "sections/cross_section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vcurve::sections {
namespace {

// Hand-worked to the tenth of a millimetre; the engine must agree exactly.
constexpr double kExact = 1e-9;

// A two-lane 二级 road: 3.5 m lanes, 0.75 m 硬路肩 and 土路肩, 2 % crown,
// 3 % shoulders, design elevation at the subgrade edge. In normal crown
// the centre is 0.1075 m above it, the carriageway edge 0.0375 m.
SectionTemplate twoLane() {
  SectionTemplate t;
  t.from = 0;
  t.to = 5000;
  t.left = t.right = {0, 3.5, 0.75, 0.75};
  t.crown = 2;
  t.earthShoulder = 3;
  t.designPoint = DesignPoint::SubgradeEdge;
  return t;
}

// A curve to the right, 6 % over 60 m transitions.
Superelevation rightCurve(RotationAxis axis, double widening = 0) {
  return {1000, 1060, 1200, 1260, 6, Side::Right, axis, widening};
}

// A four-lane 高速: 1 m median half-width, 7.5 m carriageway, 3 m 硬路肩,
// 0.75 m 土路肩, design elevation at the median edges, a curve to the left
// of 4 % turning about the median over 120 m.
SectionTemplate fourLane() {
  SectionTemplate t;
  t.from = 0;
  t.to = 5000;
  t.left = t.right = {1, 7.5, 3, 0.75};
  t.crown = 2;
  t.earthShoulder = 3;
  t.designPoint = DesignPoint::MedianEdge;
  return t;
}
Superelevation leftCurve() {
  return {1500, 1620, 1900, 2020, 4, Side::Left, RotationAxis::Centreline, 0};
}

struct EdgeCase {
  const char* name;
  RotationAxis axis;
  double station;
  double centre, leftEdge, rightEdge, leftSubgrade, rightSubgrade;
};

class TwoLane : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(TwoLane, EdgeHeightsAboveTheDesignElevation) {
  const EdgeCase& c = GetParam();
  const Sections sections({twoLane()}, {rightCurve(c.axis)});
  const auto s = sections.at(c.station);
  ASSERT_TRUE(s);
  EXPECT_NEAR(s->centre, c.centre, kExact);
  EXPECT_NEAR(s->left.height[1], c.leftEdge, kExact);
  EXPECT_NEAR(s->right.height[1], c.rightEdge, kExact);
  EXPECT_NEAR(s->left.height[3], c.leftSubgrade, kExact);
  EXPECT_NEAR(s->right.height[3], c.rightSubgrade, kExact);
}

INSTANTIATE_TEST_SUITE_P(
    InnerEdge6PercentOver60m, TwoLane,
    ::testing::Values(
        EdgeCase{"before", RotationAxis::InnerEdge, 990, 0.1075, 0.0375, 0.0375, 0, 0},
        EdgeCase{"atStart", RotationAxis::InnerEdge, 1000, 0.1075, 0.0375, 0.0375, 0, 0},
        // t = 1/4: the outer side turns about the crown to +1 %.
        EdgeCase{"outerRising", RotationAxis::InnerEdge, 1015, 0.1075, 0.1425, 0.0375,
                 0.1425 + 0.0075 - 0.0225, 0},
        // t = 1/3: both sides at the crown slope, one plane.
        EdgeCase{"oneSlope", RotationAxis::InnerEdge, 1020, 0.1075, 0.1775, 0.0375, 0.17, 0},
        // t = 2/3: 4 % about the inner edge.
        EdgeCase{"rotating", RotationAxis::InnerEdge, 1040, 0.1775, 0.3175, 0.0375,
                 0.3175 + 0.03 - 0.0225, 0.0375 - 0.03 - 0.03},
        EdgeCase{"full", RotationAxis::InnerEdge, 1100, 0.2475, 0.4575, 0.0375, 0.48, -0.0525},
        EdgeCase{"exitHalf", RotationAxis::InnerEdge, 1230, 0.1425, 0.2475, 0.0375,
                 0.2475 + 0.0225 - 0.0225, 0.0375 - 0.0225 - 0.0225},
        EdgeCase{"after", RotationAxis::InnerEdge, 1300, 0.1075, 0.0375, 0.0375, 0, 0},
        // About the centre: t = 1/2 is where the outer side reaches +2 %.
        EdgeCase{"centreHalf", RotationAxis::Centreline, 1030, 0.1075, 0.1775, 0.0375,
                 0.1775 + 0.015 - 0.0225, 0},
        EdgeCase{"centreFull", RotationAxis::Centreline, 1100, 0.1075, 0.3175, -0.1025,
                 0.3175 + 0.045 - 0.0225, -0.1025 - 0.045 - 0.045},
        // About the outer edge, which keeps its normal elevation.
        EdgeCase{"outerFull", RotationAxis::OuterEdge, 1100, -0.1725, 0.0375, -0.3825,
                 0.0375 + 0.045 - 0.0225, -0.3825 - 0.09},
        EdgeCase{"outerRotating", RotationAxis::OuterEdge, 1040, -0.1025, 0.0375, -0.2425, 0.045,
                 -0.3025}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FourLane, TurnsAboutTheMedianEdgesBeforeInsideAndAfter) {
  const Sections sections({fourLane()}, {leftCurve()});
  struct Row {
    double station, leftEdge, rightEdge, leftSubgrade, rightSubgrade;
  };
  const Row rows[] = {
      {1400, -0.15, -0.15, -0.2325, -0.2325},
      {1530, -0.15, -0.0375, -0.2325, -0.0375 - 0.015 - 0.0225},  // outer at −0.5 %
      {1590, -0.1875, 0.1875, -0.1875 - 0.075 - 0.0225, 0.1875 + 0.075 - 0.0225},
      {1700, -0.3, 0.3, -0.45, 0.3975},
      {1960, -0.15, 0.075, -0.2325, 0.075 + 0.03 - 0.0225},  // exit, outer at +1 %
      {2100, -0.15, -0.15, -0.2325, -0.2325},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.station);
    const auto s = sections.at(r.station);
    ASSERT_TRUE(s);
    EXPECT_NEAR(s->centre, 0, kExact);  // the median stays at the design elevation
    EXPECT_NEAR(s->left.height[0], 0, kExact);
    EXPECT_NEAR(s->left.height[1], r.leftEdge, kExact);
    EXPECT_NEAR(s->right.height[1], r.rightEdge, kExact);
    EXPECT_NEAR(s->left.height[3], r.leftSubgrade, kExact);
    EXPECT_NEAR(s->right.height[3], r.rightSubgrade, kExact);
  }
}

TEST(Widening, GrowsTheInnerCarriagewayAndLeavesThePivotInPlace) {
  const Sections sections({twoLane()}, {rightCurve(RotationAxis::InnerEdge, 0.8)});
  const auto quarter = sections.at(1015);
  EXPECT_NEAR(quarter->right.widening, 0.2, kExact);
  EXPECT_NEAR(quarter->right.offset[3], 5.2, kExact);
  EXPECT_NEAR(quarter->left.offset[3], 5.0, kExact);
  const auto full = sections.at(1100);
  EXPECT_NEAR(full->right.offset[1], 4.3, kExact);
  EXPECT_NEAR(full->heightAt(Side::Right, 3.5), 0.0375, kExact);
  EXPECT_NEAR(full->right.height[1], 0.0375 - 0.048, kExact);
}

TEST(HeightAt, FollowsEachPartAndCarriesTheShoulderSlopeOn) {
  const Sections sections({twoLane()}, {rightCurve(RotationAxis::InnerEdge)});
  const auto s = sections.at(1100);
  struct Row {
    double offset, height;
  };
  const Row rows[] = {
      {0, 0.2475}, {-2, 0.3675}, {-3.5, 0.4575}, {-4.25, 0.5025},
      {4, 0.0075}, {5, -0.0525}, {6, -0.1125},   {-6, 0.48 - 0.03},
  };
  for (const Row& r : rows) EXPECT_NEAR(s->heightAt(r.offset), r.height, kExact) << r.offset;
}

TEST(Lookup, HoldsOnlyInsideTemplatesAndCurves) {
  SectionTemplate first = twoLane();
  first.to = 1000;
  SectionTemplate second = twoLane();
  second.from = 1200;
  const Sections sections({first, second},
                          {{1300, 1360, 1400, 1460, 6, Side::Left, RotationAxis::Centreline, 0}});
  EXPECT_EQ(sections.templateAt(1000), &sections.templates()[0]);
  EXPECT_EQ(sections.templateAt(1100), nullptr);
  EXPECT_EQ(sections.templateAt(-1), nullptr);
  EXPECT_FALSE(sections.at(5001));
  EXPECT_EQ(sections.curveAt(1299.999), nullptr);
  EXPECT_NE(sections.curveAt(1460), nullptr);
  EXPECT_FALSE(sections.at(1300)->superelevated);
  EXPECT_TRUE(sections.at(1300.001)->superelevated);
}

TEST(Problems, NameTheRowAndKeepTheRest) {
  SectionTemplate negative = twoLane();
  negative.right.hardShoulder = -0.75;
  SectionTemplate overlapping = twoLane();
  overlapping.from = 4000;
  overlapping.to = 6000;
  Superelevation overlong = rightCurve(RotationAxis::InnerEdge);
  overlong.fullStart = 1210;
  Superelevation overlaps = rightCurve(RotationAxis::InnerEdge);
  overlaps.start = 1250;
  overlaps.fullStart = 1300;
  overlaps.fullEnd = 1400;
  overlaps.end = 1450;
  Superelevation belowCrown = {2000, 2050, 2100, 2150, 1.5, Side::Left, RotationAxis::InnerEdge, 0};
  struct Row {
    std::vector<SectionTemplate> templates;
    std::vector<Superelevation> curves;
    int table;
    std::size_t row;
    std::string words;
  };
  const Row rows[] = {
      {{negative}, {}, 0, 0, "右侧硬路肩宽度 -0.75 m 不能为负"},
      {{twoLane(), overlapping}, {}, 0, 1, "重叠"},
      {{twoLane()}, {overlong}, 1, 0, "超高过渡段长于曲线所能容纳"},
      {{twoLane()}, {rightCurve(RotationAxis::InnerEdge), overlaps}, 1, 1, "重叠"},
      {{twoLane()}, {belowCrown}, 1, 0, "小于路拱横坡 2%"},
  };
  for (const Row& r : rows) {
    const auto found = Sections::problems(r.templates, r.curves);
    ASSERT_EQ(found.size(), 1U) << r.words;
    EXPECT_EQ(found[0].table, r.table);
    EXPECT_EQ(found[0].row, r.row);
    EXPECT_NE(found[0].message.find(r.words), std::string::npos) << found[0].message;
  }
  EXPECT_THROW(Sections({negative}, {}), std::invalid_argument);
}

}  // namespace
}  // namespace vcurve::sections
