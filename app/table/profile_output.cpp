#include "app/table/profile_output.h"

#include <memory>

#include "app/table/table_writers.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/csv_records.h"
#include "profile/profile_csv.h"
#include "profile/profile_text.h"
#include "sections/subgrade_table.h"

namespace vcurve::table {
namespace {

using namespace vcurve::profile;

// Columns a terminal shows a character in: two for the wide CJK ones.
std::size_t displayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    width += length >= 3 ? 2 : 1;
    i += length;
  }
  return width;
}

// Rows of cells as lines of columns padded to line up, two spaces apart.
std::string alignedLines(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += "  ";
      line += row[c];
      line.append(widths[c] - displayWidth(row[c]), ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  }
  return text;
}

template <typename Row>
std::int64_t forEachComputed(const Profile& profile, const ProfileStations& stations,
                             const UncomputedStation& left, Row&& row) {
  std::int64_t n = 0;
  std::int64_t missing = 0;
  stations.forEach([&](double station) {
    ++n;
    const StationLookup found = profile.lookup(station);
    if (!found.ok()) {
      ++missing;
      left(n, station, found.status);
      return;
    }
    row(n, station, found);
  });
  return missing;
}

// The outer edges' elevations at a station, none where no section holds.
sections::EdgeElevations edgesAt(const sections::Sections& edges, double station, double design) {
  StakeRow row;
  row.station = station;
  row.design = design;
  return sections::edgeElevations(edges, row);
}

std::string edgeText(const std::optional<double>& z) {
  return z ? TextFromNumber(RoundToPlaces(*z, 3)) : std::string();
}

// Two more fields at the end of a record just appended.
void withEdges(std::string& record, std::string_view left, std::string_view right) {
  record.resize(record.size() - kCsvRecordEnd.size());
  record += ',';
  appendCsvRecord(record, {left, right});
}

}  // namespace

StationNotes::StationNotes(const Profile& profile, const ProfileStations& stations)
    : stake_(stations.stake ? &*stations.stake : nullptr) {
  if (stake_ == nullptr && profile.usable()) keys_ = profile.keyPoints();
}

std::string StationNotes::at(std::int64_t n, double station) const {
  if (stake_ != nullptr) return stake_->note(static_cast<std::size_t>(n - 1));
  return keyPointNote(keys_, station);
}

std::string elementText(const Profile& profile, const StationLookup& found) {
  const std::string row = std::to_string(found.row + 1);
  if (found.kind == ElementKind::Grade) {
    return "直坡段（第 " + row + "–" + std::to_string(found.row + 2) + " 点）";
  }
  const CurveKind kind = profile.rows()[found.row].kind();
  return std::string(kind == CurveKind::Crest ? "凸曲线" : "凹曲线") + "（第 " + row + " 点）";
}

void appendSummaryLines(OutputBuffer& out, const Profile& profile, std::string_view file) {
  std::string text =
      "纵坡竖曲线表（" + std::string(file) + "，" + std::to_string(profile.size()) + " 个点）\n";
  std::vector<std::vector<std::string>> rows;
  rows.push_back({"序号"});
  for (std::size_t c = 0; c < kTableColumns; ++c) {
    rows.back().emplace_back(columnTitle(tableColumn(c)));
  }
  for (std::size_t r = 0; r < profile.size(); ++r) {
    rows.push_back({std::to_string(r + 1)});
    for (std::size_t c = 0; c < kTableColumns; ++c) {
      rows.back().push_back(cellText(profile, r, tableColumn(c)));
    }
  }
  text += alignedLines(rows);
  const ChainageEquations& chainage = profile.chainage();
  for (std::size_t i = 0; i < chainage.size(); ++i) {
    text += "断链 " + chainage.equationText(i) + " " + chainage.kindText(i) + "\n";
  }
  if (!chainage.empty()) {
    text += "路线全长（连续里程）" + fixed3(profile.endStation() - profile.startStation()) + " m\n";
  }
  out.append(text);
}

void appendSummaryCsv(OutputBuffer& out, const Profile& profile) {
  out.append(std::string_view(profileCsv(profile)).substr(kUtf8Bom.size()));
}

