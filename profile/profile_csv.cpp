#include "profile/profile_csv.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "profile/csv_equations.h"
#include "profile/csv_records.h"
#include "profile/profile_text.h"
#include "profile/road_settings.h"

namespace vcurve::profile {
namespace {

constexpr std::size_t kMostHeaderRows = 10;

constexpr std::array kColumns{InputColumn::Station, InputColumn::Elevation, InputColumn::Radius};

constexpr std::string_view kRemarkTitle = "备注";

struct NumberRow {
  std::array<double, 3> values{};
  std::string remark;
  std::size_t line = 0;
};

struct NumberTable {
  std::vector<NumberRow> rows;
  std::vector<std::vector<std::string>> headers;  // the rows skipped above the data
  std::vector<EquationRow> equations;             // the 断链 rows, profiles only
  // Rows read past because only their further columns held anything.
  bool notesOnly = false;
  // The columns past the three that some point's row fills, 备注 aside.
  std::set<std::size_t> filledColumns;
  std::optional<FileError> error;
};

bool blank(const std::string& field) { return field.find_first_not_of(" \t") == std::string::npos; }

std::string trimmed(const std::string& field) {
  const std::size_t first = field.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return field.substr(first, field.find_last_not_of(" \t") + 1 - first);
}

std::size_t filledWidth(const std::vector<std::string>& fields) {
  std::size_t width = fields.size();
  while (width > 0 && blank(fields[width - 1])) --width;
  return width;
}

// The column beside the numbers that the header row right above them calls
// 备注. A GBK header does not match, and its remarks, which could not be
// shown, stay in the file.
std::optional<std::size_t> remarkColumn(const NumberTable& table, std::size_t columns) {
  if (table.headers.empty()) return std::nullopt;
  const auto& header = table.headers.back();
  for (std::size_t c = columns; c < header.size(); ++c) {
    if (trimmed(header[c]) == kRemarkTitle) return c;
  }
  return std::nullopt;
}

// Reads the first `columns` cells of every data row.
NumberTable readNumbers(std::string_view bytes, std::string_view fileName, std::size_t columns,
                        std::size_t mostRows, std::string_view what) {
  NumberTable table;
  const auto fail = [&](std::size_t line, std::size_t column, std::string problem) {
    table.error = FileError{std::string(fileName), line, column, std::move(problem)};
    return std::move(table);
  };
  if (bytes.size() > kMaximumFileBytes) {
    return fail(0, 0, "文件太大（超过 " + std::to_string(kMaximumFileBytes >> 20) + " MB）");
  }
  CsvReader reader(bytes);
  CsvRecord record;
  std::size_t headerRows = 0;
  std::optional<std::size_t> remarks;
  while (reader.next(record)) {
    if (table.rows.empty() && isSettingsRecord(record.fields)) continue;  // road_settings.h
    if (columns == kColumns.size() && isEquationRecord(record.fields)) {
      EquationRow equation;
      equation.pointsBefore = table.rows.size();
      if (const auto problem = readEquationRecord(record, equation)) {
        return fail(record.line, problem->first, problem->second);
      }
      table.equations.push_back(equation);
      continue;
    }
    const std::size_t present = std::min(columns, record.fields.size());
    bool empty = true;
    bool anyNumber = false;
    for (std::size_t c = 0; c < present; ++c) {
      if (blank(record.fields[c])) continue;
      empty = false;
      anyNumber = anyNumber || readCell(kColumns[c], record.fields[c]).ok();
    }
    if (empty) {
      // A remark on a row of its own, or a note beside the table, is no
      // point: it is one of the columns that are ignored.
      table.notesOnly = table.notesOnly || filledWidth(record.fields) > 0;
      continue;
    }
    if (table.rows.empty() && !anyNumber && headerRows < kMostHeaderRows) {
      ++headerRows;
      table.headers.push_back(record.fields);
      continue;
    }
    if (table.rows.size() == mostRows) {
      return fail(record.line, 0, std::string(what) + "点数超过上限 " + std::to_string(mostRows));
    }
    if (table.rows.empty()) remarks = remarkColumn(table, columns);
    NumberRow row;
    row.line = record.line;
    for (std::size_t c = kColumns.size(); c < record.fields.size(); ++c) {
      if (c != remarks && !blank(record.fields[c])) table.filledColumns.insert(c);
    }
    if (remarks && *remarks < record.fields.size()) row.remark = trimmed(record.fields[*remarks]);
    for (std::size_t c = 0; c < columns; ++c) {
      const bool missing = c >= record.fields.size();
      const CellReading cell = readCell(kColumns[c], missing ? "" : record.fields[c]);
      if (!cell.ok()) {
        return fail(missing ? record.line : record.lines[c], c + 1, cell.error);
      }
      row.values[c] = cell.value;
    }
    table.rows.push_back(row);
  }
  if (const auto& problem = reader.problem()) {
    return fail(problem->line, problem->column, problem->message);
  }
  if (table.rows.empty())
    return fail(0, 0, "文件中没有数据行（" + std::string(what) + "至少要有两个点）");
  return table;
}

// A row's problem found after reading, placed on its line and column.
FileError placed(std::string_view fileName, const std::vector<NumberRow>& rows,
                 const InputError& error) {
  FileError placedError{std::string(fileName), 0, 0, error.message};
  if (error.row && *error.row < rows.size()) {
    placedError.line = rows[*error.row].line;
    if (error.column) placedError.column = static_cast<std::size_t>(*error.column) + 1;
  }
  return placedError;
}

// What writing the points back with profileCsv() would lose of the file,
// in Chinese: a title over the header, a note beside the table, columns
// beside the three other than 备注 and the derived ones profileCsv() writes
// itself. Empty when nothing.
std::string unkeptParts(const NumberTable& table) {
  const std::vector<std::string>* header = table.headers.empty() ? nullptr : &table.headers.back();
  bool title = table.headers.size() > 1;
  std::size_t kept = kColumns.size();
  // A title alone in the first cell is no header of the columns.
  if (header != nullptr &&
      std::count_if(header->begin(), header->begin() + std::min(header->size(), kColumns.size()),
                    [](const std::string& cell) { return !blank(cell); }) < 2) {
    title = true;
    header = nullptr;
  }
  if (header != nullptr) {
    bool derivedColumns = header->size() >= kTableColumns;
    for (std::size_t c = kColumns.size(); derivedColumns && c < kTableColumns; ++c) {
      derivedColumns = (*header)[c] == columnTitle(tableColumn(c));
    }
    if (derivedColumns) kept = kTableColumns;
  }
  std::vector<std::string> parts;
  if (title) parts.emplace_back("标题行");
  if (table.notesOnly) parts.emplace_back("表格旁的注释");
  for (const std::size_t c : table.filledColumns) {
    if (c < kept) continue;
    const std::string name = header != nullptr && c < header->size() ? trimmed((*header)[c]) : "";
    parts.push_back(name.empty() ? "第 " + std::to_string(c + 1) + " 列"
                                 : "“" + printableText(name) + "”列");
  }
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "、") + part;
  return text;
}

}  // namespace

