#include "sections/sections_csv.h"

#include <gtest/gtest.h>

#include <string>

namespace vcurve::sections {
namespace {

using profile::ChainageEquations;

const std::string kHeader =
    "横断面,起点桩号,终点桩号,左分隔带半宽,左行车道,左硬路肩,左土路肩,右分隔带半宽,右行车道,"
    "右硬路肩,右土路肩,路拱横坡,土路肩横坡,设计高程位置\r\n"
    "超高,超高起点,全超高起点,全超高终点,超高终点,超高横坡,偏向,旋转轴,加宽\r\n";
const std::string kTemplate =
    "横断面,K0+000,K2+000,0,3.5,0.75,0.75,0,3.5,0.75,0.75,2%,3,路基边缘\r\n";

TEST(SectionsCsv, ReadsBothTablesPastTitlesAndNotes) {
  const std::string file = "某山区公路 横断面与超高表\r\n" + kHeader + kTemplate +
                           "超高,K0+300,K0+360,K0+500,K0+560,6,右偏,内边线,0.6\r\n"
                           "备注：超高按 JTG D20 设置\r\n"
                           "超高,K1+000,K1+050,K1+100,K1+150,4,左,中线,\r\n";
  const LoadedSections loaded = readSectionsCsv(file, "s.csv", ChainageEquations{});
  ASSERT_TRUE(loaded.ok()) << loaded.errors.front().message();
  ASSERT_EQ(loaded.rows.templates.size(), 1U);
  EXPECT_EQ(loaded.rows.templates[0].crown, 2);
  EXPECT_EQ(loaded.rows.templates[0].right.carriageway, 3.5);
  ASSERT_EQ(loaded.rows.curves.size(), 2U);
  EXPECT_EQ(loaded.rows.curves[0],
            (Superelevation{300, 360, 500, 560, 6, Side::Right, RotationAxis::InnerEdge, 0.6}));
  EXPECT_EQ(loaded.rows.curves[1].axis, RotationAxis::Centreline);
  EXPECT_EQ(loaded.rows.curves[1].widening, 0);
}

TEST(SectionsCsv, ReadsTheWordsAsExcelSavesThemInGbk) {
  // 横断面 ... 中线 / 超高 ... 左 外边线, in GBK.
  const std::string file =
      "\xBA\xE1\xB6\xCF\xC3\xE6,0,2000,1,7.5,3,0.75,1,7.5,3,0.75,2,3,\xD6\xD0\xCF\xDF\r\n"
      "\xB3\xAC\xB8\xDF,300,360,500,560,4,\xD7\xF3,\xCD\xE2\xB1\xDF\xCF\xDF,0\r\n";
  const LoadedSections loaded = readSectionsCsv(file, "s.csv", ChainageEquations{});
  ASSERT_TRUE(loaded.ok()) << loaded.errors.front().message();
  EXPECT_EQ(loaded.rows.templates[0].designPoint, DesignPoint::Centreline);
  EXPECT_EQ(loaded.rows.curves[0].inner, Side::Left);
  EXPECT_EQ(loaded.rows.curves[0].axis, RotationAxis::OuterEdge);
}

TEST(SectionsCsv, ReadsFieldStationsThroughTheEquations) {
  // 短链 of 20 m at K1+180: K1+200 lies 20 m nearer the start than its number.
  const ChainageEquations chainage({{1180, 1200}});
  const std::string file = kTemplate.substr(0, kTemplate.find("K2+000")) +
                           "K3+000,0,3.5,0.75,0.75,0,3.5,0.75,0.75,2,3,中线\r\n"
                           "超高,K1+100,K1+220,K1+300,K1+400,6,右,外边线,0\r\n";
  const LoadedSections loaded = readSectionsCsv(file, "s.csv", chainage);
  ASSERT_TRUE(loaded.ok()) << loaded.errors.front().message();
  EXPECT_EQ(loaded.rows.templates[0].to, 2980);
  EXPECT_EQ(loaded.rows.curves[0].fullStart, 1200);
  EXPECT_EQ(loaded.rows.curves[0].end, 1380);
  // A refusal names the stations as they are numbered on site.
  const LoadedSections overlapping = readSectionsCsv(
      file + "超高,K1+390,K1+420,K1+450,K1+480,6,右,外边线,0\r\n", "s.csv", chainage);
  ASSERT_EQ(overlapping.errors.size(), 1U);
  EXPECT_NE(overlapping.errors[0].problem.find("（至 K1+400.000）"), std::string::npos)
      << overlapping.errors[0].problem;
}

TEST(SectionsCsv, RefusesEachBadRowByItsLineAndKeepsTheRest) {
  struct Row {
    std::string line;
    std::size_t column;
    std::string words;
  };
  const Row rows[] = {
      {"横断面,K2+000,K3+000,0,-3.5,0.75,0.75,0,3.5,0.75,0.75,2,3,路基边缘", 0, "不能为负"},
      {"横断面,K2+000,K3+000,0,3.5,0.75,0.75,0,3.5,0.75,0.75,2..5,3,路基边缘", 12, "不是数字"},
      {"横断面,K1+500,K3+000,0,3.5,0.75,0.75,0,3.5,0.75,0.75,2,3,路基边缘", 0, "重叠"},
      {"超高,K0+800,K0+900,K0+850,K0+950,6,右,内边线,0", 0, "超高过渡段长于曲线所能容纳"},
      {"超高,K0+550,K0+600,K0+700,K0+750,6,右,内边线,0", 0, "重叠"},
      {"超高,K0+800,K0+850,K0+900,K0+950,6,上,内边线,0", 7, "应为左或右"},
      {"超高,K0+800,K0+850,K0+900,K0+9x0,6,右,内边线,0", 5, "不是桩号"},
  };
  for (const Row& r : rows) {
    const std::string file = kHeader + kTemplate +
                             "超高,K0+300,K0+360,K0+500,K0+560,6,右,内边线,0\r\n" + r.line +
                             "\r\n超高,K1+200,K1+250,K1+300,K1+350,6,左,中线,0\r\n";
    const LoadedSections loaded = readSectionsCsv(file, "s.csv", ChainageEquations{});
    ASSERT_EQ(loaded.errors.size(), 1U) << r.line;
    EXPECT_EQ(loaded.errors[0].line, 5U);
    EXPECT_EQ(loaded.errors[0].column, r.column) << r.line;
    EXPECT_NE(loaded.errors[0].message().find(r.words), std::string::npos)
        << loaded.errors[0].message();
    EXPECT_EQ(loaded.rows.templates.size(), 1U);
    EXPECT_EQ(loaded.rows.curves.size(), 2U) << r.line;
  }
}

TEST(SectionsCsv, WritesWhatItReadsBack) {
  const ChainageEquations chainage({{1180, 1200}});
  const LoadedSections first =
      readSectionsCsv(kTemplate + "超高,K1+100,K1+180=K1+200,K1+300,K1+400,5.5,左,外边线,0.4\r\n",
                      "s.csv", chainage);
  ASSERT_TRUE(first.ok()) << first.errors.front().message();
  const Sections sections(first.rows.templates, first.rows.curves);
  const LoadedSections again = readSectionsCsv(sectionsCsv(sections, chainage), "s.csv", chainage);
  ASSERT_TRUE(again.ok()) << again.errors.front().message();
  EXPECT_EQ(again.rows.templates, first.rows.templates);
  EXPECT_EQ(again.rows.curves, first.rows.curves);
}

TEST(SectionsCsv, SaysSoWhenNoTemplateIsThere) {
  const LoadedSections loaded = readSectionsCsv("桩号,高程\r\n", "s.csv", ChainageEquations{});
  ASSERT_EQ(loaded.errors.size(), 1U);
  EXPECT_NE(loaded.errors[0].problem.find("横断面"), std::string::npos);
}

}  // namespace
}  // namespace vcurve::sections
