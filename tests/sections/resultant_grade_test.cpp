#include "sections/resultant_grade.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/profile_text.h"

namespace vcurve::sections {
namespace {

using profile::Rule;

Sections twoLaneWithCurve(double rate) {
  SectionTemplate t;
  t.from = 0;
  t.to = 5000;
  t.left = t.right = {0, 3.5, 0.75, 0.75};
  return Sections({t}, {{1000, 1060, 1200, 1260, rate, Side::Right, RotationAxis::InnerEdge, 0}});
}

profile::Profile straightGrade(double percent) {
  return profile::Profile({{0, 100, 0}, {5000, 100 + 50 * percent, 0}});
}

struct Case {
  const char* name;
  double grade, rate;
  const profile::DesignCode* code;
  int speed;
  bool icy;
  std::vector<Rule> rules;
  double station;  // of the first finding
  double found;
};

class ResultantGrades : public ::testing::TestWithParam<Case> {};

TEST_P(ResultantGrades, AreFoundAtTheWorstStation) {
  const Case& c = GetParam();
  const profile::CheckBasis basis{c.code, c.code->forSpeed(c.speed), nullptr, c.icy};
  const auto findings =
      checkResultantGrades(straightGrade(c.grade), twoLaneWithCurve(c.rate), basis);
  std::vector<Rule> rules;
  for (const auto& f : findings) rules.push_back(f.rule);
  EXPECT_EQ(rules, c.rules);
  if (findings.empty()) return;
  EXPECT_NEAR(findings[0].station, c.station, 1e-6);
  EXPECT_NEAR(findings[0].found, c.found, 1e-9);
  EXPECT_FALSE(findings[0].citation.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Jtg, ResultantGrades,
    ::testing::Values(
        // √(6² + 8²) = 10: exactly the limit at 80 km/h, above it at 30 km/h.
        Case{"atLimit80", 6, 8, &profile::highwayCode(), 80, false, {}, 0, 0},
        Case{"over30", 6, 8, &profile::highwayCode(), 30, false, {Rule::ResultantGrade}, 1060, 10},
        Case{"icy", 6, 8, &profile::highwayCode(), 80, true, {Rule::ResultantGrade}, 1060, 10},
        // √(4² + 6²) = 7.21 passes JTG at 60 and fails CJJ 37's 6.5 % at 60 km/h.
        Case{"urban60",
             4,
             6,
             &profile::urbanCode(),
             60,
             false,
             {Rule::ResultantGrade},
             1060,
             7.2111025509279782},
        // 0.2 % along, and the outer side level at t = 1/6, 10 m in.
        Case{"flat",
             0.2,
             6,
             &profile::highwayCode(),
             80,
             false,
             {Rule::LowResultantGrade},
             1010,
             0.2},
        Case{"drains", 1, 6, &profile::highwayCode(), 80, false, {}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultantGradeText, NamesTheStationAndTheLimit) {
  const profile::CheckBasis basis{&profile::highwayCode(), profile::highwayCode().forSpeed(30)};
  const auto findings = checkResultantGrades(straightGrade(6), twoLaneWithCurve(8), basis);
  ASSERT_EQ(findings.size(), 1U);
  const std::string line = profile::findingLine(findings[0]);
  EXPECT_NE(line.find("K1+060.000"), std::string::npos) << line;
  EXPECT_NE(line.find("合成坡度 ≤ 9.5%"), std::string::npos) << line;
  EXPECT_EQ(line.find("第 "), std::string::npos) << line;
}

}  // namespace
}  // namespace vcurve::sections
