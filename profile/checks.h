#pragma once

// A profile checked against a design code: what breaks it, where, by how
// much, and how serious it is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/design_code.h"
#include "profile/profile.h"

namespace vcurve::profile {

enum class Severity { Error, Warning, Note };  // 错误, 警告, 提示

enum class Rule {
  CrestRadius,         // 凸形竖曲线半径
  SagRadius,           // 凹形竖曲线半径
  CurveLength,         // 竖曲线长度
  MaximumGrade,        // 最大纵坡
  MinimumGradeLength,  // 最短坡长
  GentleGrade,         // 纵坡小于 0.3 %
  CurvesOverlap,       // two curves claim the same grade
  CurvePastPvi,        // a curve runs past the next PVI, which has none
  CurvePastEnd,        // a curve runs past the profile's start or end
  BreakWithoutCurve,   // 变坡点未设竖曲线
  EndRadius,           // a radius typed at the start or the end
  MaximumGradeLength,  // 最大坡长 and 缓和坡段, over a run of grades
  AverageGrade,        // 平均纵坡 of a 越岭路线
  ResultantGrade,      // 最大合成坡度 where the section is superelevated
  LowResultantGrade,   // 合成坡度 too small to drain, in a 超高 transition
};

// The unit of found and required.
// Share: a run's Σ length / allowed length.
enum class Quantity { Radius, Length, Grade, GradeBreak, Share };

struct Finding {
  Severity severity = Severity::Note;
  Rule rule = Rule::EndRadius;
  std::size_t row = 0;   // the point, or the grade's first point
  bool onGrade = false;  // the grade from row to row + 1
  // A run of grades, row to lastRow + 1; == row for a point or one grade.
  std::size_t lastRow = 0;
  double station = 0;    // the point's, or the grade's (the run's) start
  double toStation = 0;  // the grade's (the run's) end; == station for a point
  Quantity quantity = Quantity::Length;
  double found = 0;
  std::optional<double> required;
  bool requiredIsMaximum = false;  // found must not exceed required
  bool generalValue = false;       // required is the 一般值, not the 极限值
  std::string remark;              // the code's allowance, what else to check
  std::string_view citation;       // "JTG D20—2017 表 8.2.1"; empty for geometry
};

// Worst first, then by station. Empty for a profile that is not usable.
std::vector<Finding> checkProfile(const Profile& profile, const CheckBasis& basis);
// By the speed alone, as the code's tables read without a road class.
std::vector<Finding> checkProfile(const Profile& profile, const DesignCode& code,
                                  const SpeedLimits& limits);

bool hasErrors(const std::vector<Finding>& findings);

}  // namespace vcurve::profile
