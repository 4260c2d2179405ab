#include "core/station_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/numeric_text.h"

namespace vcurve {
namespace {

struct StationCase {
  const char* given;
  std::optional<std::string> field;  // nullopt: refused
};

class StationFieldText : public ::testing::TestWithParam<StationCase> {};

TEST_P(StationFieldText, MetresOrChainage) {
  EXPECT_EQ(stationFieldText(GetParam().given), GetParam().field) << GetParam().given;
}

INSTANTIATE_TEST_SUITE_P(
    Notations, StationFieldText,
    ::testing::Values(
        // Metres pass unchanged: the window reads the same text the same way.
        StationCase{"5030", "5030"}, StationCase{"5030.25", "5030.25"},
        StationCase{"0480.50", "0480.50"}, StationCase{"-20", "-20"}, StationCase{".5", ".5"},
        StationCase{"5.", "5."}, StationCase{"5.03e3", "5.03e3"}, StationCase{"1D3", "1D3"},
        // Chainage: kilometres and three digits of metres joined.
        StationCase{"K5+030", "5030"}, StationCase{"K5+030.25", "5030.25"},
        StationCase{"k0+000", "0000"}, StationCase{"K12+345.678", "12345.678"},
        StationCase{"K0+020", "0020"}, StationCase{"-K0+020", "-0020"},
        StationCase{"K1234+567.8901", "1234567.8901"},
        // What a strict reader refuses, though the window would read a prefix.
        StationCase{"", std::nullopt}, StationCase{"12abc", std::nullopt},
        StationCase{" 5030", std::nullopt}, StationCase{"5030 ", std::nullopt},
        StationCase{"1,5", std::nullopt}, StationCase{"1e", std::nullopt},
        StationCase{".", std::nullopt}, StationCase{"-", std::nullopt},
        StationCase{"K5+30", std::nullopt}, StationCase{"K5+0300", std::nullopt},
        StationCase{"K5+030.", std::nullopt}, StationCase{"K5030", std::nullopt},
        StationCase{"K+030", std::nullopt}, StationCase{"K5-030", std::nullopt},
        StationCase{"+K5+030", std::nullopt}, StationCase{"K5+030.2.5", std::nullopt},
        StationCase{"K5+030m", std::nullopt}, StationCase{"５０３０", std::nullopt}));

struct ChainageCase {
  double station;
  const char* text;
};

class ChainageText : public ::testing::TestWithParam<ChainageCase> {};

TEST_P(ChainageText, KilometresPlusMetresToTheMillimetre) {
  EXPECT_EQ(chainageText(GetParam().station), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, ChainageText,
    ::testing::Values(ChainageCase{5010, "K5+010.000"}, ChainageCase{5030.25, "K5+030.250"},
                      ChainageCase{0, "K0+000.000"}, ChainageCase{-0.0, "K0+000.000"},
                      ChainageCase{20, "K0+020.000"}, ChainageCase{999.9996, "K1+000.000"},
                      ChainageCase{12345.678, "K12+345.678"}, ChainageCase{-20, "-K0+020.000"},
                      // Rounds to no distance at all: no sign.
                      ChainageCase{-0.0004, "K0+000.000"},
                      // The exact binary value decides, as for the elevations:
                      // 0.0625 is a true half at the third decimal, 1.0005 lies below.
                      ChainageCase{0.0625, "K0+000.062"}, ChainageCase{1.0005, "K0+001.000"},
                      ChainageCase{1e15, "K1000000000000+000.000"},
                      // No place on a road, and no failure either.
                      ChainageCase{HUGE_VAL, ""}, ChainageCase{-HUGE_VAL, ""},
                      ChainageCase{std::nan(""), ""}));

TEST(ChainageText, ReadsBackAsTheStationToTheMillimetre) {
  for (const double station : {4960.0, 5030.25, 5107.125, 12345.678, 0.001}) {
    const auto field = stationFieldText(chainageText(station));
    ASSERT_TRUE(field.has_value()) << station;
    EXPECT_EQ(NumberFromText(*field), RoundToPlaces(station, 3)) << station;
  }
}

}  // namespace
}  // namespace vcurve
