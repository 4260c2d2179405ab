#include "profile/profile_csv.h"

#include <gtest/gtest.h>

#include <memory>

#include "profile/csv_records.h"

namespace vcurve::profile {
namespace {

TEST(ProfileCsv, WrittenThenReadBackIdentically) {
  const Profile p({{5030.2501, 0.1 + 0.2, 0},
                   {5400, 1234.5678, 3456.7},
                   {5800.125, 1230, 0},
                   {6100, 1240.000001, 1.001},
                   {6500, 1235, 7}});
  const std::string text = profileCsv(p);
  ASSERT_TRUE(text.starts_with(kUtf8Bom));
  const auto back = readProfileCsv(text, "p.csv");
  ASSERT_TRUE(back.ok()) << back.error->message();
  EXPECT_EQ(back.value, p.points());
  // The derived columns follow the input ones, as the table shows them.
  EXPECT_NE(text.find("\r\nK5+400.000,1234.5678,3456.7,-1.14,400.125,凸,"), std::string::npos)
      << text;
  // Elevations as the table shows them, and every digit typed past that.
  EXPECT_NE(text.find("\r\nK5+800.125,1230.000,"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nK6+100.000,1240.000001,"), std::string::npos) << text;
  // Stations a hair off the millimetre grid are still the numbers typed.
  for (const double near : {3e-60, 5400.0000000001}) {
    const Profile hair({{near, 100, 0}, {6000, 101, 0}});
    EXPECT_EQ(readProfileCsv(profileCsv(hair), "p.csv").value, hair.points()) << near;
  }
}

// Excel on a Chinese Windows: GBK titles, CR LF, a title row above the
// header, extra columns, chainage and blank rows at the end.
TEST(ProfileCsv, ReadsWhatExcelSavesInGbk) {
  const std::string gbk =
      "\xD7\xDD\xB6\xCF\xC3\xE6,,,\r\n"                                  // 纵断面
      "\xD7\xAE\xBA\xC5,\xB8\xDF\xB3\xCC,\xB0\xEB\xBE\xB6,\xB1\xB8\r\n"  // 桩号,高程,半径,备
      "K0+000,100.5,,\xB1\xB8\r\n"
      "K0+500,110.5,10000,\r\n"
      "\"1,000\"\r\n";
  // The quoted "1,000" is no number: the row names its line and column.
  const auto bad = readProfileCsv(gbk, "gbk.csv");
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error->line, 5U);
  EXPECT_EQ(bad.error->column, 1U);

  std::string good = gbk.substr(0, gbk.find("\"1,000\"")) + " 1000 , 100.5 ,0,x,y\r\n,,\r\n\r\n";
  const auto read = readProfileCsv(good, "gbk.csv");
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.value,
            (std::vector<ProfilePoint>{{0, 100.5, 0}, {500, 110.5, 10000}, {1000, 100.5, 0}}));
}

// Saving over a file must not lose what the window does not keep: a
// title, a 备注 column, a remark on a row of its own.
TEST(ProfileCsv, TellsWhetherWritingBackWouldLoseAnything) {
  const std::string points = "0,100,\n500,110,8000\n1000,100,\n";
  const struct {
    const char* what;
    std::string bytes;
    bool holdsMore;
  } cases[] = {
      {"three columns", points, false},
      {"as written here", profileCsv(Profile({{0, 100, 0}, {500, 110, 8000}, {1000, 100, 0}})),
       false},
      {"an empty 备注 column", "桩号,高程,半径,备注\n" + points, false},
      {"remarks", "桩号,高程,半径,备注\n0,100,,起点\n500,110,8000\n1000,100\n", true},
      {"a title", "某某公路纵断面\n桩号,高程,半径\n" + points, true},
      {"a remark on its own row", points + ",,,接既有路\n", true},
  };
  for (const auto& c : cases) {
    bool holdsMore = !c.holdsMore;
    const auto read = readProfileCsv(c.bytes, "p.csv", &holdsMore);
    ASSERT_TRUE(read.ok()) << c.what << ": " << read.error->message();
    EXPECT_EQ(read.value.size(), 3U) << c.what;
    EXPECT_EQ(holdsMore, c.holdsMore) << c.what;
  }
}

std::string repeated(std::string_view text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

struct BadFile {
  const char* what;
  std::string bytes;
  std::size_t line;
  std::size_t column;
  const char* problem;  // a part of it
};

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, OneErrorWithItsPlace) {
  const BadFile& c = GetParam();
  const auto read = readProfileCsv(c.bytes, "bad.csv");
  ASSERT_FALSE(read.ok()) << c.what;
  EXPECT_EQ(read.error->line, c.line) << c.what << ": " << read.error->message();
  EXPECT_EQ(read.error->column, c.column) << c.what << ": " << read.error->message();
  EXPECT_NE(read.error->problem.find(c.problem), std::string::npos) << read.error->message();
  EXPECT_TRUE(read.value.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFiles,
    ::testing::Values(
        BadFile{"empty", "", 0, 0, "没有数据行"},
        BadFile{"only a header", "\xEF\xBB\xBF桩号,高程\n", 0, 0, "没有数据行"},
        BadFile{"one point", "0,100\n", 0, 0, "至少要有起点和终点"},
        BadFile{"binary", std::string("0,100\n1\0\0\0,5\n", 12), 2, 1, "二进制"},
        BadFile{"UTF-16",
                "\xFF\xFE"
                "0\0,\0",
                1, 1, "UTF-16"},
        BadFile{"not increasing", "0,100\n500,101,3000\n500,102\n", 3, 1, "不大于上一点"},
        BadFile{"negative radius", "0,100\n500,101,-3000\n900,102\n", 2, 3, "不能为负"},
        BadFile{"radius near zero", "0,100\n500,101,1e-300\n900,102\n", 2, 3, "太小"},
        BadFile{"radius under a metre", "0,100\n500,101,0.999\n900,102\n", 2, 3, "太小"},
        BadFile{"letters", "0,100\n500,1O1,3000\n900,102\n", 2, 2, "“1O1”不是数字"},
        BadFile{"NaN", "0,100\n500,nan\n", 2, 2, "不是数字"},
        BadFile{"infinity", "0,inf\n500,100\n", 1, 2, "不是数字"},
        BadFile{"overflow", "0,100\n1e400,100\n", 2, 1, "超出数值范围"},
        BadFile{"missing elevation", "0,100\n500\n", 2, 2, "缺少高程"},
        BadFile{"open quote", "0,100\n\"500,100\n900,100\n", 2, 1, "引号没有配对"},
        BadFile{"GBK in a number", "0,100\n500,\xB8\xDF\n", 2, 2, "“??”不是数字"},
        // A title row or two is skipped, not a file of text.
        BadFile{"eleven rows of text", repeated("标题\n", 11) + "0,1\n", 11, 1, "不是桩号"}));

TEST(ProfileCsv, FiftyMegabytesOfJunkGiveOneErrorAtOnce) {
  std::string junk(50 << 20, 'j');
  for (std::size_t i = 40; i < junk.size(); i += 41) junk[i] = '\n';
  const auto read = readProfileCsv(junk, "junk.csv");
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.error->line, 11U);
}

TEST(ProfileCsv, TheMessageNamesFileLineAndColumn) {
  EXPECT_EQ((FileError{"路线.csv", 5, 2, "“abc”不是数字"}.message()),
            "文件“路线.csv”第 5 行第 2 列：“abc”不是数字");
  EXPECT_EQ((FileError{"a.csv", 0, 0, "文件中没有数据行"}.message()),
            "文件“a.csv”：文件中没有数据行");
}

TEST(GroundCsv, ReadAndWrittenBack) {
  const auto read = readGroundCsv("桩号,地面高程\nK0+000,98.2\n20,99.1,extra\n40.5,97\n", "g.csv");
  ASSERT_TRUE(read.ok()) << read.error->message();
  EXPECT_EQ(read.value, (std::vector<GroundPoint>{{0, 98.2}, {20, 99.1}, {40.5, 97}}));
  EXPECT_EQ(readGroundCsv(groundCsv(GroundLine(read.value)), "g.csv").value, read.value);
  EXPECT_EQ(readGroundCsv("0,1\n0,2\n", "g.csv").error->line, 2U);
}

TEST(StakeCsv, HeaderAndRows) {
  auto profile = std::make_shared<const Profile>(
      std::vector<ProfilePoint>{{0, 100, 0}, {500, 110, 10000}, {1000, 100, 0}});
  std::string text;
  writeStakeCsv(StakeTable(profile, nullptr, 250), [&](std::string_view block) { text += block; });
  EXPECT_EQ(text,
            "\xEF\xBB\xBF桩号,设计高程(m),地面高程(m),填高(m),挖深(m),纵坡(%),备注\r\n"
            "K0+000.000,100.000,,,,2.00,起点\r\n"
            "K0+250.000,105.000,,,,2.00,\r\n"
            "K0+300.000,106.000,,,,2.00,竖曲线起点\r\n"
            "K0+500.000,108.000,,,,0.00,变坡点\r\n"
            "K0+700.000,106.000,,,,-2.00,竖曲线终点\r\n"
            "K0+750.000,105.000,,,,-2.00,\r\n"
            "K1+000.000,100.000,,,,-2.00,终点\r\n");
}

TEST(PastedCells, TabsAndLineBreaksAsExcelCopiesThem) {
  EXPECT_EQ(
      pastedCells("K0+100\t100.5\t\r\n200\t\"a\tb\"\t3000\r\n"),
      (std::vector<std::vector<std::string>>{{"K0+100", "100.5", ""}, {"200", "a\tb", "3000"}}));
}

}  // namespace
}  // namespace vcurve::profile
