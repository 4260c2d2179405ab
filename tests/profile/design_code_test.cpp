#include "profile/design_code.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "profile/run_checks.h"

namespace vcurve::profile {
namespace {

// Every value by speed, as the codes print them: crest, sag, curve length
// (一般值, 极限值), maximum grade (极限值, 一般值), shortest grade.
struct SpeedRow {
  const char* code;
  int speed;
  double crest[2], sag[2], curve[2];
  double maximumGrade, generalMaximumGrade, minimumGradeLength;
};

class Tables : public ::testing::TestWithParam<SpeedRow> {};

TEST_P(Tables, AsPrinted) {
  const SpeedRow& row = GetParam();
  const SpeedLimits* l = designCode(row.code)->forSpeed(row.speed);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->crestRadius.general, row.crest[0]);
  EXPECT_EQ(l->crestRadius.minimum, row.crest[1]);
  EXPECT_EQ(l->sagRadius.general, row.sag[0]);
  EXPECT_EQ(l->sagRadius.minimum, row.sag[1]);
  EXPECT_EQ(l->curveLength.general, row.curve[0]);
  EXPECT_EQ(l->curveLength.minimum, row.curve[1]);
  EXPECT_EQ(l->maximumGrade, row.maximumGrade);
  EXPECT_EQ(l->generalMaximumGrade, row.generalMaximumGrade);
  EXPECT_EQ(l->minimumGradeLength, row.minimumGradeLength);
}

INSTANTIATE_TEST_SUITE_P(
    Both, Tables,
    ::testing::Values(SpeedRow{"jtg", 120, {17000, 11000}, {6000, 4000}, {250, 100}, 3, 0, 300},
                      SpeedRow{"jtg", 100, {10000, 6500}, {4500, 3000}, {210, 85}, 4, 0, 250},
                      SpeedRow{"jtg", 80, {4500, 3000}, {3000, 2000}, {170, 70}, 5, 0, 200},
                      SpeedRow{"jtg", 60, {2000, 1400}, {1500, 1000}, {120, 50}, 6, 0, 150},
                      SpeedRow{"jtg", 40, {700, 450}, {700, 450}, {90, 35}, 7, 0, 120},
                      SpeedRow{"jtg", 30, {400, 250}, {400, 250}, {60, 25}, 8, 0, 100},
                      SpeedRow{"jtg", 20, {200, 100}, {200, 100}, {50, 20}, 9, 0, 60},
                      SpeedRow{"cjj37", 100, {10000, 6500}, {4500, 3000}, {210, 85}, 4, 3, 250},
                      SpeedRow{"cjj37", 80, {4500, 3000}, {3000, 2000}, {170, 70}, 5, 4, 200},
                      SpeedRow{"cjj37", 60, {1800, 1200}, {1500, 1000}, {120, 50}, 6, 5, 150},
                      SpeedRow{"cjj37", 50, {1350, 900}, {1050, 700}, {100, 40}, 6, 5.5, 130},
                      SpeedRow{"cjj37", 40, {600, 400}, {700, 450}, {90, 35}, 7, 6, 110},
                      SpeedRow{"cjj37", 30, {400, 250}, {400, 250}, {60, 25}, 8, 7, 85},
                      SpeedRow{"cjj37", 20, {150, 100}, {150, 100}, {50, 20}, 8, 8, 60}));

// 最大坡长 by grade, every cell of both tables, and the grades between
// rows: the steeper row, a grade no steeper than a 缓和坡段 free unless
// listed, the urban table only above the 一般值.
struct LengthCase {
  const char* code;
  int speed;
  double grade;
  std::optional<double> length;
};

class GradeLengths : public ::testing::TestWithParam<LengthCase> {};

TEST_P(GradeLengths, ByGrade) {
  const LengthCase& c = GetParam();
  const DesignCode* code = designCode(c.code);
  const CheckBasis basis{code, code->forSpeed(c.speed)};
  EXPECT_EQ(maximumGradeLength(basis, c.grade), c.length)
      << c.code << " " << c.speed << " km/h " << c.grade << "%";
}

std::vector<LengthCase> lengthCases() {
  std::vector<LengthCase> cases;
  const auto row = [&](const char* code, int speed, std::vector<std::pair<double, double>> cells) {
    for (const auto& [grade, length] : cells) cases.push_back({code, speed, grade, length});
  };
  row("jtg", 120, {{3, 900}, {4, 700}});
  row("jtg", 100, {{3, 1000}, {4, 800}, {5, 600}});
  row("jtg", 80, {{3, 1100}, {4, 900}, {5, 700}, {6, 500}});
  row("jtg", 60, {{3, 1200}, {4, 1000}, {5, 800}, {6, 600}});
  row("jtg", 40, {{4, 1100}, {5, 900}, {6, 700}, {7, 500}, {8, 300}});
  row("jtg", 30, {{4, 1100}, {5, 900}, {6, 700}, {7, 500}, {8, 300}, {9, 200}});
  row("jtg", 20, {{4, 1200}, {5, 1000}, {6, 800}, {7, 600}, {8, 400}, {9, 300}, {10, 200}});
  row("cjj37", 100, {{4, 700}});
  row("cjj37", 80, {{5, 600}});
  row("cjj37", 60, {{6, 400}, {6.5, 350}, {7, 300}});
  row("cjj37", 50, {{6, 350}, {6.5, 300}, {7, 250}});
  row("cjj37", 40, {{6.5, 300}, {7, 250}, {8, 200}});
  const std::vector<LengthCase> between{
      {"jtg", 120, 2.99, std::nullopt}, {"jtg", 120, 3.01, 700},          {"jtg", 80, 4.5, 700},
      {"jtg", 80, 6.01, 500},           {"jtg", 40, 3, std::nullopt},     {"jtg", 40, 3.01, 1100},
      {"jtg", 20, 10.5, 200},           {"cjj37", 60, 5, std::nullopt},   {"cjj37", 60, 5.01, 400},
      {"cjj37", 60, 6.51, 300},         {"cjj37", 50, 5.5, std::nullopt}, {"cjj37", 50, 5.51, 350},
      {"cjj37", 40, 6, std::nullopt},   {"cjj37", 30, 8, std::nullopt}};
  cases.insert(cases.end(), between.begin(), between.end());
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Both, GradeLengths, ::testing::ValuesIn(lengthCases()));

// The classes and the speeds each may have, and what each allows.
struct ClassRow {
  const char* code;
  const char* name;
  std::vector<int> speeds;
  bool allowance, averageGrade;
  double icyGrade, icyAltitude;
};

class Classes : public ::testing::TestWithParam<ClassRow> {};

TEST_P(Classes, AsPrinted) {
  const ClassRow& row = GetParam();
  const RoadClass* c = designCode(row.code)->forClass(row.name);
  ASSERT_NE(c, nullptr) << row.name;
  EXPECT_EQ(std::vector<int>(c->speeds.begin(), c->speeds.end()), row.speeds);
  EXPECT_EQ(c->gradeAllowance, row.allowance);
  EXPECT_EQ(c->averageGrade, row.averageGrade);
  EXPECT_EQ(c->icyMaximumGrade, row.icyGrade);
  EXPECT_EQ(c->icyAltitude, row.icyAltitude);
}

INSTANTIATE_TEST_SUITE_P(
    Both, Classes,
    ::testing::Values(ClassRow{"jtg", "高速公路", {120, 100, 80}, true, false, 0, 0},
                      ClassRow{"jtg", "一级公路", {100, 80, 60}, false, false, 0, 0},
                      ClassRow{"jtg", "二级公路", {80, 60}, false, true, 0, 0},
                      ClassRow{"jtg", "三级公路", {40, 30}, true, true, 0, 0},
                      ClassRow{"jtg", "四级公路", {30, 20}, true, true, 8, 2000},
                      ClassRow{"cjj37", "快速路", {100, 80, 60}, false, false, 3.5, 0},
                      ClassRow{"cjj37", "主干路", {60, 50, 40}, true, false, 6, 0},
                      ClassRow{"cjj37", "次干路", {50, 40, 30}, true, false, 6, 0},
                      ClassRow{"cjj37", "支路", {40, 30, 20}, true, false, 6, 0}));

TEST(DesignCodes, TheRestOfEachCode) {
  const DesignCode& jtg = highwayCode();
  EXPECT_EQ(jtg.drainageGrade, 0.3);
  EXPECT_EQ(jtg.reliefGrade, 3);
  const AverageGradeLimits& a = jtg.averageGrade;
  EXPECT_EQ(a.lowRise, 200);
  EXPECT_EQ(a.highRise, 500);
  EXPECT_EQ(a.lowRiseGrade, 5.5);
  EXPECT_EQ(a.highRiseGrade, 5);
  EXPECT_EQ(a.window, 3000);
  EXPECT_EQ(a.windowGrade, 5.5);
  const DesignCode& cjj = urbanCode();
  EXPECT_EQ(cjj.drainageGrade, 0.3);
  EXPECT_EQ(cjj.reliefGrade, 3);
  EXPECT_EQ(cjj.averageGrade.window, 0);
  EXPECT_EQ(cjj.reductionBands, 0);
  EXPECT_EQ(designCode("cjj37"), &cjj);
  EXPECT_EQ(designCode("gb"), nullptr);
  EXPECT_EQ(cjj.forSpeed(120), nullptr);
  EXPECT_EQ(jtg.forSpeed(50), nullptr);
}

// The maximum grade on high ground (表 8.2.2) and in icy areas.
struct PlaceCase {
  const char* code;
  const char* roadClass;  // "" for none
  int speed;
  double elevation;
  bool icy;
  double grade;
};

class Places : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Places, MaximumGrade) {
  const PlaceCase& c = GetParam();
  const DesignCode* code = designCode(c.code);
  const CheckBasis basis{code, code->forSpeed(c.speed),
                         *c.roadClass ? code->forClass(c.roadClass) : nullptr, c.icy};
  EXPECT_EQ(maximumGradeAt(basis, c.elevation).grade, c.grade)
      << c.roadClass << c.speed << " km/h at " << c.elevation << " m";
}

