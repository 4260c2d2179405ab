#include "profile/profile_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "core/numeric_text.h"

namespace vcurve::profile {
namespace {

struct NumberCase {
  double value;
  const char* fixed3;
  const char* grade;
};

class Numbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Numbers, FixedDecimals) {
  EXPECT_EQ(fixed3(GetParam().value), GetParam().fixed3);
  EXPECT_EQ(gradeText(GetParam().value), GetParam().grade);
}

INSTANTIATE_TEST_SUITE_P(Values, Numbers,
                         ::testing::Values(NumberCase{1234.5678, "1234.568", "1234.57"},
                                           NumberCase{-0.0004, "0.000", "0.00"},
                                           NumberCase{-2.5, "-2.500", "-2.50"},
                                           // 1.0005 is 1.000499999... in binary.
                                           NumberCase{1.0005, "1.000", "1.00"},
                                           NumberCase{0.125, "0.125", "0.12"}));

TEST(ProfileText, InputTextReadsBackExactly) {
  EXPECT_EQ(inputText(InputColumn::Station, 5030.25), "K5+030.250");
  EXPECT_EQ(inputText(InputColumn::Station, 5030.2501), "5030.2501");
  EXPECT_EQ(inputText(InputColumn::Elevation, 0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(inputText(InputColumn::Radius, 3000), "3000");
}

// A saved elevation shows the table's three decimals, and keeps every digit
// beyond them: it must read back to the very double.
TEST(ProfileText, StoredElevationsHaveThreeDecimalsAndReadBackExactly) {
  const std::pair<double, const char*> cases[] = {
      {877, "877.000"},
      {860.5, "860.500"},
      {-0.25, "-0.250"},
      {812.125, "812.125"},
      {427.6804, "427.6804"},
      {0.1 + 0.2, "0.30000000000000004"},
      {1e20, "100000000000000000000.000"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(storedText(InputColumn::Elevation, value), text);
    const auto back = NumberFromText(text);
    ASSERT_TRUE(back) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(value)) << text;
  }
  EXPECT_EQ(storedText(InputColumn::Radius, 3000), "3000");
  EXPECT_EQ(storedText(InputColumn::Station, 5030.25), "K5+030.250");
}

// Lengths measured on the profile to the millimetre; the code's limits and
// typed radii as they are written.
TEST(ProfileText, FindingNumbers) {
  struct Case {
    Rule rule;
    Quantity quantity;
    double found;
    double required;
    const char* foundText;
    const char* requiredText;
  };
  const Case cases[] = {
      {Rule::CurveLength, Quantity::Length, 120, 70, "L = 120.000 m", "≥ 70 m（极限值）"},
      {Rule::CurvesOverlap, Quantity::Length, 137.615, 72.75, "切线长之和 137.615 m",
       "≤ 两变坡点间坡长 72.750 m"},
      {Rule::MinimumGradeLength, Quantity::Length, 100, 130, "坡长 100.000 m", "≥ 130 m"},
      {Rule::CrestRadius, Quantity::Radius, 2500, 3000, "R = 2500 m", "≥ 3000 m（极限值）"},
  };
  for (const Case& c : cases) {
    Finding f;
    f.rule = c.rule;
    f.quantity = c.quantity;
    f.found = c.found;
    f.required = c.required;
    EXPECT_EQ(foundText(f), c.foundText);
    EXPECT_EQ(requiredText(f), c.requiredText);
  }
}

TEST(ProfileText, GridAndLabels) {
  EXPECT_EQ(gridChainageText(5100.4), "K5+100");
  EXPECT_EQ(gridChainageText(999.6), "K1+000");
  EXPECT_EQ(gridStep(0.7), 1);
  EXPECT_EQ(gridStep(130), 200);
  EXPECT_EQ(gridStep(4.9), 5);
  EXPECT_EQ(axisText(1200, 50), "1200");
  EXPECT_EQ(axisText(1200.5, 0.5), "1200.5");
  EXPECT_EQ(gradeLabel({2.5, 300}), "i=2.50%  L=300.000");
}

TEST(ProfileText, TheTableRowsOfACrest) {
  const Profile p({{0, 100, 0}, {500, 110, 10000}, {1000, 100, 0}});
  std::vector<std::string> pvi;
  for (std::size_t c = 0; c < kTableColumns; ++c) pvi.push_back(cellText(p, 1, tableColumn(c)));
  EXPECT_EQ(pvi,
            (std::vector<std::string>{"K0+500.000", "110.000", "10000", "-2.00", "500.000", "凸",
                                      "200.000", "400.000", "2.000", "K0+300.000", "K0+700.000"}));
  EXPECT_EQ(cellText(p, 0, TableColumn::Radius), "");
  EXPECT_EQ(cellText(p, 2, TableColumn::Grade), "");
  EXPECT_EQ(cellText(p, 1, TableColumn::CurveStart, StationStyle::Metres), "300.000");
}

TEST(ProfileText, Matches) {
  EXPECT_EQ(matchText({5100, 5100}), "K5+100.000");
  EXPECT_EQ(matchText({5100, 5300}), "K5+100.000 至 K5+300.000（平坡）");
}

}  // namespace
}  // namespace vcurve::profile
