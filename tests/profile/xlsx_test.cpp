#include "profile/xlsx_workbook.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "support/zip_member.h"

namespace vcurve::profile {
namespace {

using testing::zipMember;

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Xlsx : public ::testing::Test {
 protected:
  // Each test its own file: CTest runs them side by side.
  std::filesystem::path path_ =
      std::filesystem::temp_directory_path() /
      ("vcurve-xlsx-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".xlsx");
  void TearDown() override { std::filesystem::remove(path_); }
};

TEST_F(Xlsx, NumbersAsNumbersChainageAsTextChineseHeadersWidths) {
  auto profile = std::make_shared<const Profile>(
      std::vector<ProfilePoint>{{0, 100, 0}, {500, 110, 10000}, {1000, 100, 0}});
  const StakeTable table(profile, nullptr, 250);
  ASSERT_EQ(
      writeXlsx(path_.string(), {stakeSheet(table, "逐桩高程表 示例"), profileSheet(*profile)}),
      "");
  const std::string zip = fileBytes(path_);
  const std::string stake = zipMember(zip, "xl/worksheets/sheet1.xml");
  ASSERT_FALSE(stake.empty());
  EXPECT_NE(stake.find("<col min=\"1\" max=\"1\" width=\"13.7109375\""), std::string::npos)
      << stake;
  EXPECT_NE(stake.find("<is><t>设计高程(m)</t></is>"), std::string::npos);
  EXPECT_NE(stake.find("<is><t>K0+250.000</t></is>"), std::string::npos);
  EXPECT_NE(stake.find("<v>105</v>"), std::string::npos);  // 105.000 as a number
  EXPECT_NE(zipMember(zip, "xl/workbook.xml").find("name=\"纵坡竖曲线表\""), std::string::npos);
  EXPECT_NE(zipMember(zip, "xl/styles.xml").find("formatCode=\"0.000\""), std::string::npos);
}

// A Qt program runs in the user's locale; a German user's must not turn
// 812.4 into "812,4". The cells hold what the table prints: a grade of
// 10.2/3 % is 3.40, not 3.4000000000000004.
TEST_F(Xlsx, CellsHoldThePrintedNumbersInADecimalCommaLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_NUMERIC, "German_Germany.1252") == nullptr) {
    GTEST_SKIP() << "no decimal-comma locale (LOCPATH unset?)";
  }
  auto profile = std::make_shared<const Profile>(
      std::vector<ProfilePoint>{{0, 812.4, 0}, {300, 822.6, 0}, {600, 812.4, 0}});
  const std::string problem = writeXlsx(path_.string(), {profileSheet(*profile)});
  const std::string after = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, before.c_str());
  ASSERT_EQ(problem, "");
  EXPECT_NE(after, "C");  // the caller's locale is given back
  const std::string sheet = zipMember(fileBytes(path_), "xl/worksheets/sheet1.xml");
  EXPECT_NE(sheet.find("<v>812.4</v>"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("<v>3.4</v>"), std::string::npos) << sheet;
  EXPECT_EQ(sheet.find(','), std::string::npos) << sheet;
}

// Each sheet prints on its paper, its heading across the table and the
// rows over the data repeated on every page.
TEST_F(Xlsx, TheProfilesWorkbookPrints) {
  auto profile = std::make_shared<const Profile>(
      std::vector<ProfilePoint>{{0, 100, 0}, {500, 110, 2000}, {1000, 100, 0}});
  const StakeTable table(profile, nullptr, 250);
  const std::vector<Finding> findings(1);
  ASSERT_EQ(writeXlsx(path_.string(), profileWorkbook(stakeSheet(table), *profile, "文件：示例.csv",
                                                      {&findings, "检查结果：提示 1 项"})),
            "");
  const std::string zip = fileBytes(path_);
  const std::string book = zipMember(zip, "xl/workbook.xml");
  struct Expected {
    const char* name;
    const char* merged;  // the heading's two rows
    const char* page;
    const char* titles;  // the rows printed on every page
  };
  const Expected sheets[] = {
      {"逐桩高程表", "A1:G1", "paperSize=\"9\" fitToHeight=\"0\" orientation=\"portrait\"",
       "'逐桩高程表'!$1:$3"},
      {"纵坡竖曲线表", "A2:K2", "paperSize=\"9\" fitToHeight=\"0\" orientation=\"landscape\"",
       "'纵坡竖曲线表'!$1:$3"},
      {"检查结果", "A2:F2", "paperSize=\"8\" fitToHeight=\"0\" orientation=\"landscape\"",
       "'检查结果'!$1:$3"},
  };
  for (std::size_t i = 0; i < std::size(sheets); ++i) {
    const Expected& e = sheets[i];
    const std::string xml = zipMember(zip, "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml");
    EXPECT_NE(book.find(std::string("name=\"") + e.name + "\""), std::string::npos) << e.name;
    EXPECT_NE(book.find(e.titles), std::string::npos) << book;
    EXPECT_NE(xml.find(std::string("<mergeCell ref=\"") + e.merged + "\"/>"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find(e.page), std::string::npos) << xml;
    EXPECT_NE(xml.find("<pageSetUpPr fitToPage=\"1\"/>"), std::string::npos) << e.name;
  }
  const std::string stake = zipMember(zip, "xl/worksheets/sheet1.xml");
  EXPECT_NE(stake.find("<t>备注</t>"), std::string::npos);
  EXPECT_NE(stake.find("<t>竖曲线起点</t>"), std::string::npos);
  EXPECT_NE(stake.find("<t>文件：示例.csv</t>"), std::string::npos);
}

TEST_F(Xlsx, RefusesMoreRowsThanASheetHolds) {
  Sheet big;
  big.name = "大表";
  big.columns = {{"n", 8, 0}};
  big.rows = kXlsxMaximumRows;
  big.row = [](std::size_t, std::vector<SheetCell>&) {};
  EXPECT_NE(writeXlsx(path_.string(), {big}).find("超过 Excel 一张工作表的上限"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(Xlsx, SaysWhenTheFileCannotBeMade) {
  EXPECT_NE(writeXlsx("/nonexistent-folder/x.xlsx", {}), "");
}

}  // namespace
}  // namespace vcurve::profile
