#include "profile/profile_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "profile/csv_equations.h"
#include "profile/csv_records.h"
#include "profile/profile_text.h"
#include "profile/road_settings.h"

namespace vcurve::profile {
namespace {

constexpr std::size_t kMostHeaderRows = 10;

constexpr std::array kColumns{InputColumn::Station, InputColumn::Elevation, InputColumn::Radius};

struct NumberRow {
  std::array<double, 3> values{};
  std::size_t line = 0;
  std::size_t width = 0;  // up to the last cell that is not blank
};

struct NumberTable {
  std::vector<NumberRow> rows;
  std::vector<std::vector<std::string>> headers;  // the rows skipped above the data
  std::vector<EquationRow> equations;             // the 断链 rows, profiles only
  // Rows read past because only their further columns held anything.
  bool notesOnly = false;
  std::optional<FileError> error;
};

bool blank(const std::string& field) { return field.find_first_not_of(" \t") == std::string::npos; }

std::size_t filledWidth(const std::vector<std::string>& fields) {
  std::size_t width = fields.size();
  while (width > 0 && blank(fields[width - 1])) --width;
  return width;
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
    NumberRow row;
    row.line = record.line;
    row.width = filledWidth(record.fields);
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

// Whether writing the points back with profileCsv() would lose anything
// the file holds: a title over the header, or columns beside the three
// (a 备注 column) other than the derived ones profileCsv() writes itself.
bool holdsMoreThanPoints(const NumberTable& table) {
  if (table.notesOnly || table.headers.size() > 1) return true;
  std::size_t kept = kColumns.size();
  if (!table.headers.empty()) {
    const auto& header = table.headers.front();
    // A title alone in the first cell is no header of the columns.
    if (std::count_if(header.begin(), header.begin() + std::min(header.size(), kColumns.size()),
                      [](const std::string& cell) { return !blank(cell); }) < 2) {
      return true;
    }
    bool derivedColumns = header.size() >= kTableColumns;
    for (std::size_t c = kColumns.size(); derivedColumns && c < kTableColumns; ++c) {
      derivedColumns = header[c] == columnTitle(tableColumn(c));
    }
    if (derivedColumns) kept = kTableColumns;
  }
  return std::any_of(table.rows.begin(), table.rows.end(),
                     [&](const NumberRow& row) { return row.width > kept; });
}

}  // namespace

Loaded<std::vector<ProfilePoint>> readProfileCsv(std::string_view bytes, std::string_view fileName,
                                                 bool* holdsMore,
                                                 std::vector<ChainageEquation>* equations) {
  Loaded<std::vector<ProfilePoint>> loaded;
  NumberTable table = readNumbers(bytes, fileName, 3, kMaximumPoints, "纵断面");
  if (table.error) {
    loaded.error = std::move(table.error);
    return loaded;
  }
  for (const NumberRow& row : table.rows) {
    loaded.value.push_back({row.values[0], row.values[1], row.values[2]});
  }
  if (holdsMore != nullptr) *holdsMore = holdsMoreThanPoints(table);
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
  std::string text(kUtf8Bom);
  for (std::size_t c = 0; c < kTableColumns; ++c) {
    if (c > 0) text += ',';
    text += csvField(columnTitle(tableColumn(c)));
  }
  text += kCsvRecordEnd;
  const auto& points = profile.points();
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

void writeStakeCsv(const StakeTable& table, const std::function<void(std::string_view)>& sink) {
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  std::string text(kUtf8Bom);
  for (std::size_t c = 0; c < kStakeColumns; ++c) {
    if (c > 0) text += ',';
    text += stakeColumnTitle(static_cast<StakeColumn>(c));
  }
  text += ',';
  text += kStakeNoteTitle;
  text += kCsvRecordEnd;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const StakeRow row = table.row(i);
    for (std::size_t c = 0; c < kStakeColumns; ++c) {
      if (c > 0) text += ',';
      text += table.cellText(row, static_cast<StakeColumn>(c));
    }
    text += ',';
    text += csvField(table.note(i));
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
