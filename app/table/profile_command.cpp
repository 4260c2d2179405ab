#include "app/table/profile_command.h"

#include <memory>

#include "app/table/field_stations.h"
#include "app/table/input_file.h"
#include "app/table/message_text.h"
#include "app/table/output_buffer.h"
#include "app/table/output_file.h"
#include "app/table/profile_options.h"
#include "app/table/profile_output.h"
#include "app/table/sections_command.h"
#include "app/table/system_io.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_csv.h"
#include "profile/profile_file.h"
#include "profile/profile_text.h"
#include "profile/xlsx_workbook.h"

namespace vcurve::table {
namespace {

using namespace vcurve::profile;

// A file name in the quotation marks the messages use, whole however long:
// the end of a path is what tells it apart. Only control characters, which
// could restyle the terminal, are escaped.
std::string quotedPath(std::string_view path) {
  std::string text = "“";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    } else {
      text += c;
    }
  }
  return text + "”";
}

// After this many, stations left out of the table are counted, not listed.
constexpr std::int64_t kMostListedFailures = 20;

}  // namespace

std::string readInputFile(const std::string& path) {
  std::FILE* file = openFile(path, "rb");
  if (file == nullptr) throw UsageError("无法打开文件" + quotedPath(path));
  std::string bytes;
  char block[1 << 16];
  bool tooLarge = false;
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
    if (bytes.size() + got > kMaximumFileBytes) {
      tooLarge = true;
      break;
    }
    bytes.append(block, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (tooLarge) {
    throw UsageError("文件" + quotedPath(path) + "太大（超过 " +
                     std::to_string(kMaximumFileBytes >> 20) + " MB），不是纵断面文件");
  }
  if (failed) throw UsageError("读取文件" + quotedPath(path) + "失败");
  return bytes;
}

namespace {

ProfileStations plannedStations(const ProfileRequest& request,
                                const std::shared_ptr<const Profile>& profile) {
  ProfileStations stations;
  if (request.at.empty() && !request.range) {
    stations.stake.emplace(profile, nullptr, kDefaultInterval);
    if (stations.stake->size() > kMaximumStations) {
      throw UsageError("纵断面按每 20 m 一点的桩号数超过上限 " + std::to_string(kMaximumStations) +
                       "；请用 --at 或 --from/--to/--step 指定桩号");
    }
    return stations;
  }
  if (request.at.size() > kMaximumStations) {
    throw UsageError("选项 --at 给出的桩号数超过上限 " + std::to_string(kMaximumStations));
  }
  for (const OptionValue& at : request.at) stations.plan.listed.push_back(onProfile(at, *profile));
  if (request.range && profile->chainage().empty()) {
    onProfile(request.range->from, *profile);
    onProfile(request.range->to, *profile);
    stations.plan.stepped = steppedRange(*request.range, stations.plan.listed.size());
  } else if (request.range) {
    const std::vector<double> numbered =
        numberedRange(*request.range, *profile, stations.plan.listed.size());
    stations.plan.listed.insert(stations.plan.listed.end(), numbered.begin(), numbered.end());
  }
  std::sort(stations.plan.listed.begin(), stations.plan.listed.end());
  stations.plan.listed.erase(std::unique(stations.plan.listed.begin(), stations.plan.listed.end()),
                             stations.plan.listed.end());
  return stations;
}

// The output, to standard output or, with --output, to a file that only
// appears under its name once complete.
class Destination {
 public:
  explicit Destination(const std::optional<std::string>& path) : path_(path) {}
  Destination(const Destination&) = delete;
  Destination& operator=(const Destination&) = delete;
  ~Destination() { discardTemporary(temporary_); }

  bool toFile() const { return path_.has_value(); }

  // Standard output, or the new file beside the target; nullptr when that
  // cannot be made.
  std::FILE* open() {
    if (!path_) return stdout;
    temporary_ = createTemporaryBeside(*path_);
    return temporary_.file;
  }
  // The name the workbook library writes the opened file through.
  std::string handOver() { return handOverTemporary(temporary_); }

  // Closes the file and puts it in place; false when any of that failed.
  bool commit(bool written) {
    if (!path_) return written;
    if (!written) {
      discardTemporary(temporary_);
      return false;
    }
    return commitTemporary(temporary_, *path_);
  }

 private:
  std::optional<std::string> path_;
  TemporaryFile temporary_;
};

// Refuses, before anything is computed, an output that could not be
// written or would destroy what the table is made from.
void requireWritableOutput(const std::string& output, const std::string& input) {
  if (sameFile(output, input)) {
    throw UsageError("输出文件" + quotedPath(output) +
                     "就是输入文件，写出会毁掉纵断面；请另选文件名");
  }
  switch (pathKind(output)) {
    case PathKind::Missing:
    case PathKind::File:
      return;
    case PathKind::Folder:
      throw UsageError(quotedPath(output) + "是文件夹，不能作为输出文件");
    case PathKind::ReadOnlyFile:
      throw UsageError("文件" + quotedPath(output) + "是只读的，未覆盖");
    case PathKind::Other:
      throw UsageError(quotedPath(output) + "不是普通文件，不能作为输出文件");
  }
}

}  // namespace

int runProfileCommand(const std::vector<std::string_view>& args, const Say& say) {
  const ProfileRequest request = parseProfileCommandLine(args);
  if (request.output) requireWritableOutput(*request.output, request.file);
  InputFile input(request.file, quotedPath(request.file));
  const std::string_view bytes = input.bytes();
  if (!request.name.empty() && !looksLikeXml(bytes)) {
    throw UsageError("选项 --name 只用于 LandXML 文件，" + quotedPath(request.file) +
                     "是 CSV 文件");
  }
  const Loaded<ProfileDocument> document = readProfileFile(
      bytes, request.file, request.name, [&input](std::size_t read) { input.release(read); });
  if (!document.ok()) throw UsageError(document.error->message());
  const auto profile = std::make_shared<const Profile>(document.value.points,
                                                       ChainageEquations(document.value.equations));
  const ChainageEquations* chainage = &profile->chainage();
  if (!document.value.groundProblem.empty()) {
    say("警告", "地面线未读入（设计线照常计算）：" + document.value.groundProblem);
  }
  // The summary says which unit the numbers came in.
  const std::string source = document.value.units.empty()
                                 ? request.file
                                 : request.file + "，原为" + document.value.units + "，已换算为米";
  ProfileRequest checked = request;
  if (request.check && checked.basis.limits == nullptr) {
    // A file that keeps its road's settings is checked by them.
    const RoadSettings& kept = document.value.settings;
    const auto basis = kept != RoadSettings{} ? checkBasis(kept) : std::nullopt;
    if (!basis) throw UsageError("--check 要用 --speed 给出设计速度（km/h）");
    checked.basis = *basis;
  }

  std::unique_ptr<SectionsInput> sections;
  if (request.sections) {
    sections =
        readSectionsInput(*request.sections, profile, document.value, request.edgeElevations);
  }
  ProfileStations stations;
  if (request.table() && !sections) stations = plannedStations(request, profile);
  std::vector<Finding> findings;
  if (request.check) {
    findings = checkProfile(*profile, checked.basis);
    if (sections) addResultantGrades(findings, *profile, *sections, checked.basis);
  }
  std::vector<ElevationMatch> matches;
  if (request.findElevation) matches = profile->stationsAtElevation(request.findElevation->number);

  std::int64_t leftOut = 0;
  const UncomputedStation left = [&](std::int64_t n, double station, LookupStatus why) {
    if (++leftOut <= kMostListedFailures) {
      say("错误", "第" + std::to_string(n) + "点（桩号 " + profile->stationText(station) + "）" +
                      lookupProblemAt(*profile, station, why) + "，表中未列出");
    }
  };

  Destination destination(request.output);
  bool written = true;
  if (request.format == ProfileFormat::Xlsx) {
    std::vector<NumberedStation> rows;
    if (request.table() && sections && sections->table->size() + 2 > kXlsxMaximumRows) {
      throw UsageError("路基设计表行数超过 Excel 一张工作表的上限");
    }
    if (request.table() && !sections) {
      std::size_t count = 0;
      stations.forEach([&](double) { ++count; });
      if (count + 2 > kXlsxMaximumRows) {
        throw UsageError("表格有 " + std::to_string(count) + " 行，超过 Excel 一张工作表的上限 " +
                         std::to_string(kXlsxMaximumRows) + " 行；请加大 --step 或分段导出");
      }
      std::int64_t n = 0;
      stations.forEach([&](double station) {
        ++n;
        const StationLookup found = profile->lookup(station);
        if (found.ok()) {
          rows.push_back({n, station});
        } else {
          left(n, station, found.status);
        }
      });
    }
    if (destination.open() == nullptr) {
      throw UsageError("无法创建文件" + quotedPath(*request.output));
    }
    // The window's workbook: where the stations are the stake table's, its
    // sheet with the ground line the file holds.
    std::optional<StakeTable> staked;
    if (request.table() && !sections && stations.stake) {
      std::shared_ptr<const GroundLine> ground;
      if (!document.value.ground.empty()) {
        ground = std::make_shared<const GroundLine>(document.value.ground);
      }
      staked.emplace(profile, ground, kDefaultInterval);
    }
    Sheet elevations;
    if (request.table() && sections) {
      elevations = sections::subgradeSheet(*sections->table, "路基设计表");
    } else if (staked) {
      elevations = stakeSheet(*staked);
    } else if (request.table()) {
      elevations = tableSheet(*profile, rows, "高程表");
    }
    WorkbookFindings checkedFindings;
    if (request.check) checkedFindings = {&findings, findingsHeading(findings, checked.basis)};
    std::vector<Sheet> sheets =
        profileWorkbook(std::move(elevations), *profile, "文件：" + request.file, checkedFindings);
    // Without a table the workbook starts at the 纵坡竖曲线表.
    if (!request.table()) sheets.erase(sheets.begin());
    if (request.findElevation) {
      sheets.push_back(matchesSheet(matches, "设计高程 " + request.findElevation->given, chainage));
    }
    std::string problem;
    {
      const QuietStandardError quiet;
      problem = writeXlsx(destination.handOver(), sheets);
    }
    if (!problem.empty()) {
      say("错误", "写出" + quotedPath(*request.output) + "失败：" + problem);
      written = false;
    }
  } else {
    std::FILE* file = destination.open();
    if (file == nullptr) throw UsageError("无法创建文件" + quotedPath(*request.output));
    OutputBuffer out(file);
    const bool csv = request.format == ProfileFormat::Csv;
    // Excel shows a file's Chinese only with the mark; a pipe wants none.
    if (csv && destination.toFile()) out.append(kUtf8Bom);
    bool first = true;
    const auto section = [&] {
      if (!first) out.append(csv ? "\r\n" : "\n");
      first = false;
    };
    if (request.summary) {
      section();
      if (csv) {
        appendSummaryCsv(out, *profile);
      } else {
        appendSummaryLines(out, *profile, source);
      }
    }
    if (request.check) {
      section();
      if (csv) {
        appendFindingsCsv(out, findings, chainage);
      } else {
        appendFindingsLines(out, findings, checked.basis, chainage);
      }
    }
    if (request.findElevation) {
      section();
      if (csv) {
        appendMatchesCsv(out, matches, chainage);
      } else {
        appendMatchesLines(out, matches, request.findElevation->given, chainage);
      }
    }
    if (request.table() && sections) {
      section();
      appendSubgradeCsv(out, *sections);
    } else if (request.table()) {
      section();
      if (csv) {
        appendTableCsv(out, *profile, stations, left);
      } else {
        appendTableLines(out, *profile, stations, left);
      }
    }
    written = out.finish();
    if (!written) say("错误", "写出结果失败，表格不完整");
  }
  if (leftOut > kMostListedFailures) {
    say("错误", "另有 " + std::to_string(leftOut - kMostListedFailures) + " 个桩号的高程未计算");
  }
  if (!destination.commit(written)) {
    if (written) say("错误", "无法把结果存为" + quotedPath(*request.output));
    return 1;
  }
  if (request.check && destination.toFile()) say("提示", findingsHeading(findings, checked.basis));
  return leftOut > 0 || hasErrors(findings) ? 1 : 0;
}

}  // namespace vcurve::table