INSTANTIATE_TEST_SUITE_P(
    Both, Places,
    ::testing::Values(
        PlaceCase{"jtg", "", 20, 3000, false, 9}, PlaceCase{"jtg", "", 20, 3000.001, false, 8},
        PlaceCase{"jtg", "", 20, 4000, false, 8}, PlaceCase{"jtg", "", 20, 4000.001, false, 7},
        PlaceCase{"jtg", "", 20, 5000.001, false, 6}, PlaceCase{"jtg", "", 20, 8000, false, 6},
        PlaceCase{"jtg", "", 80, 3500, false, 4},  // never below 4 %
        PlaceCase{"jtg", "", 80, 4500, false, 4},
        PlaceCase{"jtg", "", 120, 5500, false, 3},  // below 4 % already
        PlaceCase{"jtg", "", 40, 5500, false, 4}, PlaceCase{"jtg", "四级公路", 20, 2000, false, 9},
        PlaceCase{"jtg", "四级公路", 20, 2000.001, false, 8},
        PlaceCase{"jtg", "四级公路", 20, 100, true, 8},
        PlaceCase{"jtg", "三级公路", 30, 2500, true, 8},
        PlaceCase{"cjj37", "快速路", 80, 100, true, 3.5},
        PlaceCase{"cjj37", "快速路", 80, 4000, false, 5},
        PlaceCase{"cjj37", "支路", 20, 100, true, 6},
        PlaceCase{"cjj37", "主干路", 60, 100, true, 6}));

}  // namespace
}  // namespace vcurve::profile