Loaded<std::vector<ProfilePoint>> readProfileCsv(std::string_view bytes, std::string_view fileName,
                                                 std::string* unkept,
                                                 std::vector<ChainageEquation>* equations) {
  Loaded<std::vector<ProfilePoint>> loaded;
  NumberTable table = readNumbers(bytes, fileName, 3, kMaximumPoints, "纵断面");
  if (table.error) {
    loaded.error = std::move(table.error);
    return loaded;
  }
  for (const NumberRow& row : table.rows) {
    loaded.value.push_back({row.values[0], row.values[1], row.values[2], row.remark});
  }
  if (unkept != nullptr) *unkept = unkeptParts(table);
  if (!table.equations.empty()) {
    const auto fail = [&](std::size_t line, std::size_t column, std::string problem) {
      loaded.error = FileError{std::string(fileName), line, column, std::move(problem)};
      loaded.value.clear();
      return loaded;
    };
    if (equations == nullptr) return fail(table.equations.front().line, 1, "此处不能读入断链");
    std::vector<ChainageEquation> read;
    for (const EquationRow& row : table.equations) {
      read.push_back(row.equation);
      if (std::string why = ChainageEquations::problem(read); !why.empty()) {
        return fail(row.line, 0, std::move(why));
      }
    }
    if (const auto misplaced = placeOnTrueDistances(table.equations, loaded.value)) {
      return fail(table.rows[misplaced->first].line, 1, misplaced->second);
    }
    *equations = std::move(read);
  }
  if (const auto errors = validatePoints(loaded.value); !errors.empty()) {
    loaded.error = placed(fileName, table.rows, errors.front());
    loaded.value.clear();
  }
  return loaded;
}

