// The words a finding is told in: its severity, rule and place, what was
// found and what the code requires.

#include <algorithm>

#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// A length measured on the profile, to the millimetre as the table shows it:
// 72.750 m.
std::string metres(double value) { return fixed3(value) + " m"; }
// A limit as the code's table prints it: 3000 m, 69.6 m.
std::string codeMetres(double value) { return TextFromNumber(value) + " m"; }

std::string placeAt(double station, const ChainageEquations* chainage) {
  return chainage ? chainage->text(station) : chainageText(station);
}

}  // namespace

std::string_view severityText(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "错误";
    case Severity::Warning:
      return "警告";
    case Severity::Note:
      break;
  }
  return "提示";
}

std::string_view ruleText(Rule rule) {
  switch (rule) {
    case Rule::CrestRadius:
      return "凸形竖曲线最小半径";
    case Rule::SagRadius:
      return "凹形竖曲线最小半径";
    case Rule::CurveLength:
      return "竖曲线最小长度";
    case Rule::MaximumGrade:
      return "最大纵坡";
    case Rule::MinimumGradeLength:
      return "最短坡长";
    case Rule::GentleGrade:
      return "最小排水纵坡";
    case Rule::CurvesOverlap:
      return "竖曲线重叠";
    case Rule::CurvePastPvi:
      return "竖曲线越过变坡点";
    case Rule::CurvePastEnd:
      return "竖曲线超出纵断面";
    case Rule::BreakWithoutCurve:
      return "变坡点未设竖曲线";
    case Rule::MaximumGradeLength:
      return "最大坡长";
    case Rule::AverageGrade:
      return "平均纵坡";
    case Rule::ResultantGrade:
      return "最大合成坡度";
    case Rule::LowResultantGrade:
      return "最小合成坡度";
    case Rule::EndRadius:
      break;
  }
  return "起终点半径";
}

std::string placeText(const Finding& finding, const ChainageEquations* chainage) {
  // A section's finding is at a station, not at a point of the table.
  if (finding.rule == Rule::ResultantGrade || finding.rule == Rule::LowResultantGrade) {
    return placeAt(finding.station, chainage);
  }
  if (!finding.onGrade) return rowText(finding.row) + " " + placeAt(finding.station, chainage);
  const std::size_t last = std::max(finding.row, finding.lastRow);
  const std::string grades = last > finding.row
                                 ? " 点间 " + std::to_string(last - finding.row + 1) + " 个坡段 "
                                 : " 点间坡段 ";
  return "第 " + std::to_string(finding.row + 1) + "–" + std::to_string(last + 2) + grades +
         placeAt(finding.station, chainage) + "–" + placeAt(finding.toStation, chainage);
}

std::string foundText(const Finding& finding) {
  if (finding.rule == Rule::ResultantGrade || finding.rule == Rule::LowResultantGrade) {
    return "合成坡度 " + gradePercentText(finding.found);
  }
  switch (finding.quantity) {
    case Quantity::Radius:
      // As typed, the way the table shows the radius.
      return "R = " + exactText(finding.found) + " m";
    case Quantity::Grade:
      return "i = " + gradePercentText(finding.found);
    case Quantity::GradeBreak:
      return "ω = " + gradePercentText(finding.found);
    case Quantity::Share:
      return "Σ L/L限 = " + fixedText(finding.found, 3);
    case Quantity::Length:
      break;
  }
  switch (finding.rule) {
    case Rule::CurveLength:
      return "L = " + metres(finding.found);
    case Rule::MinimumGradeLength:
    case Rule::MaximumGradeLength:
      return "坡长 " + metres(finding.found);
    case Rule::CurvesOverlap:
    case Rule::CurvePastPvi:
      return "切线长之和 " + metres(finding.found);
    default:
      return "T = " + metres(finding.found);
  }
}

std::string requiredText(const Finding& finding) {
  if (!finding.required) return {};
  const double required = *finding.required;
  std::string text;
  std::string_view value;  // 一般值 or 极限值, where the code gives both
  switch (finding.rule) {
    case Rule::MaximumGrade:
      text = "坡度绝对值 ≤ " + TextFromNumber(required) + "%";
      if (finding.generalValue) value = "一般值";
      break;
    case Rule::AverageGrade:
      text = "平均纵坡 ≤ " + TextFromNumber(required) + "%";
      break;
    case Rule::ResultantGrade:
      text = "合成坡度 ≤ " + TextFromNumber(required) + "%";
      break;
    case Rule::LowResultantGrade:
      text = "合成坡度 ≥ " + TextFromNumber(required) + "%";
      break;
    case Rule::GentleGrade:
      text = "坡度绝对值 ≥ " + TextFromNumber(required) + "%";
      break;
    case Rule::CurvesOverlap:
    case Rule::CurvePastPvi:
      return "≤ 两变坡点间坡长 " + metres(required);
    case Rule::CurvePastEnd:
      return "≤ 至纵断面端点的坡长 " + metres(required);
    case Rule::MinimumGradeLength:
      text = "≥ " + codeMetres(required);
      break;
    case Rule::MaximumGradeLength:
      text = finding.quantity == Quantity::Share ? "Σ L/L限 ≤ 1" : "≤ " + codeMetres(required);
      break;
    default:
      text = "≥ " + codeMetres(required);
      value = finding.generalValue ? "一般值" : "极限值";
      break;
  }
  if (value.empty() && finding.citation.empty()) return text;
  text += "（";
  text += value;
  if (!value.empty() && !finding.citation.empty()) text += "，";
  text += finding.citation;
  return text + "）";
}

std::string basisText(const CheckBasis& basis) {
  if (basis.code == nullptr || basis.limits == nullptr) return {};
  std::string text = std::string(basis.code->name) + " " + std::string(basis.code->title) + "，";
  if (basis.roadClass != nullptr) text += std::string(basis.roadClass->name) + "，";
  text += "设计速度 " + std::to_string(basis.limits->speed) + " km/h";
  if (basis.icy) text += "，积雪冰冻地区";
  if (basis.ridgeRoute) text += "，越岭路线";
  return text;
}

std::string findingLine(const Finding& finding, const ChainageEquations* chainage) {
  std::string line = std::string(severityText(finding.severity)) + " " +
                     placeText(finding, chainage) + " " + std::string(ruleText(finding.rule)) +
                     "：" + foundText(finding);
  if (const std::string required = requiredText(finding); !required.empty()) {
    line += "，要求 " + required;
  }
  if (!finding.remark.empty()) line += "。" + finding.remark;
  return line;
}

}  // namespace vcurve::profile
