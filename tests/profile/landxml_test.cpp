#include "profile/landxml.h"

#include <gtest/gtest.h>

#include <cmath>

#include "profile/profile_csv.h"
#include "profile/profile_file.h"
#include "profile/road_settings.h"

namespace vcurve::profile {
namespace {

// As a design suite writes it: plan geometry, units, a Feature, a
// ParaCurve by its length, a CircCurve by its radius, a ground line.
const std::string kSuiteFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2" date="2024-05-01" time="10:00:00">
  <Units><Metric linearUnit="meter" areaUnit="squareMeter" volumeUnit="cubicMeter"/></Units>
  <Alignments name="项目">
    <Alignment name="主线" length="1500" staStart="0">
      <CoordGeom><Line><Start>0 0</Start><End>0 1500</End></Line></CoordGeom>
      <Profile name="主线纵断面">
        <ProfSurf name="地面线"><PntList2D>0 99 750 104.5
          1500 98</PntList2D></ProfSurf>
        <ProfAlign name="设计线">
          <PVI>0 100</PVI>
          <ParaCurve length="400">500 110</ParaCurve>
          <CircCurve length="150" radius="7500">1000 100</CircCurve>
          <PVI>1500 105</PVI>
          <Feature code="x"/>
        </ProfAlign>
      </Profile>
    </Alignment>
  </Alignments>
</LandXML>
)";

TEST(LandXml, ReadsWhatASuiteWrites) {
  const auto read = readLandXml(kSuiteFile, "main.xml");
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.value.name, "设计线");
  // ω = −4 % over L = 400: R = 10000.
  EXPECT_EQ(read.value.points,
            (std::vector<ProfilePoint>{
                {0, 100, 0}, {500, 110, 10000}, {1000, 100, 7500}, {1500, 105, 0}}));
  EXPECT_EQ(read.value.ground, (std::vector<GroundPoint>{{0, 99}, {750, 104.5}, {1500, 98}}));
}

TEST(LandXml, WrittenThenReadBackIdentically) {
  const Profile p({{5030.25, 1234.5678, 0, "起点 接既有路"},
                   {5400, 1240.125, 3456.7, "垭口 <老路>"},
                   {5800.125, 1230, 2000.5},
                   {6500, 1235, 0}});
  const GroundLine ground({{5030.25, 1233}, {6000, 1236.75}, {6500, 1234}});
  const std::string xml = landXml(p, &ground, {"K 线", "地面", "2024-05-01", "10:00:00", {}});
  EXPECT_NE(xml.find("<ParaCurve length=\""), std::string::npos);
  EXPECT_NE(xml.find("desc=\"垭口 &lt;老路"), std::string::npos);
  EXPECT_NE(xml.find("date=\"2024-05-01\""), std::string::npos);
  const auto back = readLandXml(xml, "back.xml");
  ASSERT_TRUE(back.ok()) << back.error->message();
  EXPECT_EQ(back.value.name, "K 线");
  EXPECT_EQ(back.value.points, p.points());
  EXPECT_EQ(back.value.ground, ground.points());
  EXPECT_EQ(LandXmlFile(xml, "back.xml").read().value.points, p.points());
  EXPECT_TRUE(readProfileFile(xml, "back.xml").ok());
}

// Radii with up to six decimals come back to the bit; any other within a
// unit or two in the last place, never snapped to six decimals.
TEST(LandXml, RadiiSurviveARoundTrip) {
  struct Case {
    double radius;
    bool exact;
  };
  for (const Case c : {Case{3456.123456, true}, Case{2000.5, true}, Case{7.25, true},
                       Case{32277.906477777775, false}, Case{911358.13655312895, false}}) {
    const Profile p({{0, 100, 0}, {500, 104, c.radius}, {1001, 98.5, 0}});
    const auto back =
        readLandXml(landXml(p, nullptr, {"n", "g", "2024-05-01", "10:00:00", {}}), "b");
    ASSERT_TRUE(back.ok()) << back.error->message();
    const double got = back.value.points[1].radius;
    if (c.exact) {
      EXPECT_EQ(got, c.radius);
    } else {
      EXPECT_LE(std::fabs(got - c.radius), 4e-16 * c.radius) << got;
    }
  }
}

TEST(LandXml, TheRoadsSettingsInAFeatureOthersIgnore) {
  const Profile p({{0, 100, 0}, {500, 105, 8000}, {1000, 102, 0}});
  LandXmlOptions options;
  options.settings.code = "jtg";
  options.settings.roadClass = "二级公路";
  options.settings.speed = 60;
  options.settings.ridgeRoute = true;
  options.settings.addedStations = {250};
  options.settings.project = "示例 <山区> 公路";
  const std::string xml = landXml(p, nullptr, options);
  EXPECT_NE(xml.find("<Feature name=\"道路设置\" code=\"vcurve-road-settings\">"),
            std::string::npos);
  const auto back = readLandXml(xml, "back.xml");
  ASSERT_TRUE(back.ok()) << back.error->message();
  EXPECT_EQ(back.value.settings, options.settings);
  EXPECT_EQ(back.value.points, p.points());
  // A suite's file has none: the defaults.
  EXPECT_EQ(readLandXml(kSuiteFile, "suite.xml").value.settings, RoadSettings{});
}

