// vcurve-table --sheets as users meet it: the options refused in one
// line each, and a file that is whole or not there at all.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run_table.h"

namespace vcurve::testing {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kError = "vcurve-table: 错误：";
const std::string kCrest = "桩号,高程,半径\n0,100,\n500,110,10000\n1000,100,\n";

class SheetCli : public ::testing::Test {
 protected:
  fs::path folder_ = fs::temp_directory_path() /
                     ("vcurve-sheet-cli-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override { fs::remove_all(folder_); }
  std::string file(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return (folder_ / name).string();
  }
  std::vector<std::string> left() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
};

TEST_F(SheetCli, BadSettingsAreRefusedBeforeAnythingIsWritten) {
  struct Case {
    Args options;
    std::string message;
  };
  const Case cases[] = {
      {{"--sheets", "out.svg"},
       "选项 --sheets 的值“out.svg”的文件类型无效，应以 .pdf 或 .dxf 结尾"},
      {{"--sheets", "out.dxf", "--paper", "B4"},
       "选项 --paper 的值“B4”无效，应为 A4、A3、A2 或 A1"},
      {{"--sheets", "out.dxf", "--rows", "station,levels"},
       "选项 --rows 的值“station,levels”无效：“levels”不是资料表的栏目"},
      {{"--sheets", "out.dxf", "--h-scale", "5"}, "水平比例须在 1:10 与 1:100000 之间"},
      {{"--sheets", "out.dxf", "--from", "K0+800", "--to", "K0+200"}, "出图范围的起点须在终点之前"},
      {{"--sheets", "out.dxf", "--format", "csv"}, "未知选项 --format（用 --help 查看用法）"},
      {{"--sheets", "out.dxf", "--geology", "K0+100,砂岩"},
       "选项 --geology 的值“K0+100,砂岩”无效，应写作 起点桩号,终点桩号,说明"},
      {{"--sheets", "out.dxf", "--geology", "K0+500,K0+100,砂岩"},
       "选项 --geology 的值“K0+500,K0+100,砂岩”的起点须在终点之前"},
  };
  const std::string profile = file("p.csv", kCrest);
  for (const Case& c : cases) {
    Args args{"--profile", profile};
    for (std::string option : c.options) {
      args.push_back(option == "out.dxf" ? (folder_ / option).string() : option);
    }
    const TableRun run = runTable(args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_EQ(run.err, kError + c.message + "\n");
    EXPECT_EQ(left(), std::vector<std::string>{"p.csv"});
  }
}

TEST_F(SheetCli, TheDxfIsWholeOrNotThere) {
  const std::string profile = file("p.csv", kCrest);
  // A plain name: the test speaks to the file system in the system's code page.
  const std::string out = (folder_ / "profile-sheets.dxf").string();
  const TableRun run =
      runTable({"--profile", profile, "--sheets", out, "--project", "试验路", "--rows",
                "station,design,geology", "--geology", "K0+100,K0+600,砂岩"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string dxf = fileText(out);
  EXPECT_TRUE(dxf.starts_with("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1021\n"));
  EXPECT_TRUE(dxf.ends_with("0\nEOF\n"));
  EXPECT_NE(dxf.find("\n试验路\n"), std::string::npos);
  EXPECT_NE(dxf.find("\n砂岩\n"), std::string::npos);
  EXPECT_NE(dxf.find("\n地质概况\n"), std::string::npos);

  const std::string nowhere = (folder_ / "missing" / "a.dxf").string();
  const TableRun failed = runTable({"--profile", profile, "--sheets", nowhere});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, kError + "无法写入“" + nowhere + "”\n");
}

// A range is typed as the stakes are numbered on site; past a 短链 that is
// 20 m ahead of the true distance.
TEST_F(SheetCli, TheRangeIsInFieldStationsAcrossAnEquation) {
  const std::string profile =
      file("p.csv", "桩号,高程,半径\n0,100,\n断链,K0+400,K0+420\n520,110,10000\n1020,100,\n");
  const std::string out = (folder_ / "range.dxf").string();
  const TableRun run = runTable({"--profile", profile, "--sheets", out, "--rows", "station",
                                 "--from", "K0+600", "--to", "K0+900"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string dxf = fileText(out);
  const std::size_t first = dxf.find("\nK0+"), last = dxf.rfind("\nK0+");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(dxf.substr(first + 1, 10), "K0+600.000");
  EXPECT_EQ(dxf.substr(last + 1, 10), "K0+900.000");
}

}  // namespace
}  // namespace vcurve::testing
