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

// How a sheet prints: on which paper, which way up. Every sheet prints
// its heading and header on every page and fits the page's width.
enum class SheetPaper { A4, A3 };

struct Sheet {
  std::string name;
  // Lines above the header, each across the table's width: the first in
  // large type (逐桩高程表), then what the table is of (文件：…).
  std::string title;
  std::string subtitle;
  std::vector<SheetColumn> columns;
  SheetPaper paper = SheetPaper::A4;
  bool landscape = false;
  std::size_t rows = 0;
  // Fills one cell per column for the row.
  std::function<void(std::size_t row, std::vector<SheetCell>& cells)> row;
};

// The tables share what they point to; they must outlive the sheets.
// With edges, their two columns follow 备注.
Sheet stakeSheet(const StakeTable& table, std::string title = {}, StakeEdges edges = {});
Sheet profileSheet(const Profile& profile, std::string title = {});
Sheet findingsSheet(const std::vector<Finding>& findings, std::string title = {},
                    const ChainageEquations* chainage = nullptr);

// The workbook of a profile, the same from the window and the table
// program: the elevation table, the 纵坡竖曲线表 and, where the profile was
// checked, the findings under their heading. `about` says what it is of
// (文件：…, 设计速度：…) under each sheet's title.
struct WorkbookFindings {
  const std::vector<Finding>* findings = nullptr;
  std::string heading;  // 检查结果（…）：错误 1 项…
};
std::vector<Sheet> profileWorkbook(Sheet elevations, const Profile& profile,
                                   const std::string& about, const WorkbookFindings& checked = {});

SheetCell numberCell(double value);
SheetCell textCell(std::string text);

}  // namespace vcurve::profile
