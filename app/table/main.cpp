// vcurve-table: a vertical curve's elevations, station by station, in the
// lines the window lists or as CSV.

#include <clocale>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/table/help_text.h"
#include "app/table/options.h"
#include "app/table/output_buffer.h"
#include "app/table/profile_command.h"
#include "app/table/sheet_command.h"
#include "app/table/stations.h"
#include "app/table/system_io.h"
#include "app/table/table_writers.h"
#include "core/numeric_text.h"

namespace {

constexpr std::string_view kProgram = "vcurve-table";

void say(std::string_view kind, std::string_view text) {
  const std::string line =
      std::string(kProgram) + ": " + std::string(kind) + "：" + std::string(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

constexpr std::string_view kWriteFailed = "写出结果失败";

// One bad value can fail every station of a long range: the first few tell
// the user what went wrong, and one line says how many more there were.
constexpr std::int64_t kFailuresShown = 5;

// Help and version go out like a table: a lost answer is a failure too.
int writeText(std::string_view text) {
  vcurve::table::OutputBuffer out(stdout);
  out.append(text);
  if (out.finish()) return 0;
  say("错误", kWriteFailed);
  return 1;
}

int run(const std::vector<std::string>& arguments) {
  const std::vector<std::string_view> args(arguments.begin(), arguments.end());
  using namespace vcurve::table;
  if (isSheetCommand(args)) return runSheetCommand(args, say);
  if (isProfileCommand(args)) return runProfileCommand(args, say);
  const CommandLine command = parseCommandLine(args);
  if (command.action == Action::Help) return writeText(kHelpText);
  if (command.action == Action::Version) {
    return writeText(std::string(kProgram) + " " + VCURVE_VERSION + "\n");
  }

  const TableRequest& request = command.request;
  const StationPlan plan = planStations(request);
  for (const std::string& warning : inputWarnings(request)) say("警告", warning);

  OutputBuffer out(stdout);
  std::int64_t told = 0;
  const FailedStation failed = [&told](std::int64_t n, double station) {
    if (++told > kFailuresShown) return;
    say("错误", "第" + std::to_string(n) + "点（桩号 " + vcurve::TextFromNumber(station) +
                    "）的高程无法计算（运算溢出或无效），表中未列出");
  };
  const std::int64_t failures = request.format == OutputFormat::Csv
                                    ? writeCsv(request, plan, out, failed)
                                    : writeResultLines(request, plan, out, failed);
  if (failures > kFailuresShown) {
    say("错误", "另有 " + std::to_string(failures - kFailuresShown) +
                    " 点的高程也无法计算，表中未列出（共 " + std::to_string(failures) + " 点）");
  }
  if (!out.finish()) {
    say("错误", std::string(kWriteFailed) + "，表格不完整");
    return 1;
  }
  return failures > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The user's locale is taken up for whatever the C library says in the
  // user's language; no number is read or written through it.
  std::setlocale(LC_ALL, "");
  vcurve::table::prepareStandardStreams();
  try {
    return run(vcurve::table::utf8Arguments(argc, argv));
  } catch (const vcurve::table::UsageError& error) {
    say("错误", error.what());
    return 2;
  }
}
