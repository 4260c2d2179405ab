// vcurve-table --profile on a road with 断链: stations typed and printed as
// field stations, each naming one place or refused saying why.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run_table.h"

namespace vcurve::testing {
namespace {

namespace fs = std::filesystem;

// The crest of grades ±2 % and R 10000 from 300 to 700 on the true
// distance, numbered with a 长链 of 10 m at K0+600 and a 短链 of 10 m at
// K0+790: the end is K1+000 again, 1000 m along the road.
const std::string kBroken =
    "桩号,高程,半径\n0,100,\n500,110,10000\n断链,K0+600,K0+590\n断链,K0+790,K0+800\nK1+000,100,\n";

class ChainageCli : public ::testing::Test {
 protected:
  fs::path path_ =
      fs::temp_directory_path() /
      ("vcurve-chainage-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".csv");
  void SetUp() override { std::ofstream(path_, std::ios::binary) << kBroken; }
  void TearDown() override { fs::remove(path_); }
  TableRun run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--profile", path_.string()});
    return runTable(args);
  }
};

TEST_F(ChainageCli, StationsInFieldNumberingTrueDistanceLast) {
  // As typed with a Chinese input method in its full-width mode, too.
  for (const char* first : {"K0+595(2)", "Ｋ０＋５９５（２）"}) {
    const TableRun r = run({"--at", first, "--at", "K0+640", "--format", "csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "n,station,chainage,elevation,grade,element,distance,note\r\n"
              "1,595.000,K0+595.000(2),107.449,-1.050,凸曲线（第 2 点）,605.000,\r\n"
              "2,640.000,K0+640.000,106.875,-1.500,凸曲线（第 2 点）,650.000,\r\n");
  }
}

TEST_F(ChainageCli, RefusesWhatNamesNoSinglePlace) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"K0+595", {"长链 K0+600.000=K0+590.000", "K0+595.000(1)", "K0+595.000(2)", "括号"}},
      {"K0+795", {"短链 K0+790.000=K0+800.000", "没有这个桩号"}},
      {"K0+100(2)", {"只有 1 处"}},
      {"K0+595(x)", {"括号内"}},
  };
  for (const auto& [at, words] : cases) {
    const TableRun r = run({"--at", at});
    EXPECT_EQ(r.status, 2) << at;
    EXPECT_EQ(r.out, "");
    for (const char* word : words) EXPECT_NE(r.err.find(word), std::string::npos) << r.err;
  }
}

TEST_F(ChainageCli, RangeFollowsTheNumberingAcrossTheEquation) {
  const TableRun r = run({"--from", "K0+580", "--to", "K0+610", "--step", "10"});
  EXPECT_EQ(r.status, 0) << r.err;
  std::size_t at = 0;
  for (const char* station : {"高程K0+580.000=", "高程K0+590.000(1)=", "高程K0+600.000=K0+590.000=",
                              "高程K0+600.000(2)=", "高程K0+610.000="}) {
    at = r.out.find(station, at);
    EXPECT_NE(at, std::string::npos) << station << "\n" << r.out;
  }
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 5);
}

TEST_F(ChainageCli, SummaryListsTheEquationsAndTheTrueLength) {
  const TableRun r = run({"--summary"});
  EXPECT_NE(
      r.out.find("断链 K0+600.000=K0+590.000 长链 10 m\n断链 K0+790.000=K0+800.000 短链 10 m\n"
                 "路线全长（连续里程）1000.000 m"),
      std::string::npos)
      << r.out;
  const TableRun csv = run({"--summary", "--format", "csv"});
  EXPECT_NE(csv.out.find("\r\n断链,K0+600.000,K0+590.000,长链 10 m\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vcurve::testing