// A road with 断链 and its settings: a file of either kind keeps both, the
// settings row and the StaEquation beside each other.
TEST(LandXml, EquationsAndSettingsSurviveTogetherInEitherFile) {
  const Profile p({{0, 100, 0}, {500, 105, 8000}, {1000, 102, 0}},
                  ChainageEquations({{300, 280}, {720, 750}}));
  RoadSettings settings;
  settings.code = "cjj37";
  settings.roadClass = "主干路";
  settings.speed = 50;
  settings.addedStations = {250};
  LandXmlOptions options;
  options.settings = settings;
  for (const std::string& bytes : {profileCsv(p, settings), landXml(p, nullptr, options)}) {
    const auto back = readProfileFile(bytes, "road");
    ASSERT_TRUE(back.ok()) << back.error->message();
    EXPECT_EQ(back.value.points, p.points());
    EXPECT_EQ(back.value.equations, p.chainage().equations());
    EXPECT_EQ(back.value.settings, settings);
    EXPECT_EQ(back.value.csvUnkept, "");
  }
}

std::string twoProfiles() {
  std::string xml = kSuiteFile;
  const std::size_t end = xml.find("</Alignments>");
  return xml.insert(end,
                    R"(<Alignment name="匝道A"><Profile name="匝道A纵断面"><ProfAlign name="方案二">
      <PVI>0 50</PVI><PVI>300 53</PVI></ProfAlign></Profile></Alignment>)");
}

TEST(LandXml, ChoosesAProfileByAnyOfItsNames) {
  const std::string xml = twoProfiles();
  EXPECT_EQ(landXmlProfileNames(xml, "two.xml").value,
            (std::vector<std::string>{"设计线", "方案二"}));
  const auto none = readLandXml(xml, "two.xml");
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(none.error->problem, "文件中有 2 条纵断面设计线，请指定其中一条的名称：设计线、方案二");
  EXPECT_EQ(readLandXml(xml, "two.xml", "匝道A").value.points.size(), 2U);
  EXPECT_EQ(readLandXml(xml, "two.xml", "主线纵断面").value.points.size(), 4U);
  EXPECT_NE(readLandXml(xml, "two.xml", "B").error->problem.find("没有名为“B”的纵断面"),
            std::string::npos);
}

struct BadXml {
  const char* what;
  std::string from, to;  // every one replaced in the suite's file
  std::size_t line;
  const char* problem;
};

class BadLandXml : public ::testing::TestWithParam<BadXml> {};

TEST_P(BadLandXml, OneErrorWithItsPlace) {
  const BadXml& c = GetParam();
  std::string xml = kSuiteFile;
  for (std::size_t at = xml.find(c.from); !c.from.empty() && at != std::string::npos;
       at = xml.find(c.from, at + c.to.size())) {
    xml.replace(at, c.from.size(), c.to);
  }
  const auto read = readLandXml(xml, "bad.xml");
  ASSERT_FALSE(read.ok()) << c.what;
  EXPECT_EQ(read.error->line, c.line) << c.what << ": " << read.error->message();
  EXPECT_NE(read.error->problem.find(c.problem), std::string::npos) << read.error->message();
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadLandXml,
    ::testing::Values(
        BadXml{"unsymmetric", "CircCurve", "UnsymParaCurve", 13, "暂不支持"},
        BadXml{"no profile", "ProfAlign", "Alternative", 0, "没有纵断面"},
        BadXml{"not LandXML", "LandXML", "Land", 2, "不是 LandXML"},
        BadXml{"broken", "</ProfSurf>", "</ProfSurface>", 9, "不配对"},
        BadXml{"yards", "<Metric linearUnit=\"meter\"", "<Imperial linearUnit=\"yard\"", 3,
               "无法换算"},
        BadXml{"three numbers", "<PVI>1500 105</PVI>", "<PVI>1500 105 3</PVI>", 14, "两个数"},
        BadXml{"backwards", "<PVI>1500 105</PVI>", "<PVI>900 105</PVI>", 14, "不大于上一点"},
        BadXml{"a letter", "<PVI>0 100</PVI>", "<PVI>0 1OO</PVI>", 11, "不是数字"},
        BadXml{"curve at the start", "<PVI>0 100</PVI>",
               "<ParaCurve length=\"9\">0 100</ParaCurve>", 11, "起点和终点应为 PVI"},
        BadXml{"a length no road has", "length=\"400\"", "length=\"3d99\"", 12,
               "竖曲线半径超出范围"},
        BadXml{"crest mark on a sag", "radius=\"7500\"", "radius=\"-7500\"", 13, "凹曲线"},
        BadXml{"decreasing stations", "<Profile name",
               "<StaEquation staBack=\"600\" staAhead=\"590\" staInternal=\"600\" "
               "staIncrement=\"decreasing\"/><Profile name",
               7, "decreasing"}));

TEST(LandXml, EmptyAndBinaryFiles) {
  EXPECT_EQ(readLandXml("", "e.xml").error->problem, "文件是空的");
  EXPECT_FALSE(readProfileFile(std::string("<\0\1\2", 4), "b.xml").ok());
}

}  // namespace
}  // namespace vcurve::profile
