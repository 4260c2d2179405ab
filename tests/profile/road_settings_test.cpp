#include "profile/road_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "profile/profile_csv.h"

namespace vcurve::profile {
namespace {

const Profile kRoad({{0, 100, 0}, {500, 105, 8000}, {1000, 102, 0}});

RoadSettings urban() {
  RoadSettings s;
  s.code = "cjj37";
  s.roadClass = "主干路";
  s.speed = 50;
  s.icy = true;
  s.stakeInterval = 10;
  s.addedStations = {123.45, 678};
  s.project = "示例新城, 一期";  // a comma, quoted in its cell
  s.road = "迎宾大道";
  s.elevationReference = "1985 国家高程基准";
  return s;
}

TEST(RoadSettings, KeptInTheFirstRowOfTheCsv) {
  const std::string csv = profileCsv(kRoad, urban());
  EXPECT_TRUE(csv.substr(kUtf8Bom.size()).starts_with("道路设置,规范=CJJ 37—2012,等级=主干路,"))
      << csv;
  EXPECT_EQ(readSettingsCsv(csv), urban());
  // The points read as before, and the row is not a title to lose.
  std::string unkept = "?";
  const auto points = readProfileCsv(csv, "road.csv", &unkept);
  ASSERT_FALSE(points.error);
  EXPECT_EQ(points.value, kRoad.points());
  EXPECT_EQ(unkept, "");
}

TEST(RoadSettings, DefaultsWriteNoRowAndAFileWithoutOneGetsThem) {
  EXPECT_EQ(profileCsv(kRoad, RoadSettings{}), profileCsv(kRoad));
  EXPECT_EQ(readSettingsCsv(profileCsv(kRoad)), RoadSettings{});
  RoadSettings none;
  none.speed.reset();
  EXPECT_EQ(readSettingsCsv(profileCsv(kRoad, none)).speed, std::nullopt);
}

// What a hand-edited row may hold: unknown labels and values that do not
// read fall back to the defaults, and a class of the other code is dropped.
struct FieldCase {
  const char* row;
  RoadSettings expected;
};

class Fields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Fields, Read) {
  EXPECT_EQ(readSettingsCsv(std::string(GetParam().row) + "\r\n桩号,高程,半径\r\n"),
            GetParam().expected);
}

RoadSettings with(void (*change)(RoadSettings&)) {
  RoadSettings s;
  change(s);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Fields,
    ::testing::Values(FieldCase{"道路设置,规范=jtg,等级=二级,设计速度=60",
                                with([](RoadSettings& s) {
                                  s.code = "jtg";
                                  s.roadClass = "二级公路";
                                  s.speed = 60;
                                })},
                      FieldCase{"道路设置,设计速度=不检查,越岭路线=是", with([](RoadSettings& s) {
                                  s.speed.reset();
                                  s.ridgeRoute = true;
                                })},
                      FieldCase{"道路设置,设计速度=快,桩距=-5,颜色=红", RoadSettings{}},
                      FieldCase{"道路设置,规范=CJJ 37—2012,等级=二级公路",
                                with([](RoadSettings& s) { s.code = "cjj37"; })},
                      FieldCase{"道路设置,加桩=K0+100;x;250.5", with([](RoadSettings& s) {
                                  s.addedStations = {100, 250.5};
                                })},
                      FieldCase{"标题,设计速度=60", RoadSettings{}}));

TEST(RoadSettings, TheBasisTheyDescribe) {
  const auto basis = checkBasis(urban());
  ASSERT_TRUE(basis);
  EXPECT_EQ(basis->code, &urbanCode());
  EXPECT_EQ(basis->limits->speed, 50);
  EXPECT_EQ(basis->roadClass, urbanCode().forClass("主干路"));
  EXPECT_TRUE(basis->icy);
  RoadSettings wrongSpeed = urban();
  wrongSpeed.speed = 20;  // no speed of a 主干路: checked by the speed alone
  EXPECT_EQ(checkBasis(wrongSpeed)->roadClass, nullptr);
  wrongSpeed.speed = 120;  // not in the urban code
  EXPECT_FALSE(checkBasis(wrongSpeed));
}

}  // namespace
}  // namespace vcurve::profile
