#pragma once

// Tables as a spreadsheet sees them: named sheets of typed cells, numbers
// as numbers and chainage as text, read a row at a time so that a sheet of
// a hundred thousand rows is never held whole.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "profile/checks.h"
#include "profile/profile.h"
#include "profile/stake_table.h"

namespace vcurve::profile {

struct SheetCell {
  enum class Kind { Empty, Number, Text };
  Kind kind = Kind::Empty;
  double number = 0;
  std::string text;
};

struct SheetColumn {
  std::string title;
  double width = 10;  // in characters of the default font; a Chinese one is two
  int decimals = 3;   // how numbers in the column are shown
};

struct Sheet {
  std::string name;
  std::string title;  // a line above the header; none when empty
  std::vector<SheetColumn> columns;
  std::size_t rows = 0;
  // Fills one cell per column for the row.
  std::function<void(std::size_t row, std::vector<SheetCell>& cells)> row;
};

// The tables share what they point to; they must outlive the sheets.
Sheet stakeSheet(const StakeTable& table, std::string title = {});
Sheet profileSheet(const Profile& profile, std::string title = {});
Sheet findingsSheet(const std::vector<Finding>& findings, std::string title = {},
                    const ChainageEquations* chainage = nullptr);

SheetCell numberCell(double value);
SheetCell textCell(std::string text);

}  // namespace vcurve::profile
