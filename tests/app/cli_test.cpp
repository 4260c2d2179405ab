// The program as users meet it: what it prints, where, and its exit status.

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "run_table.h"
#include "support/recording_platform.h"

namespace vcurve::testing {
namespace {

using Args = std::vector<std::string>;

// The worked example's curve, with options replaced (a value) or left out
// (nullopt), then the extra arguments.
Args curve(const std::vector<std::pair<std::string, std::optional<std::string>>>& changes = {},
           const Args& extra = {}) {
  std::vector<std::pair<std::string, std::optional<std::string>>> options = {
      {"--type", "convex"},   {"--pvi", "500"}, {"--tangent", "40"}, {"--radius", "800"},
      {"--elevation", "100"}, {"--g1", "3"},    {"--g2", "2"}};
  for (const auto& [name, value] : changes) {
    for (auto& option : options) {
      if (option.first == name) option.second = value;
    }
  }
  Args args;
  for (const auto& [name, value] : options) {
    if (value) args.insert(args.end(), {name, *value});
  }
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

const std::string kError = "vcurve-table: 错误：";
const std::string kWarning = "vcurve-table: 警告：";

// A Windows command line is UTF-16: a byte that is not UTF-8 cannot be
// passed, and the program receives U+FFFD in its place.
#ifdef _WIN32
const std::string kStrayByteReceived = "\xEF\xBF\xBD";
#else
const std::string kStrayByteReceived = "\\xFF";
#endif

struct CliCase {
  const char* what;
  Args args;
  int status;
  std::string out;
  std::string err;
};

void PrintTo(const CliCase& c, std::ostream* os) { *os << c.what; }

class Cli : public ::testing::TestWithParam<CliCase> {};

TEST_P(Cli, PrintsAndExits) {
  const CliCase& c = GetParam();
  const TableRun run = runTable(c.args);
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
}

// Every refusal: one line naming the option and its value, status 2, and not
// a byte of table.
INSTANTIATE_TEST_SUITE_P(
    Refusals, Cli,
    ::testing::Values(
        CliCase{
            "trailing letters", curve({}, {"--at", "12abc"}), 2, "",
            kError + "选项 --at 的值“12abc”不是桩号（应写作米数如 5030.25，或里程如 K5+030.25）\n"},
        // Under Windows the value arrives through the wide command line.
        CliCase{
            "Chinese value", curve({}, {"--at", "桩号480"}), 2, "",
            kError +
                "选项 --at 的值“桩号480”不是桩号（应写作米数如 5030.25，或里程如 K5+030.25）\n"},
        CliCase{"trailing letters in a number", curve({{"--radius", "800m"}}), 2, "",
                kError + "选项 --radius 的值“800m”不是数字\n"},
        CliCase{"empty value", curve({{"--elevation", ""}}), 2, "",
                kError + "选项 --elevation 的值为空\n"},
        CliCase{"missing option", curve({{"--g2", std::nullopt}}), 2, "",
                kError + "缺少选项 --g2\n"},
        CliCase{"missing value", curve({}, {"--at"}), 2, "", kError + "选项 --at 缺少值\n"},
        CliCase{"radius zero", curve({{"--radius", "0"}}), 2, "",
                kError + "选项 --radius 的值“0”必须大于 0\n"},
        CliCase{"step zero", curve({}, {"--from", "460", "--to", "540", "--step", "0"}), 2, "",
                kError + "选项 --step 的值“0”必须大于 0\n"},
        CliCase{"station before the curve", curve({}, {"--at", "K0+459.999"}), 2, "",
                kError + "选项 --at 的值“K0+459.999”不在曲线上（曲线起点 460 至终点 540）\n"},
        CliCase{"range past the curve",
                curve({}, {"--from", "460", "--to", "540.001", "--step", "20"}), 2, "",
                kError + "选项 --to 的值“540.001”不在曲线上（曲线起点 460 至终点 540）\n"},
        CliCase{"too many stations",
                curve({}, {"--from", "460", "--to", "540", "--step", "0.000001"}), 2, "",
                kError + "选项 --step 的值“0.000001”使桩号数（80000001）超过上限 10000000\n"},
        CliCase{"too long a curve for every 20 m", curve({{"--pvi", "1e9"}, {"--tangent", "1e9"}}),
                2, "",
                kError + "选项 --tangent 的值“1e9”按每 20 m 一点使桩号数（100000002）超过上限 "
                         "10000000；请用 --at 或 --from/--to/--step 指定桩号\n"},
        CliCase{"range backwards", curve({}, {"--from", "540", "--to", "460", "--step", "20"}), 2,
                "", kError + "选项 --to 的值“460”小于 --from 的值“540”\n"},
        CliCase{"range incomplete", curve({}, {"--from", "460", "--step", "20"}), 2, "",
                kError + "缺少选项 --to（--from、--to、--step 要一起给出）\n"},
        CliCase{"beyond the double range", curve({{"--elevation", "1E400"}}), 2, "",
                kError + "选项 --elevation 的值“1E400”超出数值范围\n"},
        CliCase{"grade with a sign", curve({{"--g1", "-3"}}), 2, "",
                kError + "选项 --g1 的值“-3”不能为负（纵坡填大小，方向由 --type 决定）\n"},
        CliCase{
            "unknown curve type", curve({{"--type", "crest"}}), 2, "",
            kError + "选项 --type 的值“crest”无效，应为 convex（凸曲线）或 concave（凹曲线）\n"},
        CliCase{"unknown option", curve({}, {"--station", "480"}), 2, "",
                kError + "未知选项 --station（用 --help 查看用法）\n"},
        CliCase{"station without its option", curve({}, {"480"}), 2, "",
                kError + "多余的参数“480”（选项都要写名字，如 --at 480；用 --help 查看用法）\n"},
        CliCase{"option twice", curve({}, {"--pvi", "520"}), 2, "",
                kError + "选项 --pvi 给了两次（“500”和“520”）\n"},
        CliCase{"positive value too small for a double", curve({{"--radius", "2e-324"}}), 2, "",
                kError + "选项 --radius 的值“2e-324”太小，无法用于计算\n"},
        CliCase{
            "step below the spacing of doubles",
            curve({{"--pvi", "9999999999950"}, {"--tangent", "100"}},
                  {"--from", "9999999999900.001", "--to", "9999999999900.01", "--step", "0.001"}),
            2, "",
            kError + "选项 --step 的值“0.001”不大于桩号在此范围内的数值分辨率 0.001953125，"
                     "相邻桩号无法区分\n"},
        // What the user typed must not restyle the terminal or hide the message.
        CliCase{"control characters and stray bytes escaped",
                curve({{"--radius",
                        "8\x1b[2J\xc2\x9b"
                        "0\r\xff"}}),
                2, "",
                kError + "选项 --radius 的值“8\\x1B[2J\\xC2\\x9B0\\r" + kStrayByteReceived +
                    "”不是数字\n"},
        CliCase{"unknown option escaped", curve({}, {"--\x1b]0;t\x07"}), 2, "",
                kError + "未知选项 --\\x1B]0;t\\x07（用 --help 查看用法）\n"},
        // Long, yet within a Windows command line's 32767 characters.
        CliCase{"long value cut between characters",
                curve({{"--radius", std::string(39, '9') + "桩" + std::string(30000, '9')}}), 2, "",
                kError + "选项 --radius 的值“" + std::string(39, '9') + "桩…”不是数字\n"},
        CliCase{"step too fine to count exactly",
                curve({}, {"--from", "460", "--to", "540", "--step", "1e-10"}), 2, "",
                kError + "选项 --step 的值“1e-10”小数位太多（最多 9 位）\n"}),
    [](const auto& info) { return testName(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Tables, Cli,
    ::testing::Values(
        CliCase{"whole curve by default", curve(), 0,
                "第1待求点高程460=98.8\n第2待求点高程480=99.15\n第3待求点高程500=99\n"
                "第4待求点高程520=99.35\n第5待求点高程540=99.2\n",
                ""},
        CliCase{"sag, chainage and metres",
                curve({{"--type", "concave"}}, {"--at", "K0+520", "--at", "480"}), 0,
                "第1待求点高程480=100.85\n第2待求点高程520=100.65\n", ""},
        CliCase{"csv", curve({}, {"--at", "480", "--at", "520.5", "--format", "csv"}), 0,
                "n,station,chainage,elevation\r\n1,480,K0+480.000,99.15\r\n"
                "2,520.5,K0+520.500,99.352\r\n",
                ""},
        CliCase{"summary of a curve that fits its radius",
                {"--type", "convex", "--pvi", "K5+030", "--tangent", "60", "--radius", "3000",
                 "--elevation", "100", "--g1", "2.5", "--g2", "1.5", "--summary", "--at", "5045"},
                0,
                "竖曲线要素（凸曲线）\n"
                "起点：K4+970.000（4970），高程 98.5\n"
                "变坡点：K5+030.000（5030），变坡点高程 100，曲线上高程 99.4\n"
                "终点：K5+090.000（5090），高程 99.1\n"
                "外距：0.6\n"
                "最高点：K5+045.000（5045），高程 99.438\n"
                "切线长度：60（由半径和纵坡推算为 60）\n"
                "\n"
                "第1待求点高程5045=99.438\n",
                ""},
        CliCase{"summary warns of a tangent that does not fit",
                curve({{"--type", "concave"}}, {"--summary", "--format", "csv", "--at", "500"}), 0,
                "element,station,chainage,value\r\n"
                "曲线类型,,,凹曲线\r\n"
                "起点,460,K0+460.000,101.2\r\n"
                "变坡点高程,500,K0+500.000,100\r\n"
                "变坡点处曲线高程,500,K0+500.000,101\r\n"
                "终点,540,K0+540.000,100.8\r\n"
                "外距,,,1\r\n"
                "最低点,524,K0+524.000,100.64\r\n"
                "切线长度,,,40\r\n"
                "推算切线长度,,,20\r\n"
                "警告,,,切线长度与由半径和纵坡推算的值相差超过 1 mm\r\n"
                "\r\n"
                "n,station,chainage,elevation\r\n"
                "1,500,K0+500.000,101\r\n",
                ""},
        // Computed as the window computes them, with the window's warnings said.
        CliCase{"small radius and steep grade",
                curve({{"--radius", "200"}, {"--g1", "12"}}, {"--at", "480"}), 0,
                "第1待求点高程480=96.6\n",
                kWarning + "选项 --radius 的值“200”小于 300 m，曲线半径太小；仍按此计算\n" +
                    kWarning + "选项 --g1 的值“12”大于规定的最大纵坡 10%；仍按此计算\n"},
        // A failed computation is never listed as '=0'; the rest of the table is.
        CliCase{"station that overflows",
                {"--type", "convex",      "--pvi", "0",    "--tangent", "1e200", "--radius",
                 "1000",   "--elevation", "100",   "--g1", "1",         "--g2",  "1",
                 "--at",   "-1e200",      "--at",  "0",    "--at",      "1e200"},
                1,
                "第1待求点高程-1E+200=-1E+198\n第3待求点高程1E+200=-1E+198\n",
                kError + "第2点（桩号 0）的高程无法计算（运算溢出或无效），表中未列出\n"},
        CliCase{"implied tangent past the double range",
                curve({{"--radius", "1e308"}, {"--g1", "1"}, {"--g2", "1"}},
                      {"--summary", "--at", "500"}),
                0,
                "竖曲线要素（凸曲线）\n"
                "起点：K0+460.000（460），高程 99.6\n"
                "变坡点：K0+500.000（500），变坡点高程 100，曲线上高程 100\n"
                "终点：K0+540.000（540），高程 99.6\n"
                "外距：0\n"
                "最高点：不在曲线上\n"
                "切线长度：40（由半径和纵坡推算为 无法计算）\n"
                "警告：切线长度与由半径和纵坡推算的值相差超过 1 mm，请检查切线长度、半径和纵坡\n"
                "\n"
                "第1待求点高程500=100\n",
                ""},
        // Every station fails: the first few are told, then how many more.
        CliCase{"failures past the first few counted",
                curve({{"--elevation", "1.7976931348623157e308"}, {"--g1", "0"}, {"--g2", "0"}},
                      {"--from", "460", "--to", "540", "--step", "10"}),
                1, "",
                kError + "第1点（桩号 460）的高程无法计算（运算溢出或无效），表中未列出\n" +
                    kError + "第2点（桩号 470）的高程无法计算（运算溢出或无效），表中未列出\n" +
                    kError + "第3点（桩号 480）的高程无法计算（运算溢出或无效），表中未列出\n" +
                    kError + "第4点（桩号 490）的高程无法计算（运算溢出或无效），表中未列出\n" +
                    kError + "第5点（桩号 500）的高程无法计算（运算溢出或无效），表中未列出\n" +
                    kError + "另有 4 点的高程也无法计算，表中未列出（共 9 点）\n"},
        CliCase{"version", {"--version"}, 0, "vcurve-table 1.0.0\n", ""}),
    [](const auto& info) { return testName(info.param.what); });

TEST(Cli, HelpIsChineseWithAnExample) {
  const TableRun run = runTable({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.starts_with("用法：vcurve-table")) << run.out;
  EXPECT_NE(run.out.find("示例：\n  vcurve-table --type convex"), std::string::npos);
  // The lines match the window's only while the window can still count.
  EXPECT_NE(run.out.find("32767"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

struct LostOutputCase {
  const char* what;
  Args args;
  Output output;
  std::string err;
};

void PrintTo(const LostOutputCase& c, std::ostream* os) { *os << c.what; }

class LostOutput : public ::testing::TestWithParam<LostOutputCase> {};

// Whatever was asked for, an answer that never arrived is not a success.
TEST_P(LostOutput, FailsAndSaysSo) {
  const TableRun run = runTable(GetParam().args, {}, GetParam().output);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, LostOutput,
    ::testing::Values(
        LostOutputCase{"help_full", {"--help"}, Output::Full, kError + "写出结果失败\n"},
        LostOutputCase{"help_closed", {"--help"}, Output::Closed, kError + "写出结果失败\n"},
        LostOutputCase{"version_full", {"--version"}, Output::Full, kError + "写出结果失败\n"},
        LostOutputCase{"version_closed", {"--version"}, Output::Closed, kError + "写出结果失败\n"},
        LostOutputCase{"table_full", curve(), Output::Full, kError + "写出结果失败，表格不完整\n"}),
    [](const auto& info) { return std::string(info.param.what); });

// A user whose locale writes decimal commas gets the same file, byte for byte.
TEST(Cli, CsvIgnoresADecimalCommaLocale) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows takes the locale from the user's settings, not from LC_ALL: "
                  "tests/windows/compare_table.sh runs the .exe in a German one";
#endif
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE.UTF-8 locale (LOCPATH unset?)";
  }
  const std::string decimalPoint = std::localeconv()->decimal_point;
  std::setlocale(LC_ALL, "C");
  ASSERT_EQ(decimalPoint, ",");

  const Args args =
      curve({}, {"--format", "csv", "--summary", "--from", "460", "--to", "540", "--step", "0.5"});
  const TableRun plain = runTable(args, {"LC_ALL=C"});
  const TableRun german_ = runTable(args, {"LC_ALL=de_DE.UTF-8"});
  EXPECT_EQ(german_.status, 0);
  EXPECT_EQ(german_.err, "");
  EXPECT_EQ(german_.out, plain.out);
  EXPECT_NE(german_.out.find("\r\n2,460.5,K0+460.500,98.815\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vcurve::testing
