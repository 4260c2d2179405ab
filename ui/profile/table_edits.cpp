#include "ui/profile/table_edits.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "profile/profile_text.h"

namespace vcurve::profileui {
namespace {

using profile::InputColumn;
using profile::ProfilePoint;

constexpr std::size_t kInputColumns = 3;
constexpr std::size_t kMostHeaderRows = 10;

InputColumn inputColumn(std::size_t column) { return static_cast<InputColumn>(column); }

double& valueOf(ProfilePoint& point, InputColumn column) {
  switch (column) {
    case InputColumn::Station:
      return point.station;
    case InputColumn::Elevation:
      return point.elevation;
    case InputColumn::Radius:
      break;
  }
  return point.radius;
}

std::string columnName(InputColumn column) {
  return std::string(profile::columnTitle(static_cast<profile::TableColumn>(column)));
}

TableEdit failed(std::string reason) {
  TableEdit edit;
  edit.error = std::move(reason);
  return edit;
}

// Excel copies a title or header row along with the numbers.
std::size_t headerRows(const std::vector<std::vector<std::string>>& cells, std::size_t column) {
  std::size_t headers = 0;
  while (headers < cells.size() && headers < kMostHeaderRows) {
    const auto& row = cells[headers];
    bool anyText = false;
    bool anyNumber = false;
    for (std::size_t c = 0; c < row.size() && column + c < kInputColumns; ++c) {
      if (row[c].find_first_not_of(" \t") == std::string::npos) continue;
      anyText = true;
      anyNumber = anyNumber || profile::readCell(inputColumn(column + c), row[c]).ok();
    }
    if (!anyText || anyNumber) break;
    ++headers;
  }
  return headers;
}

// "粘贴内容第 2 行第 1 列（变坡点桩号）：“abc”不是桩号…"
std::string pastePlace(std::size_t row, std::size_t column, InputColumn input) {
  return "粘贴内容第 " + std::to_string(row + 1) + " 行第 " + std::to_string(column + 1) + " 列（" +
         columnName(input) + "）：";
}

}  // namespace

TableEdit editCell(const std::vector<ProfilePoint>& points, std::size_t row, InputColumn column,
                   std::string_view text) {
  if (row > points.size()) return failed("没有第 " + std::to_string(row + 1) + " 点");
  const profile::CellReading reading = profile::readCell(column, text);
  if (!reading.ok())
    return failed(profile::rowText(row) + columnName(column) + "：" + reading.error);
  TableEdit edit;
  edit.points = points;
  if (row == points.size()) {
    // The rest of a point typed under the last is on the last grade carried
    // on, as 插入行 places one, until the user types it too.
    ProfilePoint added = profile::pointToInsert(points, row);
    if (column == InputColumn::Station && !points.empty()) {
      const ProfilePoint& last = points.back();
      const double slope = (added.elevation - last.elevation) / (added.station - last.station);
      const double elevation = last.elevation + slope * (reading.value - last.station);
      added.elevation = profile::elevationProblem(elevation).empty() ? elevation : last.elevation;
    }
    valueOf(added, column) = reading.value;
    edit.points.push_back(added);
    edit.change = {row, 0, 1};
  } else {
    valueOf(edit.points[row], column) = reading.value;
    edit.change = {row, 1, 1};
  }
  edit.firstRow = edit.lastRow = row;
  return edit;
}

TableEdit pasteCells(const std::vector<ProfilePoint>& points, std::size_t row, std::size_t column,
                     const std::vector<std::vector<std::string>>& cells, PasteMode mode) {
  if (mode == PasteMode::Below) column = 0;
  if (column >= kInputColumns) return failed("只能粘贴到桩号、高程和半径三列");
  const std::size_t skipped = headerRows(cells, column);
  if (skipped == cells.size()) return failed("剪贴板中没有可粘贴的数字");
  const std::size_t count = cells.size() - skipped;

  TableEdit edit;
  edit.points = points;
  std::size_t first = 0;
  if (mode == PasteMode::Below) {
    first = std::min(row + 1, points.size());
    edit.points.insert(edit.points.begin() + static_cast<std::ptrdiff_t>(first), count,
                       ProfilePoint{});
    edit.change = {first, 0, count};
  } else {
    first = std::min(row, points.size());
    const std::size_t end = std::max(points.size(), first + count);
    edit.points.resize(end);
    const std::size_t replaced = std::min(count, points.size() - first);
    edit.change = {first, replaced, count};
  }

  for (std::size_t r = 0; r < count; ++r) {
    const std::size_t target = first + r;
    const bool fresh = mode == PasteMode::Below || target >= points.size();
    const auto& source = cells[skipped + r];
    std::array<bool, kInputColumns> given{};
    for (std::size_t c = 0; c < source.size() && column + c < kInputColumns; ++c) {
      const InputColumn input = inputColumn(column + c);
      const profile::CellReading reading = profile::readCell(input, source[c]);
      if (!reading.ok()) return failed(pastePlace(skipped + r, c, input) + reading.error);
      valueOf(edit.points[target], input) = reading.value;
      given[column + c] = true;
    }
    // A new point needs its station and elevation; an empty radius is none.
    if (fresh) {
      for (const InputColumn needed : {InputColumn::Station, InputColumn::Elevation}) {
        if (!given[static_cast<std::size_t>(needed)]) {
          return failed("粘贴内容第 " + std::to_string(skipped + r + 1) + " 行成为新的" +
                        profile::rowText(target) + "，但缺少" + columnName(needed));
        }
      }
    }
  }
  edit.firstRow = first;
  edit.lastRow = first + count - 1;
  return edit;
}

TableEdit insertPoint(const std::vector<ProfilePoint>& points, std::size_t at) {
  at = std::min(at, points.size());
  TableEdit edit;
  edit.points = points;
  edit.points.insert(edit.points.begin() + static_cast<std::ptrdiff_t>(at),
                     profile::pointToInsert(points, at));
  edit.change = {at, 0, 1};
  edit.firstRow = edit.lastRow = at;
  return edit;
}

TableEdit clearRadii(const std::vector<ProfilePoint>& points, const std::set<std::size_t>& rows) {
  const auto end = rows.lower_bound(points.size());
  if (rows.begin() == end) return failed("没有选中要清除的半径");
  TableEdit edit;
  edit.points = points;
  for (auto row = rows.begin(); row != end; ++row) edit.points[*row].radius = 0;
  edit.firstRow = *rows.begin();
  edit.lastRow = *std::prev(end);
  const std::size_t span = edit.lastRow - edit.firstRow + 1;
  edit.change = {edit.firstRow, span, span};
  return edit;
}

TableEdit deletePoints(const std::vector<ProfilePoint>& points, std::set<std::size_t> rows) {
  // The empty row under the last point is no point to delete.
  rows.erase(rows.lower_bound(points.size()), rows.end());
  if (rows.empty()) return failed("没有选中要删除的行");
  if (points.size() - rows.size() < 2) return failed("纵断面至少要有起点和终点两个点，不能再删");
  TableEdit edit;
  for (std::size_t row = 0; row < points.size(); ++row) {
    if (!rows.contains(row)) edit.points.push_back(points[row]);
  }
  const std::size_t first = *rows.begin();
  const bool contiguous = *rows.rbegin() - first + 1 == rows.size();
  edit.change = contiguous ? RowChange{first, rows.size(), 0}
                           : RowChange{0, points.size(), edit.points.size()};
  edit.firstRow = edit.lastRow = std::min(first, edit.points.size() - 1);
  return edit;
}

}  // namespace vcurve::profileui
