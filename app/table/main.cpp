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

int run(const std::vector<std::string>& arguments) {
  const std::vector<std::string_view> args(arguments.begin(), arguments.end());
  using namespace vcurve::table;
  const CommandLine command = parseCommandLine(args);
  if (command.action == Action::Help) {
    std::fwrite(kHelpText.data(), 1, kHelpText.size(), stdout);
    return 0;
  }
  if (command.action == Action::Version) {
    const std::string version = std::string(kProgram) + " " + VCURVE_VERSION + "\n";
    std::fwrite(version.data(), 1, version.size(), stdout);
    return 0;
  }

  const TableRequest& request = command.request;
  const StationPlan plan = planStations(request);
  for (const std::string& warning : inputWarnings(request)) say("警告", warning);

  OutputBuffer out(stdout);
  const FailedStation failed = [](std::int64_t n, double station) {
    say("错误", "第" + std::to_string(n) + "点（桩号 " + vcurve::TextFromNumber(station) +
                    "）的高程无法计算（运算溢出或无效），表中未列出");
  };
  const std::int64_t failures = request.format == OutputFormat::Csv
                                    ? writeCsv(request, plan, out, failed)
                                    : writeResultLines(request, plan, out, failed);
  if (!out.finish()) {
    say("错误", "写出结果失败，表格不完整");
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
