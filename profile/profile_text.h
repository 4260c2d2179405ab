#pragma once

// Every number and word a profile shows, in one place, so that the window,
// the files and the command line print the same thing and compute nothing
// of their own. No text depends on the process locale.

#include <cstddef>
#include <string>
#include <string_view>

#include "profile/checks.h"
#include "profile/profile.h"

namespace vcurve::profile {

// "1234.568": rounded from the exact binary value, an exact half to even;
// never "-0.000".
std::string fixedText(double value, int decimals);
std::string fixed3(double value);

// Grades in per cent with two decimals: "2.50", "-1.25"; and with the sign.
std::string gradeText(double percent);
std::string gradePercentText(double percent);  // "2.50%"
// The label the drawing writes along a grade: "i=2.50%  L=300.000".
std::string gradeLabel(const Grade& grade);

// Chainage for grid labels, to the metre: "K5+100".
std::string gridChainageText(double station);

// The shortest text that reads back as exactly the same double ("5030.25",
// "0.1"), in plain decimals: what files and editors hold.
std::string exactText(double value);

enum class StationStyle { Chainage, Metres };
// K5+030.250 or 5030.250.
std::string stationText(double station, StationStyle style);

// The text an input cell is edited as and a file stores: the station as
// chainage when that reads back exactly, else in metres; the others exact.
std::string inputText(InputColumn column, double value);
// What a saved file holds: the same, but an elevation has at least the
// three decimals the table shows ("877.000"), and every digit it was typed
// with beyond them.
std::string storedText(InputColumn column, double value);

// Grid lines for a span drawn at a scale: the smallest of 1, 2 and 5 times
// a power of ten that is at least `smallest`; and a label for a value on
// such a grid, with as many decimals as the step needs.
double gridStep(double smallest);
std::string axisText(double value, double step);

std::string_view curveKindText(CurveKind kind);    // "凸", "凹", ""
std::string_view keyPointText(KeyPointKind kind);  // "起点", "竖曲线起点"...
std::string_view lookupProblemText(LookupStatus status);
// The same for one station, naming the curve where only one claims it but
// it runs past a PVI or an end (an overlap of one curve with no other).
std::string lookupProblemAt(const Profile& profile, double station, LookupStatus status);

// The 纵坡竖曲线表: three input columns, then the derived ones.
enum class TableColumn {
  Station,
  Elevation,
  Radius,
  Grade,
  GradeLength,
  Kind,
  Tangent,
  CurveLength,
  External,
  CurveStart,
  CurveEnd,
};
inline constexpr std::size_t kTableColumns = 11;
TableColumn tableColumn(std::size_t index);
std::string_view columnTitle(TableColumn column);
// Empty where the row has no such value or the profile is not usable.
std::string cellText(const Profile& profile, std::size_t row, TableColumn column,
                     StationStyle style = StationStyle::Chainage);

// The cell a finding is about, for colouring it.
TableColumn findingColumn(const Finding& finding);

// What the drawing writes at a curve's PVI: "R=10000  T=200.000  E=2.000".
std::string curveLabel(const VerticalCurve& curve);

// "K5+100.000" or "K5+100.000 至 K5+300.000（平坡）".
// With equations, the stations are field stations.
std::string matchText(const ElevationMatch& match, const ChainageEquations* chainage = nullptr);

std::string_view severityText(Severity severity);  // "错误", "警告", "提示"
std::string_view ruleText(Rule rule);              // "凸形竖曲线最小半径"...
// "第 3 点 K5+100.000" or "第 3–4 点间坡段 K5+100.000–K5+400.000".
std::string placeText(const Finding& finding, const ChainageEquations* chainage = nullptr);
std::string foundText(const Finding& finding);     // "R = 2500 m"
std::string requiredText(const Finding& finding);  // "≥ 3000 m（极限值）"
// "JTG D20—2017 公路路线设计规范，二级公路，设计速度 60 km/h，越岭路线".
std::string basisText(const CheckBasis& basis);
// All of it on one line, as the command line prints it.
std::string findingLine(const Finding& finding, const ChainageEquations* chainage = nullptr);

}  // namespace vcurve::profile
