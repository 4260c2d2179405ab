#include "profile/sheets.h"

#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// A derived value goes into its cell as the number the table prints, so that
// the cell, the screen, the CSV and the PDF agree to the last digit. Typed
// values (elevations, radii) go in as typed.
SheetCell shownNumber(double value, int decimals) {
  return numberCell(RoundToPlaces(value, decimals));
}
SheetCell shownNumber(const std::optional<double>& value, int decimals) {
  return value ? shownNumber(*value, decimals) : SheetCell{};
}

constexpr double kChainageWidth = 13;
constexpr double kNumberWidth = 12;
constexpr double kNoteWidth = 22;  // 竖曲线终点、竖曲线起点
constexpr double kEdgeWidth = 14;  // 左路肩高程(m)

}  // namespace

SheetCell numberCell(double value) { return {SheetCell::Kind::Number, value, {}}; }
SheetCell textCell(std::string text) {
  if (text.empty()) return {};
  return {SheetCell::Kind::Text, 0, std::move(text)};
}

Sheet stakeSheet(const StakeTable& table, std::string title, StakeEdges edges) {
  Sheet sheet;
  sheet.name = "逐桩高程表";
  sheet.title = std::move(title);
  for (std::size_t c = 0; c < kStakeColumns; ++c) {
    const auto column = static_cast<StakeColumn>(c);
    sheet.columns.push_back({std::string(stakeColumnTitle(column)),
                             column == StakeColumn::Station ? kChainageWidth : kNumberWidth,
                             column == StakeColumn::Grade ? 2 : 3});
  }
  sheet.columns.push_back({std::string(kStakeNoteTitle), kNoteWidth, 0});
  if (edges) {
    for (const std::string_view title : {kLeftEdgeTitle, kRightEdgeTitle}) {
      sheet.columns.push_back({std::string(title), kEdgeWidth, 3});
    }
  }
  sheet.rows = table.size();
  sheet.row = [&table, edges = std::move(edges)](std::size_t i, std::vector<SheetCell>& cells) {
    const StakeRow row = table.row(i);
    cells = {textCell(StakeTable::cellText(row, StakeColumn::Station)),
             shownNumber(row.design, 3),
             shownNumber(row.ground, 3),
             shownNumber(row.fill, 3),
             shownNumber(row.cut, 3),
             shownNumber(row.grade, 2),
             textCell(table.note(i))};
    if (edges) {
      const EdgeElevations e = edges(row);
      cells.push_back(shownNumber(e.left, 3));
      cells.push_back(shownNumber(e.right, 3));
    }
  };
  return sheet;
}

Sheet profileSheet(const Profile& profile, std::string title) {
  Sheet sheet;
  sheet.name = "纵坡竖曲线表";
  sheet.title = std::move(title);
  for (std::size_t c = 0; c < kTableColumns; ++c) {
    const TableColumn column = tableColumn(c);
    const bool station = column == TableColumn::Station || column == TableColumn::CurveStart ||
                         column == TableColumn::CurveEnd;
    sheet.columns.push_back({std::string(columnTitle(column)),
                             station ? kChainageWidth + 1 : kNumberWidth + 2,
                             column == TableColumn::Grade ? 2 : 3});
  }
  // Eleven columns fit an A4 page only across.
  sheet.landscape = true;
  sheet.rows = profile.size();
  sheet.row = [&profile](std::size_t row, std::vector<SheetCell>& cells) {
    const ProfilePoint& p = profile.points()[row];
    const bool end = row == 0 || row + 1 == profile.size();
    cells = {textCell(profile.stationText(p.station)), numberCell(p.elevation),
             end && p.radius == 0 ? SheetCell{} : numberCell(p.radius)};
    const RowDerivation* derived = profile.usable() ? &profile.rows()[row] : nullptr;
    const auto& grade = derived ? derived->gradeAfter : std::nullopt;
    cells.push_back(grade ? shownNumber(grade->percent, 2) : SheetCell{});
    cells.push_back(grade ? shownNumber(grade->length, 3) : SheetCell{});
    const auto& c = derived ? derived->curve : std::nullopt;
    cells.push_back(textCell(c ? std::string(curveKindText(c->kind)) : std::string()));
    cells.push_back(c ? shownNumber(c->tangent, 3) : SheetCell{});
    cells.push_back(c ? shownNumber(c->length, 3) : SheetCell{});
    cells.push_back(c ? shownNumber(c->external, 3) : SheetCell{});
    cells.push_back(c ? textCell(profile.stationText(c->startStation)) : SheetCell{});
    cells.push_back(c ? textCell(profile.stationText(c->endStation)) : SheetCell{});
  };
  return sheet;
}

Sheet findingsSheet(const std::vector<Finding>& findings, std::string title,
                    const ChainageEquations* chainage) {
  Sheet sheet;
  sheet.name = "检查结果";
  sheet.title = std::move(title);
  sheet.columns = {{"级别", 6, 0},    {"位置", 44, 0}, {"规则", 20, 0},
                   {"实际值", 22, 0}, {"要求", 32, 0}, {"说明", 60, 0}};
  sheet.paper = SheetPaper::A3;
  sheet.landscape = true;
  sheet.rows = findings.size();
  sheet.row = [&findings, chainage](std::size_t i, std::vector<SheetCell>& cells) {
    const Finding& f = findings[i];
    cells = {textCell(std::string(severityText(f.severity))),
             textCell(placeText(f, chainage)),
             textCell(std::string(ruleText(f.rule))),
             textCell(foundText(f)),
             textCell(requiredText(f)),
             textCell(f.remark)};
  };
  return sheet;
}

std::vector<Sheet> profileWorkbook(Sheet elevations, const Profile& profile,
                                   const std::string& about, const WorkbookFindings& checked) {
  std::vector<Sheet> sheets;
  const auto add = [&](Sheet sheet, std::string subtitle) {
    if (sheet.title.empty()) sheet.title = sheet.name;
    sheet.subtitle = std::move(subtitle);
    sheets.push_back(std::move(sheet));
  };
  add(std::move(elevations), about);
  add(profileSheet(profile), about);
  if (checked.findings != nullptr) {
    add(findingsSheet(*checked.findings, {}, &profile.chainage()),
        about.empty() ? checked.heading : about + "　" + checked.heading);
  }
  return sheets;
}

}  // namespace vcurve::profile
