#pragma once

// What the table's own gestures do to the points: a typed cell, a pasted
// block, an inserted or deleted row. Each gives the new points and the rows
// it touched, or a reason in Chinese and no change at all, so that a block
// with one bad cell is refused whole rather than half pasted.

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_point.h"
#include "ui/profile/profile_document.h"

namespace vcurve::profileui {

struct TableEdit {
  std::vector<profile::ProfilePoint> points;
  RowChange change;
  std::size_t firstRow = 0;  // the rows to select afterwards
  std::size_t lastRow = 0;
  std::string error;
  bool ok() const { return error.empty(); }
};

// A row of size() is the empty one under the last point: the cell typed
// there adds a point to the end.
TableEdit editCell(const std::vector<profile::ProfilePoint>& points, std::size_t row,
                   profile::InputColumn column, std::string_view text);

// Over: the block's top-left cell lands on (row, column) and overwrites
// what is there; rows past the last become new points. Below: the block's
// rows become new points after `row`, its columns read from the station
// on. Cells beyond the three input columns are left out, so that a block
// copied from the whole table pastes back; leading rows in which nothing
// reads as a number are taken for headers.
enum class PasteMode { Over, Below };
TableEdit pasteCells(const std::vector<profile::ProfilePoint>& points, std::size_t row,
                     std::size_t column, const std::vector<std::vector<std::string>>& cells,
                     PasteMode mode);

// A new point before `at` (the end when at == size()), as the engine places it.
TableEdit insertPoint(const std::vector<profile::ProfilePoint>& points, std::size_t at);
// Rows past the last point are passed over.
TableEdit deletePoints(const std::vector<profile::ProfilePoint>& points,
                       std::set<std::size_t> rows);
// No curve at `rows`, as the Delete key leaves a radius.
TableEdit clearRadii(const std::vector<profile::ProfilePoint>& points,
                     const std::set<std::size_t>& rows);

}  // namespace vcurve::profileui
