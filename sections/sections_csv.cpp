#include "sections/sections_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "profile/csv_equations.h"
#include "profile/csv_records.h"
#include "profile/profile_csv.h"
#include "profile/profile_point.h"
#include "profile/profile_text.h"

namespace vcurve::sections {
namespace {

using profile::CsvRecord;
using profile::FileError;

std::string_view trimmed(std::string_view text) {
  const std::size_t from = text.find_first_not_of(" \t");
  if (from == std::string_view::npos) return {};
  return text.substr(from, text.find_last_not_of(" \t") + 1 - from);
}

// Each word as Excel saves it on a Chinese Windows (GBK) too, since the
// file's bytes are compared, never converted.
template <typename T>
struct Word {
  std::string_view utf8, gbk;
  T value;
};
constexpr std::array<Word<DesignPoint>, 5> kDesignPoints{{
    {"路基边缘", "\xC2\xB7\xBB\xF9\xB1\xDF\xD4\xB5", DesignPoint::SubgradeEdge},
    {"中央分隔带外侧边缘",
     "\xD6\xD0\xD1\xEB\xB7\xD6\xB8\xF4\xB4\xF8\xCD\xE2\xB2\xE0\xB1\xDF\xD4\xB5",
     DesignPoint::MedianEdge},
    {"分隔带边缘", "\xB7\xD6\xB8\xF4\xB4\xF8\xB1\xDF\xD4\xB5", DesignPoint::MedianEdge},
    {"中线", "\xD6\xD0\xCF\xDF", DesignPoint::Centreline},
    {"中桩", "\xD6\xD0\xD7\xAE", DesignPoint::Centreline},
}};
constexpr std::array<Word<Side>, 4> kSides{{
    {"左", "\xD7\xF3", Side::Left},
    {"左偏", "\xD7\xF3\xC6\xAB", Side::Left},
    {"右", "\xD3\xD2", Side::Right},
    {"右偏", "\xD3\xD2\xC6\xAB", Side::Right},
}};
constexpr std::array<Word<RotationAxis>, 5> kAxes{{
    {"内边线", "\xC4\xDA\xB1\xDF\xCF\xDF", RotationAxis::InnerEdge},
    {"中线", "\xD6\xD0\xCF\xDF", RotationAxis::Centreline},
    {"分隔带边缘", "\xB7\xD6\xB8\xF4\xB4\xF8\xB1\xDF\xD4\xB5", RotationAxis::Centreline},
    {"中央分隔带边缘", "\xD6\xD0\xD1\xEB\xB7\xD6\xB8\xF4\xB4\xF8\xB1\xDF\xD4\xB5",
     RotationAxis::Centreline},
    {"外边线", "\xCD\xE2\xB1\xDF\xCF\xDF", RotationAxis::OuterEdge},
}};
constexpr std::string_view kTemplateGbk = "\xBA\xE1\xB6\xCF\xC3\xE6";
constexpr std::string_view kCurveGbk = "\xB3\xAC\xB8\xDF";

// One row's cells, each read or the first problem, with its column.
class RowReader {
 public:
  RowReader(const CsvRecord& record, const profile::ChainageEquations& chainage)
      : record_(record), chainage_(chainage) {}

  std::string_view cell(std::size_t c) const {
    return c < record_.fields.size() ? trimmed(record_.fields[c]) : std::string_view{};
  }
  bool failed() const { return problem_.has_value(); }
  const std::optional<std::pair<std::size_t, std::string>>& problem() const { return problem_; }

  double station(std::size_t c, std::string_view what) {
    if (failed()) return 0;
    const std::string_view text = cell(c);
    const auto field = profile::readFieldStation(text);
    if (text.empty() || !field) {
      return fail(
          c, std::string(what) + (text.empty() ? "是空的" : "“" + std::string(text) + "”不是桩号"));
    }
    const profile::FieldLookup found = chainage_.distance(*field);
    if (!found.ok()) {
      return fail(
          c, std::string(what) + " " + profile::fieldProblem(chainage_, field->station, found));
    }
    return found.distance;
  }

