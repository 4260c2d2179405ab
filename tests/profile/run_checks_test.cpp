#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "profile/checks.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

struct Basis {
  const char* code = "jtg";
  int speed = 80;
  const char* roadClass = "";
  bool ridge = false;
};

std::vector<Finding> check(const Profile& p, const Basis& b) {
  const DesignCode* code = designCode(b.code);
  CheckBasis basis{code, code->forSpeed(b.speed),
                   *b.roadClass ? code->forClass(b.roadClass) : nullptr};
  basis.ridgeRoute = b.ridge;
  return checkProfile(p, basis);
}

std::optional<Finding> first(const Profile& p, const Basis& b, Rule rule) {
  for (const Finding& f : check(p, b)) {
    if (f.rule == rule) return f;
  }
  return std::nullopt;
}

// Grades of (percent, length) from station 0 and elevation 1000.
Profile grades(const std::vector<std::pair<double, double>>& list) {
  std::vector<ProfilePoint> points{{0, 1000, 0}};
  for (const auto& [percent, length] : list) {
    points.push_back(
        {points.back().station + length, points.back().elevation + percent * length / 100, 0});
  }
  return Profile(points);
}

// The maximum grade: the allowance a warning that asks for its 论证, by the
// class; the urban 一般值 a warning.
struct GradeCase {
  Basis basis;
  double grade;
  std::optional<Severity> severity;
};

class MaximumGrades : public ::testing::TestWithParam<GradeCase> {};

