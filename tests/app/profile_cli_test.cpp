// vcurve-table --profile as users meet it: what it prints, where, and its
// exit status, for good files and bad ones.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run_table.h"
#include "support/recording_platform.h"

namespace vcurve::testing {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kError = "vcurve-table: 错误：";

// Grades +2 % and −2 %, a crest of R 10000 from K0+300 to K0+700.
const std::string kCrest = "桩号,高程,半径\n0,100,\n500,110,10000\n1000,100,\n";

class ProfileCli : public ::testing::Test {
 protected:
  fs::path folder_ = fs::temp_directory_path() /
                     ("vcurve-profile-cli-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override { fs::remove_all(folder_); }

  std::string file(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return (folder_ / name).string();
  }
};

TEST_F(ProfileCli, TheTableEveryTwentyMetresAndEveryKeyPoint) {
  const TableRun run = runTable({"--profile", file("p.csv", kCrest)});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  // 51 multiples of 20 m; the key points all fall on them.
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 51);
  EXPECT_TRUE(run.out.starts_with("第1待求点高程0=100\n第2待求点高程20=100.4\n")) << run.out;
  EXPECT_NE(run.out.find("第21待求点高程400=107.5\n"), std::string::npos);
  EXPECT_TRUE(run.out.ends_with("第51待求点高程1000=100\n"));
}

// Fixed decimals, as the screen shows them; the 备注 last, so that the
// elevation stays the fourth column scripts read.
TEST_F(ProfileCli, CsvAddsTheGradeTheElementAndTheNote) {
  const TableRun run = runTable({"--profile", file("p.csv", kCrest), "--format", "csv", "--at",
                                 "K0+250", "--at", "300", "--at", "500", "--at", "650.25"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "n,station,chainage,elevation,grade,element,note\r\n"
            "1,250.000,K0+250.000,105.000,2.000,直坡段（第 1–2 点）,\r\n"
            "2,300.000,K0+300.000,106.000,2.000,凸曲线（第 2 点）,竖曲线起点\r\n"
            "3,500.000,K0+500.000,108.000,0.000,凸曲线（第 2 点）,变坡点\r\n"
            "4,650.250,K0+650.250,106.871,-1.502,凸曲线（第 2 点）,\r\n");
  // The stake table's rows carry its own notes.
  const TableRun stake = runTable({"--profile", file("p.csv", kCrest), "--format", "csv"});
  EXPECT_TRUE(stake.out.find("\r\n1,0.000,K0+000.000,100.000,2.000,直坡段（第 1–2 点）,起点\r\n") !=
              std::string::npos)
      << stake.out;
  EXPECT_TRUE(stake.out.ends_with(",终点\r\n")) << stake.out;
}

TEST_F(ProfileCli, ReportsWithoutATableUnlessStationsAreAsked) {
  const std::string p = file("p.csv", kCrest);
  const TableRun run = runTable(
      {"--profile", p, "--summary", "--speed", "120", "--check", "--find-elevation", "107.5"});
  EXPECT_EQ(run.status, 1);  // R 10000 is below 120 km/h's 极限值
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with("纵坡竖曲线表（" + p + "，3 个点）\n序号  变坡点桩号"))
      << run.out;
  EXPECT_NE(run.out.find("\n\n检查结果（JTG D20—2017 公路路线设计规范，设计速度 120 km/h）："
                         "错误 1 项，警告 0 项，提示 0 项\n"
                         "错误 第 2 点 K0+500.000 凸形竖曲线最小半径：R = 10000 m，"
                         "要求 ≥ 11000 m（极限值，JTG D20—2017 表 8.6.1）\n"),
            std::string::npos)
      << run.out;
  EXPECT_TRUE(
      run.out.ends_with("\n\n设计高程 107.5 的位置（2 处）：\n"
                        "K0+400.000（400）\nK0+600.000（600）\n"))
      << run.out;
  EXPECT_EQ(runTable({"--profile", p, "--speed", "60", "--check"}).status, 0);
}

TEST_F(ProfileCli, ChecksAgainstTheCodeAndClassAsked) {
  // 6 % for 400 m: a 主干路 at 50 km/h may have 350 m of it (CJJ 37).
  const std::string p = file("p.csv", "桩号,高程,半径\n0,100,\n400,124,\n");
  const TableRun urban = runTable(
      {"--profile", p, "--code", "cjj37", "--class", "主干路", "--speed", "50", "--check"});
  EXPECT_EQ(urban.status, 1);
  EXPECT_NE(
      urban.out.find("检查结果（CJJ 37—2012 城市道路工程设计规范（2016 年版），主干路，设计速度 "
                     "50 km/h）："),
      std::string::npos)
      << urban.out;
  EXPECT_NE(urban.out.find("最大坡长：坡长 400.000 m，要求 ≤ 350 m（CJJ 37—2012 表 6.3.4）"),
            std::string::npos)
      << urban.out;
  // The class alone names its code; 二级 is 二级公路.
  EXPECT_EQ(runTable({"--profile", p, "--class", "次干路", "--speed", "40", "--check"}).status, 0);
  const TableRun rural =
      runTable({"--profile", p, "--code", "jtg", "--class", "二级", "--speed", "60", "--check"});
  EXPECT_NE(rural.out.find("二级公路，设计速度 60 km/h"), std::string::npos) << rural.out;
  // A file that keeps its settings is checked by them unless told otherwise.
  const std::string kept = file("kept.csv", "道路设置,规范=cjj37,等级=主干路,设计速度=50\n" +
                                                std::string("桩号,高程,半径\n0,100,\n400,124,\n"));
  EXPECT_EQ(runTable({"--profile", kept, "--check"}).out.substr(0, urban.out.find('\n')),
            urban.out.substr(0, urban.out.find('\n')));
}

TEST_F(ProfileCli, OverlappingCurvesLeaveTheirStationsOutAndFail) {
  const TableRun run =
      runTable({"--profile", file("o.csv", "0,100\n300,106,6000\n500,100,4000\n900,112\n"), "--at",
                "370", "--at", "400", "--at", "460"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, kError + "第2点（桩号 K0+400.000）此处竖曲线重叠，不计算高程，表中未列出\n");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
}

TEST_F(ProfileCli, LandXmlByName) {
  const std::string xml = file("p.xml", R"(<LandXML><Alignments>
    <Alignment name="A"><Profile><ProfAlign name="一"><PVI>0 100</PVI><PVI>100 101</PVI></ProfAlign></Profile></Alignment>
    <Alignment name="B"><Profile><ProfAlign name="二"><PVI>0 50</PVI><PVI>100 52</PVI></ProfAlign></Profile></Alignment>
    </Alignments></LandXML>)");
  EXPECT_EQ(runTable({"--profile", xml, "--name", "B", "--at", "50"}).out, "第1待求点高程50=51\n");
  const TableRun both = runTable({"--profile", xml, "--at", "50"});
  EXPECT_EQ(both.status, 2);
  EXPECT_EQ(both.err, kError + "文件“" + xml +
                          "”：文件中有 2 条纵断面设计线，请指定其中一条的名称：一、二\n");
}

// A workbook appears whole under its name or not at all.
TEST_F(ProfileCli, XlsxReplacesTheOldFileOnlyWhenComplete) {
  const std::string p = file("p.csv", kCrest);
  const std::string out = file("table.xlsx", "old");
  EXPECT_EQ(runTable({"--profile", p, "--format", "xlsx", "--output", out}).status, 0);
  std::ifstream in(out, std::ios::binary);
  std::string head(2, '\0');
  in.read(head.data(), 2);
  EXPECT_EQ(head, "PK");
  EXPECT_FALSE(fs::exists(out + ".part"));

  const std::string kept = file("kept.csv", "old");
  const TableRun refused =
      runTable({"--profile", p, "--format", "csv", "--output", kept, "--at", "1001"});
  EXPECT_EQ(refused.status, 2);
  std::ifstream old(kept, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
  EXPECT_FALSE(fs::exists(kept + ".part"));
}

TEST_F(ProfileCli, CsvToAFileCarriesTheMarkExcelNeeds) {
  const std::string out = (folder_ / "t.csv").string();
  EXPECT_EQ(runTable({"--profile", file("p.csv", kCrest), "--format", "csv", "--output", out,
                      "--at", "0"})
                .status,
            0);
  std::ifstream in(out, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            "\xEF\xBB\xBFn,station,chainage,elevation,grade,element,note\r\n"
            "1,0.000,K0+000.000,100.000,2.000,直坡段（第 1–2 点）,起点\r\n");
}

struct BadInput {
  const char* what;
  std::string bytes;  // the profile file; empty name for none at all
  Args extra;
  std::string err;  // after "文件“<path>”", or the whole message for options
  bool aboutFile = true;
};

class ProfileRefusals : public ProfileCli, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ProfileRefusals, OneLineStatusTwoNoTable) {
  const BadInput& c = GetParam();
  const std::string path = file("bad.csv", c.bytes);
  Args args{"--profile", path};
  args.insert(args.end(), c.extra.begin(), c.extra.end());
  const TableRun run = runTable(args);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, kError + (c.aboutFile ? "文件“" + path + "”" : "") + c.err + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileRefusals,
    ::testing::Values(
        BadInput{"empty", "", {}, "：文件中没有数据行（纵断面至少要有两个点）"},
        BadInput{"binary",
                 std::string("\x7F"
                             "ELF\0\1\2",
                             7),
                 {},
                 "第 1 行第 1 列：含有二进制数据，不是文本文件"},
        BadInput{"backwards",
                 "0,100\n500,110,3000\n400,100\n",
                 {},
                 "第 3 行第 1 列：桩号 K0+400.000 不大于上一点的桩号 K0+500.000（桩号须由小到大）"},
        BadInput{"one point", "0,100\n", {}, "：纵断面至少要有起点和终点两个点"},
        BadInput{"negative radius",
                 "0,100\n500,110,-3000\n900,100\n",
                 {},
                 "第 2 行第 3 列：竖曲线半径“-3000”不能为负（不设竖曲线时填 0 或留空）"},
        BadInput{"NaN", "0,100\n500,NaN\n", {}, "第 2 行第 2 列：“NaN”不是数字"},
        BadInput{"no profile in the XML",
                 "<LandXML><Units/></LandXML>",
                 {},
                 "：文件中没有纵断面设计线（Alignment 下的 Profile/ProfAlign）"},
        BadInput{"a curve option",
                 kCrest,
                 {"--radius", "300"},
                 "选项 --radius 不能与 --profile 同用（纵断面文件已给出各竖曲线）",
                 false},
        BadInput{"station off the profile",
                 kCrest,
                 {"--at", "K1+000.001"},
                 "选项 --at 的值“K1+000.001”不在纵断面上（纵断面起点 K0+000.000 至终点 "
                 "K1+000.000）",
                 false},
        BadInput{"step that underflows",
                 kCrest,
                 {"--from", "0", "--to", "100", "--step", "2e-324"},
                 "选项 --step 的值“2e-324”太小，无法用于计算",
                 false},
        BadInput{"unknown option with an escape sequence",
                 kCrest,
                 {"--\x1B]0;t\x07"},
                 "未知选项 --\\x1B]0;t\\x07（用 --help 查看用法）",
                 false},
        BadInput{"xlsx without a file",
                 kCrest,
                 {"--format", "xlsx"},
                 "--format xlsx 要用 --output 给出文件名",
                 false},
        BadInput{"unknown speed",
                 kCrest,
                 {"--speed", "90", "--check"},
                 "选项 --speed 的值“90”无效，JTG D20—2017 的设计速度为 "
                 "120、100、80、60、40、30、20（km/h）",
                 false},
        BadInput{"output into no folder",
                 kCrest,
                 {"--format", "csv", "--output", "/no-such-folder/t.csv"},
                 "无法创建文件“/no-such-folder/t.csv”",
                 false},
        BadInput{"unknown code",
                 kCrest,
                 {"--code", "gb", "--speed", "60", "--check"},
                 "选项 --code 的值“gb”无效，应为 jtg（JTG D20—2017）或 cjj37（CJJ 37—2012）",
                 false},
        BadInput{"class of the other code",
                 kCrest,
                 {"--code", "jtg", "--class", "支路", "--speed", "30", "--check"},
                 "选项 --class 的值“支路”无效，JTG D20—2017 的等级为 "
                 "高速公路、一级公路、二级公路、三级公路、四级公路",
                 false},
        BadInput{"speed the class does not have",
                 kCrest,
                 {"--class", "二级", "--speed", "40", "--check"},
                 "选项 --speed 的值“40”无效，二级公路的设计速度为 80、60（km/h）",
                 false},
        BadInput{"urban speed of the highway code",
                 kCrest,
                 {"--speed", "50", "--check"},
                 "选项 --speed 的值“50”无效，JTG D20—2017 的设计速度为 "
                 "120、100、80、60、40、30、20（km/h）",
                 false},
        BadInput{"class without check",
                 kCrest,
                 {"--class", "主干路"},
                 "--class 只用于 --check（按设计规范检查纵断面）",
                 false},
        BadInput{"check without speed",
                 kCrest,
                 {"--check"},
                 "--check 要用 --speed 给出设计速度（km/h）",
                 false}),
    [](const auto& info) { return testName(info.param.what); });

TEST_F(ProfileCli, AMissingFileIsNamed) {
  const TableRun run = runTable({"--profile", (folder_ / "none.csv").string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, kError + "无法打开文件“" + (folder_ / "none.csv").string() + "”\n");
}

}  // namespace
}  // namespace vcurve::testing