  // A number; a slope may carry its per-cent sign, an empty cell is `blank`.
  double number(std::size_t c, std::string_view what, std::optional<double> blank = {}) {
    if (failed()) return 0;
    std::string_view text = cell(c);
    if (text.ends_with("%")) text = trimmed(text.substr(0, text.size() - 1));
    if (text.empty()) {
      if (blank) return *blank;
      return fail(c, std::string(what) + "是空的");
    }
    const profile::CellReading reading = profile::readCell(profile::InputColumn::Elevation, text);
    if (!reading.ok()) return fail(c, std::string(what) + reading.error);
    return reading.value;
  }

  template <typename T, std::size_t N>
  T word(std::size_t c, std::string_view what, const std::array<Word<T>, N>& words,
         std::string_view allowed, std::optional<T> blank = {}) {
    if (failed()) return T{};
    const std::string_view text = cell(c);
    if (text.empty() && blank) return *blank;
    for (const Word<T>& w : words) {
      if (text == w.utf8 || text == w.gbk) return w.value;
    }
    fail(c, std::string(what) + "“" + std::string(text) + "”应为" + std::string(allowed));
    return T{};
  }

 private:
  double fail(std::size_t c, std::string why) {
    problem_ = std::pair{c + 1, std::move(why)};
    return 0;
  }
  const CsvRecord& record_;
  const profile::ChainageEquations& chainage_;
  std::optional<std::pair<std::size_t, std::string>> problem_;
};

std::optional<SectionTemplate> readTemplate(RowReader& r) {
  SectionTemplate t;
  t.from = r.station(1, "起点桩号");
  t.to = r.station(2, "终点桩号");
  double* widths[] = {&t.left.median,        &t.left.carriageway,   &t.left.hardShoulder,
                      &t.left.earthShoulder, &t.right.median,       &t.right.carriageway,
                      &t.right.hardShoulder, &t.right.earthShoulder};
  constexpr std::string_view kNames[] = {"左分隔带半宽", "左行车道宽度", "左硬路肩宽度",
                                         "左土路肩宽度", "右分隔带半宽", "右行车道宽度",
                                         "右硬路肩宽度", "右土路肩宽度"};
  for (std::size_t k = 0; k < 8; ++k) *widths[k] = r.number(3 + k, kNames[k], 0.0);
  t.crown = r.number(11, "路拱横坡");
  t.earthShoulder = r.number(12, "土路肩横坡");
  t.designPoint = r.word(13, "设计高程位置", kDesignPoints, "路基边缘、中央分隔带外侧边缘或中线",
                         std::optional{DesignPoint::SubgradeEdge});
  if (r.failed()) return std::nullopt;
  return t;
}

std::optional<Superelevation> readCurve(RowReader& r) {
  Superelevation c;
  c.start = r.station(1, "超高起点");
  c.fullStart = r.station(2, "全超高起点");
  c.fullEnd = r.station(3, "全超高终点");
  c.end = r.station(4, "超高终点");
  c.rate = r.number(5, "超高横坡");
  c.inner = r.word(6, "偏向", kSides, "左或右");
  c.axis = r.word(7, "旋转轴", kAxes, "内边线、中线或外边线");
  c.widening = r.number(8, "加宽值", 0.0);
  if (r.failed()) return std::nullopt;
  return c;
}

// A header row names its columns where a data row has its first station;
// a station mistyped still has digits, and is reported, not read past.
bool isHeader(const RowReader& r) {
  const std::string_view text = r.cell(1);
  return text.find_first_of("0123456789") == std::string_view::npos && !text.empty();
}

}  // namespace

LoadedSections readSectionsCsv(std::string_view bytes, std::string_view fileName,
                               const profile::ChainageEquations& chainage) {
  LoadedSections loaded;
  const auto error = [&](std::size_t line, std::size_t column, std::string problem) {
    loaded.errors.push_back(FileError{std::string(fileName), line, column, std::move(problem)});
  };
  if (bytes.size() > profile::kMaximumFileBytes) {
    error(0, 0, "文件太大（超过 " + std::to_string(profile::kMaximumFileBytes >> 20) + " MB）");
    return loaded;
  }
  profile::CsvReader reader(bytes);
  CsvRecord record;
  std::vector<std::size_t> templateLines, curveLines;
  while (reader.next(record)) {
    if (record.fields.empty()) continue;
    const std::string_view kind = trimmed(record.fields.front());
    const bool isTemplate = kind == kTemplateCell || kind == kTemplateGbk;
    if (!isTemplate && kind != kCurveCell && kind != kCurveGbk) continue;
    RowReader row(record, chainage);
    if (isHeader(row)) continue;
    if (isTemplate) {
      if (auto t = readTemplate(row)) {
        loaded.rows.templates.push_back(*t);
        templateLines.push_back(record.line);
      }
    } else if (auto c = readCurve(row)) {
      loaded.rows.curves.push_back(*c);
      curveLines.push_back(record.line);
    }
    if (const auto& problem = row.problem()) {
      error(record.lines[std::min(problem->first - 1, record.lines.size() - 1)], problem->first,
            problem->second);
    }
  }
  if (const auto& problem = reader.problem())
    error(problem->line, problem->column, problem->message);
  // A row that cannot stand with the others is left out and the rest
  // judged again: one bad transition costs no other row.
  for (;;) {
    const auto problems = Sections::problems(loaded.rows.templates, loaded.rows.curves, &chainage);
    if (problems.empty()) break;
    const SectionProblem& p = problems.front();
    auto& lines = p.table == 0 ? templateLines : curveLines;
    error(lines[p.row], 0, p.message);
    if (p.table == 0) {
      loaded.rows.templates.erase(loaded.rows.templates.begin() +
                                  static_cast<std::ptrdiff_t>(p.row));
    } else {
      loaded.rows.curves.erase(loaded.rows.curves.begin() + static_cast<std::ptrdiff_t>(p.row));
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(p.row));
  }
  std::stable_sort(loaded.errors.begin(), loaded.errors.end(),
                   [](const FileError& a, const FileError& b) { return a.line < b.line; });
  if (loaded.rows.templates.empty() && loaded.errors.empty()) {
    error(0, 0, "文件中没有“横断面”行");
  }
  return loaded;
}

std::string sectionsCsv(const Sections& sections, const profile::ChainageEquations& chainage) {
  // Exact, as the profile's own stations are written, and with the
  // occurrence where a 长链 makes the number stand twice.
  const auto station = [&](double d) {
    const double field = profile::writtenFieldStation(chainage, d);
    std::string text = profile::inputText(profile::InputColumn::Station, field);
    const profile::FieldLookup found = chainage.distance(field);
    if (found.count > 1) text += found.first == d ? "(1)" : "(2)";
    return text;
  };
  const auto number = [](double v) { return profile::exactText(v); };
  std::string text(profile::kUtf8Bom);
  profile::appendCsvRecord(
      text, {kTemplateCell, "起点桩号", "终点桩号", "左分隔带半宽(m)", "左行车道(m)", "左硬路肩(m)",
             "左土路肩(m)", "右分隔带半宽(m)", "右行车道(m)", "右硬路肩(m)", "右土路肩(m)",
             "路拱横坡(%)", "土路肩横坡(%)", "设计高程位置"});
  constexpr std::string_view kPointNames[] = {"路基边缘", "中央分隔带外侧边缘", "中线"};
  for (const SectionTemplate& t : sections.templates()) {
    profile::appendCsvRecord(
        text, {kTemplateCell, station(t.from), station(t.to), number(t.left.median),
               number(t.left.carriageway), number(t.left.hardShoulder),
               number(t.left.earthShoulder), number(t.right.median), number(t.right.carriageway),
               number(t.right.hardShoulder), number(t.right.earthShoulder), number(t.crown),
               number(t.earthShoulder), kPointNames[static_cast<int>(t.designPoint)]});
  }
  profile::appendCsvRecord(text, {kCurveCell, "超高起点", "全超高起点", "全超高终点", "超高终点",
                                  "超高横坡(%)", "偏向", "旋转轴", "加宽(m)"});
  constexpr std::string_view kAxisNames[] = {"内边线", "中线", "外边线"};
  for (const Superelevation& c : sections.curves()) {
    profile::appendCsvRecord(
        text, {kCurveCell, station(c.start), station(c.fullStart), station(c.fullEnd),
               station(c.end), number(c.rate), c.inner == Side::Left ? "左" : "右",
               kAxisNames[static_cast<int>(c.axis)], number(c.widening)});
  }
  return text;
}

}  // namespace vcurve::sections