TEST_P(MaximumGrades, SeverityByClass) {
  const GradeCase& c = GetParam();
  const auto f = first(grades({{c.grade, 100}}), c.basis, Rule::MaximumGrade);
  ASSERT_EQ(f.has_value(), c.severity.has_value()) << c.basis.roadClass << " " << c.grade;
  if (f) {
    EXPECT_EQ(f->severity, *c.severity) << c.basis.roadClass << " " << c.grade;
    EXPECT_FALSE(f->citation.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Both, MaximumGrades,
    ::testing::Values(GradeCase{{"jtg", 80, "高速公路"}, 6, Severity::Warning},
                      GradeCase{{"jtg", 80, "高速公路"}, 6.01, Severity::Error},
                      GradeCase{{"jtg", 80, "一级公路"}, 5, std::nullopt},
                      GradeCase{{"jtg", 80, "一级公路"}, 5.01, Severity::Error},
                      GradeCase{{"jtg", 60, "二级公路"}, 6.01, Severity::Error},
                      GradeCase{{"jtg", 40, "三级公路"}, 8, Severity::Warning},
                      GradeCase{{"cjj37", 50, "主干路"}, 5.5, std::nullopt},
                      GradeCase{{"cjj37", 50, "主干路"}, 5.51, Severity::Warning},
                      GradeCase{{"cjj37", 50, "主干路"}, 7, Severity::Warning},
                      GradeCase{{"cjj37", 50, "主干路"}, 7.01, Severity::Error},
                      GradeCase{{"cjj37", 60, "快速路"}, 6.01, Severity::Error},
                      GradeCase{{"cjj37", 100, ""}, 4.01, Severity::Error}));

TEST(MaximumGrades, HighGroundBindsWithoutAllowance) {
  // 80 km/h at 3000 m and a millimetre above: 5 %, then 4 %.
  const Basis b{"jtg", 80, "高速公路"};
  const auto at = [&](double top) {
    return first(Profile({{0, top - 50, 0}, {1000, top, 0}}), b, Rule::MaximumGrade);
  };
  EXPECT_FALSE(at(3000));
  const auto high = at(3000.001);
  ASSERT_TRUE(high);
  EXPECT_EQ(high->severity, Severity::Error);
  EXPECT_EQ(high->required, 4);
  EXPECT_EQ(high->citation, "JTG D20—2017 表 8.2.2");
}

// 最大坡长 of one grade: exactly at the table's length, and a millimetre over.
TEST(GradeLength, EachCellAtItsLimit) {
  for (const DesignCode* code : designCodes()) {
    for (const SpeedLimits& l : code->speeds) {
      for (const GradeLength& row : l.gradeLengths) {
        const Basis b{code->key.data(), l.speed};
        const auto at = [&](double length) {
          return first(grades({{row.grade, length}}), b, Rule::MaximumGradeLength);
        };
        EXPECT_FALSE(at(row.length)) << code->name << " " << l.speed << " " << row.grade;
        const auto over = at(row.length + 0.001);
        ASSERT_TRUE(over) << code->name << " " << l.speed << " " << row.grade;
        EXPECT_EQ(over->required, row.length);
        EXPECT_EQ(over->citation, code->cite.gradeLength);
      }
    }
  }
}

// The proportional rule over runs at 80 km/h (JTG: 4 % 900 m, 5 % 700 m,
// 6 % 500 m; 缓和坡段 ≤ 3 % and ≥ 200 m), worked by hand.
struct RunCase {
  const char* what;
  std::vector<std::pair<double, double>> grades;
  std::optional<double> share;  // of the run found, if one is found
  std::size_t row, lastRow;
};

class Runs : public ::testing::TestWithParam<RunCase> {};

TEST_P(Runs, Proportional) {
  const RunCase& c = GetParam();
  const auto f = first(grades(c.grades), {}, Rule::MaximumGradeLength);
  ASSERT_EQ(f.has_value(), c.share.has_value()) << c.what;
  if (!f) return;
  EXPECT_EQ(f->severity, Severity::Error) << c.what;
  EXPECT_NEAR(f->found, *c.share, 1e-9) << c.what;
  EXPECT_EQ(f->row, c.row) << c.what;
  EXPECT_EQ(f->lastRow, c.lastRow) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Mountain, Runs,
    ::testing::Values(
        // 350/700 + 200/500 + 100/900 = 0.5 + 0.4 + 0.111 = 1.011 > 1.
        RunCase{"5 %, 6 %, 4 %",
                {{1, 500}, {5, 350}, {6, 200}, {4, 100}, {2, 400}},
                1.0 + 1.0 / 90,
                1,
                3},
        // 0.5 + 0.4 + 80/900 = 0.989.
        RunCase{"5 %, 6 %, 4 % within",
                {{1, 500}, {5, 350}, {6, 200}, {4, 80}, {2, 400}},
                std::nullopt,
                0,
                0},
        // Exactly 1: 350/700 + 250/500.
        RunCase{"exactly one", {{5, 350}, {6, 250}, {2, 400}}, std::nullopt, 0, 0},
        RunCase{"a millimetre over", {{5, 350}, {6, 250.001}, {2, 400}}, 1.000002, 0, 1},
        // A 2 % grade of 199.999 m relieves nothing: 0.5 + 0.4 + 0.111.
        RunCase{"short relief", {{5, 350}, {2, 199.999}, {6, 200}, {4, 100}}, 1.0 + 1.0 / 90, 0, 3},
        RunCase{"relief", {{5, 350}, {2, 200}, {6, 200}, {4, 100}}, std::nullopt, 0, 0},
        // Up and down are runs of their own: 600/700 each.
        RunCase{"up then down", {{5, 600}, {-5, 600}}, std::nullopt, 0, 0},
        RunCase{"down", {{-2, 300}, {-6, 300}, {-5, 360}}, 0.6 + 360.0 / 700, 1, 2}));

TEST(Runs, TheTextNamesTheRun) {
  const auto f = first(grades({{1, 500}, {5, 350}, {6, 200}, {4, 100}, {2, 400}}), {},
                       Rule::MaximumGradeLength);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->station, 500);
  EXPECT_EQ(f->toStation, 1150);
  EXPECT_EQ(
      findingLine(*f),
      "错误 第 2–5 点间 3 个坡段 K0+500.000–K1+150.000 最大坡长：Σ L/L限 = 1.011，要求 Σ "
      "L/L限 ≤ 1（JTG D20—2017 表 8.3.2）。各坡段按坡长与最大坡长之比累计：5.00% 坡长 350.000 m "
      "/ 700 m、6.00% 坡长 200.000 m / 500 m、4.00% 坡长 100.000 m / 900 "
      "m；连续上坡应在不超过最大坡长"
      "处设置纵坡不大于 3%、长度不小于 200 m 的缓和坡段");
}

TEST(Runs, AShortReliefIsNamed) {
  const auto f =
      first(grades({{5, 350}, {2, 199.999}, {6, 200}, {4, 100}}), {}, Rule::MaximumGradeLength);
  ASSERT_TRUE(f);
  EXPECT_NE(f->remark.find("；其间 2.00% 坡长 199.999 m（短于 200 m）不能作缓和坡段；"),
            std::string::npos)
      << f->remark;
}

TEST(Runs, UrbanTableAboveTheGeneralValueOnly) {
  const Basis b{"cjj37", 50, "主干路"};
  // 5.5 % is the 一般值: no limit; 6 % for 350 m, then a millimetre more.
  EXPECT_FALSE(first(grades({{5.5, 2000}}), b, Rule::MaximumGradeLength));
  EXPECT_FALSE(first(grades({{6, 350}}), b, Rule::MaximumGradeLength));
  const auto f = first(grades({{6, 350.001}}), b, Rule::MaximumGradeLength);
  ASSERT_TRUE(f);
  EXPECT_NE(findingLine(*f).find("CJJ 37—2012 表 6.3.4"), std::string::npos);
}

// 平均纵坡 of a 越岭路线 (二级公路 at 60 km/h): 5.5 % for a rise of 200–500 m,
// 5 % above 500 m, and 5.5 % over any 3 km of such a climb.
struct AverageCase {
  const char* what;
  std::vector<std::pair<double, double>> grades;
  std::optional<double> required;
  double station, toStation;
};

class Averages : public ::testing::TestWithParam<AverageCase> {};

TEST_P(Averages, ByRise) {
  const AverageCase& c = GetParam();
  const auto f = first(grades(c.grades), {"jtg", 60, "二级公路", true}, Rule::AverageGrade);
  ASSERT_EQ(f.has_value(), c.required.has_value()) << c.what;
  if (!f) return;
  EXPECT_EQ(f->required, c.required) << c.what;
  EXPECT_NEAR(f->station, c.station, 1e-6) << c.what;
  EXPECT_NEAR(f->toStation, c.toStation, 1e-6) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Ridge, Averages,
    ::testing::Values(
        AverageCase{"rise under 200 m", {{5.9, 3389}, {5.9, 0.5}}, std::nullopt, 0, 0},
        AverageCase{"rise 200 m at 5.5 %", {{5.5, 3636.364}}, std::nullopt, 0, 0},
        AverageCase{"rise 201.65 m at 5.56 %", {{5.6, 2000}, {5.5, 1630}}, 5.5, 0, 3630},
        AverageCase{"rise 500.001 m at 5.2 %", {{5.2, 9615.4}}, 5, 0, 9615.4},
        AverageCase{"rise 500 m at 5 %", {{5, 10000}, {-1, 300}}, std::nullopt, 0, 0},
        // 3 km at 5.6 % in a climb of 540 m that averages 3.6 %.
        AverageCase{"steep 3 km", {{3, 6000}, {5.6, 3000}, {3, 6000}}, 5.5, 6000, 9000},
        AverageCase{"3 km at 5.5 %", {{3, 6000}, {5.5, 3000}, {3, 6400}}, std::nullopt, 0, 0}));

TEST(Averages, OnlyWhereChosenAndForTheClassesItBinds) {
  const Profile p = grades({{5.9, 10000}});
  EXPECT_FALSE(first(p, {"jtg", 60, "二级公路", false}, Rule::AverageGrade));
  EXPECT_FALSE(first(p, {"jtg", 60, "一级公路", true}, Rule::AverageGrade));
  EXPECT_FALSE(first(p, {"cjj37", 60, "主干路", true}, Rule::AverageGrade));
  EXPECT_TRUE(first(p, {"jtg", 30, "四级公路", true}, Rule::AverageGrade));
}

}  // namespace
}  // namespace vcurve::profile