std::string findingsHeading(const std::vector<Finding>& findings, const CheckBasis& basis) {
  std::string text = "检查结果（" + basisText(basis) + "）：";
  if (findings.empty()) return text + "未发现问题";
  std::size_t counts[3] = {0, 0, 0};
  for (const Finding& f : findings) ++counts[static_cast<std::size_t>(f.severity)];
  return text + "错误 " + std::to_string(counts[0]) + " 项，警告 " + std::to_string(counts[1]) +
         " 项，提示 " + std::to_string(counts[2]) + " 项";
}

void appendFindingsLines(OutputBuffer& out, const std::vector<Finding>& findings,
                         const CheckBasis& basis, const ChainageEquations* chainage) {
  std::string text = findingsHeading(findings, basis) + "\n";
  for (const Finding& f : findings) text += findingLine(f, chainage) + "\n";
  out.append(text);
}

void appendFindingsCsv(OutputBuffer& out, const std::vector<Finding>& findings,
                       const ChainageEquations* chainage) {
  std::string text;
  appendCsvRecord(text, {"severity", "place", "rule", "found", "required", "remark"});
  for (const Finding& f : findings) {
    appendCsvRecord(text, {severityText(f.severity), placeText(f, chainage), ruleText(f.rule),
                           foundText(f), requiredText(f), f.remark});
  }
  out.append(text);
}

void appendMatchesLines(OutputBuffer& out, const std::vector<ElevationMatch>& matches,
                        const std::string& elevation, const ChainageEquations* chainage) {
  if (matches.empty()) {
    out.append("设计线上没有设计高程为 " + elevation + " 的桩号\n");
    return;
  }
  std::string text =
      "设计高程 " + elevation + " 的位置（" + std::to_string(matches.size()) + " 处）：\n";
  for (const ElevationMatch& m : matches) {
    const bool broken = chainage != nullptr && !chainage->empty();
    text += matchText(m, chainage) + "（" + std::string(broken ? "连续里程 " : "") +
            TextFromNumber(m.station);
    if (m.through > m.station) text += " 至 " + TextFromNumber(m.through);
    text += "）\n";
  }
  out.append(text);
}

void appendMatchesCsv(OutputBuffer& out, const std::vector<ElevationMatch>& matches,
                      const ChainageEquations* chainage) {
  std::string text;
  const ChainageEquations none;
  const ChainageEquations& c = chainage ? *chainage : none;
  if (c.empty()) {
    appendCsvRecord(text, {"n", "station", "chainage", "to_station", "to_chainage"});
  } else {
    appendCsvRecord(
        text, {"n", "station", "chainage", "to_station", "to_chainage", "distance", "to_distance"});
  }
  std::int64_t n = 0;
  for (const ElevationMatch& m : matches) {
    const bool flat = m.through > m.station;
    const std::string number = TextFromNumber(c.field(m.station));
    const std::string to = flat ? TextFromNumber(c.field(m.through)) : std::string();
    const std::string toText = flat ? c.text(m.through) : std::string();
    if (c.empty()) {
      appendCsvRecord(text, {std::to_string(++n), number, c.text(m.station), to, toText});
    } else {
      appendCsvRecord(
          text, {std::to_string(++n), number, c.text(m.station), to, toText,
                 TextFromNumber(m.station), flat ? TextFromNumber(m.through) : std::string()});
    }
  }
  out.append(text);
}

std::int64_t appendTableLines(OutputBuffer& out, const Profile& profile,
                              const ProfileStations& stations, const UncomputedStation& left) {
  std::string line;
  return forEachComputed(
      profile, stations, left, [&](std::int64_t n, double station, const StationLookup& found) {
        line = "第" + std::to_string(n) + "待求点高程";
        line += profile.chainage().empty() ? TextFromNumber(station) : profile.stationText(station);
        line += '=';
        line += TextFromNumber(RoundToPlaces(found.elevation, 3));
        if (stations.edges != nullptr) {
          const auto e = edgesAt(*stations.edges, station, found.elevation);
          if (e.left) line += "，左路肩" + edgeText(e.left) + "，右路肩" + edgeText(e.right);
        }
        line += '\n';
        out.append(line);
      });
}

