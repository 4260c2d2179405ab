#include "profile/checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

const SpeedLimits& limits(int speed) { return *highwayCode().forSpeed(speed); }

// The first finding of a rule, if any.
std::optional<Finding> findingOf(const Profile& p, int speed, Rule rule) {
  for (const Finding& f : checkProfile(p, highwayCode(), limits(speed))) {
    if (f.rule == rule) return f;
  }
  return std::nullopt;
}

std::optional<Severity> severityOf(const Profile& p, int speed, Rule rule) {
  const auto f = findingOf(p, speed, rule);
  return f ? std::optional(f->severity) : std::nullopt;
}

// One PVI between two 1,000 m grades of ±g per cent: ω = 2g.
Profile onePvi(double g, bool crest, double radius) {
  const double rise = (crest ? 10 : -10) * g;
  return Profile({{0, 0, 0}, {1000, rise, radius}, {2000, 0, 0}});
}

TEST(DesignCode, EightyKilometresAnHourAsTheCodePrintsIt) {
  const SpeedLimits& l = limits(80);
  EXPECT_EQ(l.crestRadius.general, 4500);
  EXPECT_EQ(l.crestRadius.minimum, 3000);
  EXPECT_EQ(l.sagRadius.general, 3000);
  EXPECT_EQ(l.sagRadius.minimum, 2000);
  EXPECT_EQ(l.curveLength.general, 170);
  EXPECT_EQ(l.curveLength.minimum, 70);
  EXPECT_EQ(l.maximumGrade, 5);
  EXPECT_EQ(l.minimumGradeLength, 200);
  EXPECT_EQ(highwayCode().forSpeed(90), nullptr);
}

// At each speed: the 一般值 passes, a millimetre below it warns, the 极限值
// still only warns, a millimetre below it is an error.
class Boundaries : public ::testing::TestWithParam<int> {};

TEST_P(Boundaries, Radius) {
  const SpeedLimits& l = limits(GetParam());
  for (const bool crest : {true, false}) {
    const Limit& r = crest ? l.crestRadius : l.sagRadius;
    const Rule rule = crest ? Rule::CrestRadius : Rule::SagRadius;
    EXPECT_EQ(severityOf(onePvi(1, crest, r.general), l.speed, rule), std::nullopt);
    EXPECT_EQ(severityOf(onePvi(1, crest, r.general - 0.001), l.speed, rule), Severity::Warning);
    EXPECT_EQ(severityOf(onePvi(1, crest, r.minimum), l.speed, rule), Severity::Warning);
    EXPECT_EQ(severityOf(onePvi(1, crest, r.minimum - 0.001), l.speed, rule), Severity::Error);
  }
}

TEST_P(Boundaries, CurveLength) {
  const SpeedLimits& l = limits(GetParam());
  // ω = 1 %: L = R / 100.
  const auto at = [&](double length) {
    return severityOf(onePvi(0.5, true, length * 100), l.speed, Rule::CurveLength);
  };
  EXPECT_EQ(at(l.curveLength.general), std::nullopt);
  EXPECT_EQ(at(l.curveLength.general - 0.001), Severity::Warning);
  EXPECT_EQ(at(l.curveLength.minimum), Severity::Warning);
  EXPECT_EQ(at(l.curveLength.minimum - 0.001), Severity::Error);
}

TEST_P(Boundaries, MaximumGradeAsPrinted) {
  const SpeedLimits& l = limits(GetParam());
  const auto at = [&](double grade) {
    return findingOf(Profile({{0, 0, 0}, {1000, grade * 10, 0}}), l.speed, Rule::MaximumGrade);
  };
  EXPECT_FALSE(at(l.maximumGrade));
  EXPECT_FALSE(at(-l.maximumGrade - 0.004));  // prints as the maximum
  const auto steeper = at(-l.maximumGrade - 0.01);
  ASSERT_TRUE(steeper);
  // Within the allowance of 1 % a warning that says what it takes; beyond
  // it, or where the code allows nothing, an error.
  EXPECT_EQ(steeper->severity, l.gradeAllowance.empty() ? Severity::Error : Severity::Warning);
  EXPECT_NE(steeper->remark.find(l.gradeAllowance.empty() ? "不允许" : "技术经济论证"),
            std::string::npos)
      << steeper->remark;
  const auto beyond = at(l.maximumGrade + 1.01);
  ASSERT_TRUE(beyond);
  EXPECT_EQ(beyond->severity, Severity::Error);
}

