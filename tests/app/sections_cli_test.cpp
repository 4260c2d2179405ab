// vcurve-table --profile --sections: the 路基设计表 and the 合成坡度 check as
// users meet them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "run_table.h"

namespace vcurve::testing {
namespace {

namespace fs = std::filesystem;

// A 6 % climb; a 二级 section with a curve to the right at 8 % about its
// inner edge. √(6² + 8²) = 10 %, above 9.5 % at 30 km/h.
const std::string kClimb = "桩号,高程,半径\n0,100,\n1000,160,\n";
const std::string kSections =
    "横断面,0,1000,0,3.5,0.75,0.75,0,3.5,0.75,0.75,2,3,路基边缘\n"
    "超高,300,360,500,560,8,右,内边线,0.8\n";

class SectionsCli : public ::testing::Test {
 protected:
  fs::path folder_ = fs::temp_directory_path() /
                     ("vcurve-sections-cli-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override { fs::remove_all(folder_); }
  std::string file(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return (folder_ / name).string();
  }
};

TEST_F(SectionsCli, WritesTheSubgradeTableAtTheStakeStations) {
  const TableRun run = runTable({"--profile", file("p.csv", kClimb), "--sections",
                                 file("s.csv", kSections), "--format", "csv"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with("桩号,地面高程(m),设计高程(m),")) << run.out;
  // 51 stations every 20 m and the header.
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 52);
  // Full superelevation: the inner edge stays 0.0375 above the design line,
  // the centre 0.28 above that, the widened inner edge 0.344 below the centre.
  EXPECT_NE(
      run.out.find("K0+400.000,,124.000,,,5.000,5.800,0.635,0.598,0.318,-0.026,-0.146,8.00,-8.00,"),
      std::string::npos)
      << run.out;
}

TEST_F(SectionsCli, GivesEdgeElevationsWhenAsked) {
  const TableRun run = runTable({"--profile", file("p.csv", kClimb), "--sections",
                                 file("s.csv", kSections), "--edge-elevations"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("左路肩高程(m)"), std::string::npos);
  EXPECT_NE(run.out.find("K0+000.000,,100.000,,,5.000,5.000,100.000,100.037,100.108,"),
            std::string::npos)
      << run.out;
}

TEST_F(SectionsCli, ChecksTheResultantGrade) {
  const TableRun run = runTable({"--profile", file("p.csv", kClimb), "--sections",
                                 file("s.csv", kSections), "--check", "--speed", "30"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("错误 K0+360.000 最大合成坡度：合成坡度 10.00%，要求 合成坡度 ≤ 9.5%"),
            std::string::npos)
      << run.out;
}

TEST_F(SectionsCli, RefusesWhatCannotBeMade) {
  const std::string profile = file("p.csv", kClimb);
  struct Case {
    std::vector<std::string> args;
    std::string words;
  };
  const Case cases[] = {
      {{"--sections", file("bad.csv", kSections + "超高,540,600,650,700,6,右,内边线,0\n")},
       "第 3 行：超高起点 K0+540.000 与前一行的超高过渡段（至 K0+560.000）重叠"},
      {{"--sections", (folder_ / "none.csv").string()}, "无法打开横断面文件"},
      {{"--edge-elevations"}, "--edge-elevations 要与 --sections 同用"},
      {{"--sections", file("s.csv", kSections), "--at", "100"}, "不能与 --at、--from 同用"},
      {{"--edge-columns"}, "--edge-columns 要与 --sections 同用"},
      {{"--sections", file("s.csv", kSections), "--edge-columns", "--edge-elevations"},
       "不与 --edge-elevations 同用"},
      {{"--format", "pdf", "--output", "t.pdf"}, "--format pdf 只用于 --sections 的路基设计表"},
      {{"--sections", file("s.csv", kSections), "--edge-columns", "--format", "pdf", "--output",
        "t.pdf"},
       "--format pdf 只用于 --sections 的路基设计表"},
      {{"--sections", file("s.csv", kSections), "--format", "pdf"}, "要用 --output 给出文件名"},
      {{"--sections", file("s.csv", kSections), "--format", "pdf", "--output", "t.pdf", "--check",
        "--speed", "30"},
       "不能与 --summary、--check、--find-elevation 同用"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"--profile", profile};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const TableRun run = runTable(args);
    EXPECT_EQ(run.status, 2) << c.words;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.words), std::string::npos) << run.err;
  }
}

// The elevation table with the edges after its columns, every other byte
// as it is without them.
TEST_F(SectionsCli, AddsTheEdgeElevationsToTheElevationTable) {
  const std::string profile = file("p.csv", kClimb);
  const std::string sections = file("s.csv", kSections);
  struct Case {
    std::vector<std::string> args;
    std::string plainRow, edges;
  };
  const Case cases[] = {
      // Full superelevation at K0+400: the high left edge 0.635 above the
      // design line, the low right one 0.1465 below.
      {{"--format", "csv"},
       "21,400.000,K0+400.000,124.000,6.000,直坡段（第 1–2 点）,",
       ",124.635,123.853"},
      {{"--format", "csv", "--at", "K0+400"},
       "1,400.000,K0+400.000,124.000,6.000,直坡段（第 1–2 点）,",
       ",124.635,123.853"},
      {{}, "第21待求点高程400=124", "，左路肩124.635，右路肩123.853"},
      // Normal crown: the design line runs along the subgrade edges.
      {{"--format", "csv"},
       "1,0.000,K0+000.000,100.000,6.000,直坡段（第 1–2 点）,起点",
       ",100.000,100.000"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"--profile", profile};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const TableRun plain = runTable(args);
    args.insert(args.end(), {"--sections", sections, "--edge-columns"});
    const TableRun edged = runTable(args);
    EXPECT_EQ(edged.status, 0) << edged.err;
    EXPECT_NE(edged.out.find(c.plainRow + c.edges), std::string::npos) << edged.out;
    // Taking the edges out of every line leaves the table without them.
    std::istringstream edgedLines(edged.out), plainLines(plain.out);
    std::string line, expected;
    while (std::getline(plainLines, expected)) {
      ASSERT_TRUE(std::getline(edgedLines, line));
      if (c.edges.starts_with(",")) {
        // The two last fields, before the CR.
        const std::size_t from = line.rfind(',', line.rfind(',') - 1);
        line.erase(from, line.size() - 1 - from);
      } else if (const std::size_t at = line.find("，左路肩"); at != std::string::npos) {
        line.erase(at);
      }
      EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(std::getline(edgedLines, line));
  }
}

TEST_F(SectionsCli, WritesThePdfOnlyWhole) {
  const std::string out = (folder_ / "t.pdf").string();
  const TableRun run = runTable({"--profile", file("p.csv", kClimb), "--sections",
                                 file("s.csv", kSections), "--format", "pdf", "--output", out});
#ifndef VCURVE_TABLE_PDF
  // Built without the toolkit: said so, and nothing written.
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("此版本不含 PDF 输出"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(out));
  return;
#endif
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(fileText(out).starts_with("%PDF-")) << out;
  // A folder to write into that is not there: nothing written, the reason said.
  const std::string nowhere = (folder_ / "none" / "t.pdf").string();
  const TableRun failed =
      runTable({"--profile", file("p.csv", kClimb), "--sections", file("s.csv", kSections),
                "--format", "pdf", "--output", nowhere});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("无法写入"), std::string::npos) << failed.err;
  EXPECT_FALSE(fs::exists(nowhere));
}

TEST_F(SectionsCli, WritesTheWorkbook) {
  const std::string out = (folder_ / "t.xlsx").string();
  const TableRun run = runTable({"--profile", file("p.csv", kClimb), "--sections",
                                 file("s.csv", kSections), "--format", "xlsx", "--output", out});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_GT(fs::file_size(out), 1000U);
}

}  // namespace
}  // namespace vcurve::testing