std::int64_t appendTableCsv(OutputBuffer& out, const Profile& profile,
                            const ProfileStations& stations, const UncomputedStation& left) {
  std::string record;
  const ChainageEquations& chainage = profile.chainage();
  // New columns go at the end: scripts read the elevation as the fourth.
  if (chainage.empty()) {
    appendCsvRecord(record, {"n", "station", "chainage", "elevation", "grade", "element", "note"});
  } else {
    appendCsvRecord(
        record, {"n", "station", "chainage", "elevation", "grade", "element", "distance", "note"});
  }
  if (stations.edges != nullptr) withEdges(record, "left_edge", "right_edge");
  out.append(record);
  const StationNotes notes(profile, stations);
  return forEachComputed(
      profile, stations, left, [&](std::int64_t n, double station, const StationLookup& found) {
        record.clear();
        const std::string number = fixed3(chainage.field(station));
        const std::string z = fixed3(found.elevation);
        const std::string grade = fixedText(found.grade, 3);
        if (chainage.empty()) {
          appendCsvRecord(record, {std::to_string(n), number, chainageText(station), z, grade,
                                   elementText(profile, found), notes.at(n, station)});
        } else {
          appendCsvRecord(record,
                          {std::to_string(n), number, profile.stationText(station), z, grade,
                           elementText(profile, found), fixed3(station), notes.at(n, station)});
        }
        if (stations.edges != nullptr) {
          const auto e = edgesAt(*stations.edges, station, found.elevation);
          // Three decimals, as the design elevation beside them.
          withEdges(record, e.left ? fixed3(*e.left) : std::string(),
                    e.right ? fixed3(*e.right) : std::string());
        }
        out.append(record);
      });
}

Sheet tableSheet(const Profile& profile, const std::vector<NumberedStation>& rows,
                 std::string title, const sections::Sections* edges) {
  Sheet sheet;
  sheet.name = "高程表";
  sheet.title = std::move(title);
  sheet.columns = {{"序号", 8, 0},         {"桩号", 13, 0},    {"桩号(m)", 12, 3},
                   {"设计高程(m)", 12, 3}, {"纵坡(%)", 10, 3}, {"位置", 22, 0}};
  if (!profile.chainage().empty()) sheet.columns.push_back({"连续里程(m)", 14, 3});
  sheet.columns.push_back({std::string(kStakeNoteTitle), 22, 0});
  if (edges != nullptr) {
    sheet.columns.push_back({"左路肩高程(m)", 14, 3});
    sheet.columns.push_back({"右路肩高程(m)", 14, 3});
  }
  sheet.rows = rows.size();
  const auto keys = std::make_shared<const std::vector<KeyPoint>>(
      profile.usable() ? profile.keyPoints() : std::vector<KeyPoint>{});
  sheet.row = [&profile, &rows, keys, edges](std::size_t i, std::vector<SheetCell>& cells) {
    const NumberedStation& r = rows[i];
    const StationLookup found = profile.lookup(r.station);
    // The numbers the CSV and the result lines print, to the same digit.
    cells = {numberCell(double(r.n)),
             textCell(profile.stationText(r.station)),
             numberCell(profile.chainage().field(r.station)),
             numberCell(RoundToPlaces(found.elevation, 3)),
             numberCell(RoundToPlaces(found.grade, 3)),
             textCell(elementText(profile, found))};
    if (!profile.chainage().empty()) cells.push_back(numberCell(r.station));
    cells.push_back(textCell(keyPointNote(*keys, r.station)));
    if (edges != nullptr) {
      const auto e = edgesAt(*edges, r.station, found.elevation);
      for (const auto& z : {e.left, e.right}) {
        cells.push_back(z ? numberCell(RoundToPlaces(*z, 3)) : SheetCell{});
      }
    }
  };
  return sheet;
}

Sheet matchesSheet(const std::vector<ElevationMatch>& matches, std::string title,
                   const ChainageEquations* chainage) {
  Sheet sheet;
  sheet.name = "高程反查";
  sheet.title = std::move(title);
  sheet.columns = {{"序号", 8, 0}, {"桩号", 13, 0}, {"至桩号（平坡）", 16, 0}};
  sheet.rows = matches.size();
  sheet.row = [&matches, chainage](std::size_t i, std::vector<SheetCell>& cells) {
    const ElevationMatch& m = matches[i];
    const auto text = [chainage](double at) {
      return chainage ? chainage->text(at) : chainageText(at);
    };
    cells = {numberCell(double(i + 1)), textCell(text(m.station)),
             m.through > m.station ? textCell(text(m.through)) : SheetCell{}};
  };
  return sheet;
}

}  // namespace vcurve::table