TEST_P(Boundaries, MinimumGradeLength) {
  const SpeedLimits& l = limits(GetParam());
  const auto at = [&](double length, std::size_t grade) {
    // Three grades of 1 %, the one asked for of the given length.
    std::vector<double> lengths{1000, 1000, 1000};
    lengths[grade] = length;
    std::vector<ProfilePoint> points{{0, 0, 0}};
    for (const double d : lengths) {
      points.push_back({points.back().station + d, points.back().elevation + d / 100, 0});
    }
    return severityOf(Profile(points), l.speed, Rule::MinimumGradeLength);
  };
  EXPECT_EQ(at(l.minimumGradeLength, 1), std::nullopt);
  EXPECT_EQ(at(l.minimumGradeLength - 0.001, 1), Severity::Error);
  // The first and last grades run on into the next road: only a note.
  EXPECT_EQ(at(l.minimumGradeLength - 0.001, 0), Severity::Note);
  EXPECT_EQ(at(l.minimumGradeLength - 0.001, 2), Severity::Note);
}

INSTANTIATE_TEST_SUITE_P(JtgD20, Boundaries, ::testing::Values(120, 100, 80, 60, 40, 30, 20));

struct RuleCase {
  const char* what;
  std::vector<ProfilePoint> points;
  Rule rule;
  Severity severity;
  std::size_t row;
  bool onGrade;
};

class Rules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rules, FoundWhereItIs) {
  const RuleCase& c = GetParam();
  const auto f = findingOf(Profile(c.points), 80, c.rule);
  ASSERT_TRUE(f) << c.what;
  EXPECT_EQ(f->severity, c.severity) << c.what;
  EXPECT_EQ(f->row, c.row) << c.what;
  EXPECT_EQ(f->onGrade, c.onGrade) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rules,
    ::testing::Values(
        RuleCase{"0.29 %", {{0, 0, 0}, {1000, 2.9, 0}}, Rule::GentleGrade, Severity::Note, 0, true},
        RuleCase{"level", {{0, 5, 0}, {1000, 5, 0}}, Rule::GentleGrade, Severity::Note, 0, true},
        RuleCase{"overlap",
                 {{0, 100, 0}, {300, 106, 6000}, {500, 100, 4000}, {900, 112, 0}},
                 Rule::CurvesOverlap,
                 Severity::Error,
                 1,
                 true},
        RuleCase{"past the next PVI",
                 {{0, 100, 0}, {300, 106, 12500}, {500, 102, 0}, {1000, 94, 0}},
                 Rule::CurvePastPvi,
                 Severity::Error,
                 1,
                 true},
        RuleCase{"past the start",
                 {{0, 100, 0}, {100, 102, 10000}, {1000, 84, 0}},
                 Rule::CurvePastEnd,
                 Severity::Error,
                 1,
                 false},
        RuleCase{"past the end",
                 {{0, 100, 0}, {900, 118, 10000}, {1000, 116, 0}},
                 Rule::CurvePastEnd,
                 Severity::Error,
                 1,
                 false},
        RuleCase{"break without a curve",
                 {{0, 0, 0}, {1000, 20, 0}, {2000, 0, 0}},
                 Rule::BreakWithoutCurve,
                 Severity::Note,
                 1,
                 false},
        RuleCase{"radius at the end",
                 {{0, 0, 0}, {1000, 20, 3000}},
                 Rule::EndRadius,
                 Severity::Note,
                 1,
                 false}));

TEST(Checks, WorstFirstThenByStation) {
  // A radius below the 极限值, one below the 一般值, a short grade between
  // them, a grade of 6 %, and notes.
  const Profile p({{0, 0, 0}, {400, 24, 2500}, {550, 15, 2800}, {1500, 20, 0}, {2000, 20, 0}});
  const auto findings = checkProfile(p, highwayCode(), limits(80));
  ASSERT_GE(findings.size(), 4U);
  EXPECT_TRUE(hasErrors(findings));
  EXPECT_TRUE(
      std::is_sorted(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.severity < b.severity || (a.severity == b.severity && a.station < b.station);
      }));
  const auto grade = std::find_if(findings.begin(), findings.end(),
                                  [](const Finding& f) { return f.rule == Rule::MaximumGrade; });
  ASSERT_NE(grade, findings.end());
  EXPECT_EQ(findingLine(*grade),
            "警告 第 1–2 点间坡段 K0+000.000–K0+400.000 最大纵坡：i = 6.00%，要求 坡度绝对值 ≤ "
            "5%（JTG D20—2017 表 8.2.1）。"
            "设计速度为 120、100、80 km/h 的高速公路受地形条件或其他特殊情况限制时，"
            "经技术经济论证，最大纵坡可增加 1%（即不超过 6%）；采用须经技术经济论证");
}

TEST(Checks, NothingForAnUnusableProfile) {
  EXPECT_TRUE(checkProfile(Profile({{0, 0, 0}}), highwayCode(), limits(80)).empty());
}

}  // namespace
}  // namespace vcurve::profile