Loaded<std::vector<GroundPoint>> readGroundCsv(std::string_view bytes, std::string_view fileName) {
  Loaded<std::vector<GroundPoint>> loaded;
  NumberTable table = readNumbers(bytes, fileName, 2, kMaximumGroundPoints, "地面线");
  if (table.error) {
    loaded.error = std::move(table.error);
    return loaded;
  }
  for (const NumberRow& row : table.rows) loaded.value.push_back({row.values[0], row.values[1]});
  if (const auto errors = GroundLine::validate(loaded.value); !errors.empty()) {
    loaded.error = placed(fileName, table.rows, errors.front());
    loaded.value.clear();
  }
  return loaded;
}

std::string profileCsv(const Profile& profile) {
  const auto& points = profile.points();
  // A file without remarks reads as it always has.
  const bool remarks = std::any_of(points.begin(), points.end(),
                                   [](const ProfilePoint& p) { return !p.remark.empty(); });
  std::string text(kUtf8Bom);
  for (std::size_t c = 0; c < kTableColumns; ++c) {
    if (c > 0) text += ',';
    text += csvField(columnTitle(tableColumn(c)));
  }
  if (remarks) text += "," + std::string(kRemarkTitle);
  text += kCsvRecordEnd;
  const ChainageEquations& chainage = profile.chainage();
  std::size_t equation = 0;
  for (std::size_t row = 0; row < points.size(); ++row) {
    for (; equation < chainage.size() && chainage.distanceOf(equation) < points[row].station;
         ++equation) {
      text += equationRecord(chainage, equation);
    }
    const bool end = row == 0 || row + 1 == points.size();
    text += inputText(InputColumn::Station, writtenFieldStation(chainage, points[row].station));
    text += ',';
    text += storedText(InputColumn::Elevation, points[row].elevation);
    text += ',';
    if (!(end && points[row].radius == 0))
      text += inputText(InputColumn::Radius, points[row].radius);
    for (std::size_t c = 3; c < kTableColumns; ++c) {
      text += ',';
      text += csvField(cellText(profile, row, tableColumn(c)));
    }
    if (remarks) text += "," + csvField(points[row].remark);
    text += kCsvRecordEnd;
  }
  for (; equation < chainage.size(); ++equation) text += equationRecord(chainage, equation);
  return text;
}

std::string groundCsv(const GroundLine& ground) {
  std::string text(kUtf8Bom);
  appendCsvRecord(text, {"桩号", "地面高程(m)"});
  for (const GroundPoint& p : ground.points()) {
    appendCsvRecord(text, {inputText(InputColumn::Station, p.station),
                           inputText(InputColumn::Elevation, p.elevation)});
  }
  return text;
}

void writeStakeCsv(const StakeTable& table, const std::function<void(std::string_view)>& sink,
                   const StakeEdges& edges) {
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  std::string text(kUtf8Bom);
  for (std::size_t c = 0; c < kStakeColumns; ++c) {
    if (c > 0) text += ',';
    text += stakeColumnTitle(static_cast<StakeColumn>(c));
  }
  text += ',';
  text += kStakeNoteTitle;
  if (edges) {
    for (const std::string_view title : {kLeftEdgeTitle, kRightEdgeTitle}) {
      text += ',';
      text += title;
    }
  }
  text += kCsvRecordEnd;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const StakeRow row = table.row(i);
    for (std::size_t c = 0; c < kStakeColumns; ++c) {
      if (c > 0) text += ',';
      text += table.cellText(row, static_cast<StakeColumn>(c));
    }
    text += ',';
    text += csvField(table.note(i));
    if (edges) {
      const EdgeElevations e = edges(row);
      for (const auto& z : {e.left, e.right}) {
        text += ',';
        if (z) text += fixed3(*z);
      }
    }
    text += kCsvRecordEnd;
    if (text.size() >= kBlock) {
      sink(text);
      text.clear();
    }
  }
  if (!table.profile().chainage().empty()) {
    appendCsvRecord(text, {"路线全长（连续里程）", fixed3(table.trueLength()) + " m"});
  }
  sink(text);
}

}  // namespace vcurve::profile
