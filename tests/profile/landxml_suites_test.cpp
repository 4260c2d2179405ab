// LandXML the way the big suites export it, in small files written here in
// their image: feet, negative radii, 断链, faulty ground lines, many
// profiles under one name.

#include <gtest/gtest.h>

#include "profile/landxml.h"

namespace vcurve::profile {
namespace {

// One alignment's profile; units, equations and ground as given.
std::string suiteFile(const std::string& units, const std::string& equations,
                      const std::string& profAlign, const std::string& ground = {}) {
  return R"(<?xml version="1.0"?>
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2">
  <Units>)" +
         units + R"(</Units>
  <Alignments><Alignment name="CL-1" staStart="0">)" +
         equations + R"(
    <Profile name="FGCenter">)" +
         ground + R"(<ProfAlign name="FGCenter">)" + profAlign + R"(</ProfAlign></Profile>
  </Alignment></Alignments>
</LandXML>
)";
}

const std::string kCrest =
    "<PVI>0 100</PVI><CircCurve radius=\"-10000\">500 110</CircCurve><PVI>1000 100</PVI>";

TEST(LandXmlSuites, FeetConvertedExactly) {
  const struct {
    const char* units;
    double metresPerFoot;
    const char* name;
  } cases[] = {
      {R"(<Imperial linearUnit="foot" areaUnit="squareFoot" volumeUnit="cubicYard"/>)", 0.3048,
       "英尺"},
      {R"(<Imperial linearUnit="USSurveyFoot" elevationUnit="USSurveyFoot"/>)", 1200.0 / 3937,
       "美国测量英尺"},
  };
  for (const auto& c : cases) {
    const auto read = readLandXml(suiteFile(c.units, "", kCrest), "ft.xml");
    ASSERT_TRUE(read.ok()) << read.error->message();
    EXPECT_EQ(read.value.units, c.name);
    const auto& p = read.value.points;
    EXPECT_NEAR(p[1].station, 500 * c.metresPerFoot, 1e-12);
    EXPECT_NEAR(p[1].elevation, 110 * c.metresPerFoot, 1e-12);
    EXPECT_NEAR(p[1].radius, 10000 * c.metresPerFoot, 1e-9);
  }
  const auto metric =
      readLandXml(suiteFile(R"(<Metric linearUnit="meter"/>)", "", kCrest), "m.xml");
  EXPECT_EQ(metric.value.units, "");
  EXPECT_EQ(metric.value.points[1].radius, 10000);  // the crest's minus sign read as its mark
}

TEST(LandXmlSuites, EquationsReadAsInternalStationsAndWrittenBack) {
  const std::string equations =
      R"(<StaEquation staAhead="590" staBack="600" staInternal="600" staIncrement="increasing"/>
      <StaEquation staBack="790" staAhead="800" staInternal="800"/>)";
  const auto read = readLandXml(suiteFile("", equations, kCrest), "eq.xml");
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.value.equations, (std::vector<ChainageEquation>{{600, 590}, {790, 800}}));
  EXPECT_EQ(read.value.points.back().station, 1000);

  const Profile profile(read.value.points, ChainageEquations(read.value.equations));
  const auto back = readLandXml(landXml(profile, nullptr, {}), "back.xml");
  ASSERT_TRUE(back.ok()) << back.error->message();
  EXPECT_EQ(back.value.equations, read.value.equations);
  EXPECT_EQ(back.value.points, read.value.points);

  const auto off =
      readLandXml(suiteFile("", R"(<StaEquation staBack="600" staAhead="590" staInternal="600"/>
      <StaEquation staBack="790" staAhead="800" staInternal="795"/>)",
                            kCrest),
                  "off.xml");
  ASSERT_FALSE(off.ok());
  EXPECT_NE(off.error->problem.find("staInternal"), std::string::npos) << off.error->message();
}

TEST(LandXmlSuites, AGroundLineFaultLeavesOnlyTheGroundOut) {
  const std::pair<const char*, const char*> grounds[] = {
      {"<ProfSurf name=\"EG\"><PntList2D>0 99 500 104 1000 98 1000 98</PntList2D></ProfSurf>",
       "桩号"},
      {"<ProfSurf name=\"EG\"><PntList2D>0 99 500 10\n4 1000 98</PntList2D></ProfSurf>", "成对"},
  };
  for (const auto& [ground, problem] : grounds) {
    const auto read = readLandXml(suiteFile("", "", kCrest, ground), "g.xml");
    ASSERT_TRUE(read.ok()) << read.error->message();
    EXPECT_EQ(read.value.points.size(), 3U);
    EXPECT_TRUE(read.value.ground.empty());
    EXPECT_NE(read.value.groundProblem.find(problem), std::string::npos)
        << read.value.groundProblem;
    EXPECT_NE(read.value.groundProblem.find("第 5 行"), std::string::npos)
        << read.value.groundProblem;
  }
}

TEST(LandXmlSuites, ProfilesSharingANameListedByAlignment) {
  std::string xml = suiteFile("", "", kCrest);
  xml.insert(xml.find("</Alignments>"),
             R"(<Alignment name="Ramp B"><Profile name="FGCenter"><ProfAlign name="FGCenter">
      <PVI>20 50</PVI><PVI>300 53</PVI></ProfAlign></Profile></Alignment>)");
  const std::vector<std::string> names = landXmlProfileNames(xml, "two.xml").value;
  EXPECT_EQ(names, (std::vector<std::string>{"CL-1/FGCenter（K0+000.000–K1+000.000）",
                                             "Ramp B/FGCenter（K0+020.000–K0+300.000）"}));
  EXPECT_EQ(readLandXml(xml, "two.xml", names[1]).value.points.size(), 2U);
  EXPECT_EQ(readLandXml(xml, "two.xml", "Ramp B").value.points.size(), 2U);
  EXPECT_EQ(readLandXml(xml, "two.xml", "CL-1/FGCenter").value.points.size(), 3U);
  const auto which = readLandXml(xml, "two.xml", "FGCenter");
  ASSERT_FALSE(which.ok());
  EXPECT_NE(which.error->problem.find(names[0]), std::string::npos);
}

}  // namespace
}  // namespace vcurve::profile
