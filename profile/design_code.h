#pragma once

// The limits a profile is checked against, one table per design code, so
// that a later edition or the urban-road code is one more table.

#include <span>
#include <string_view>

namespace vcurve::profile {

// 一般值 (what to design for) and 极限值 (the least the code allows).
struct Limit {
  double general = 0;
  double minimum = 0;
};

struct SpeedLimits {
  int speed = 0;  // km/h
  Limit crestRadius;
  Limit sagRadius;
  Limit curveLength;
  double maximumGrade = 0;        // percent
  double minimumGradeLength = 0;  // metres, PVI to PVI
  // The cases in which the code lets the maximum grade rise by 1 %; empty
  // where it does not.
  std::string_view gradeAllowance;
};

struct DesignCode {
  std::string_view name;   // the code's number and year
  std::string_view title;  // its Chinese title
  std::span<const SpeedLimits> speeds;
  // Grades flatter than this (percent) need drainage designed along the
  // side ditches.
  double drainageGrade = 0;

  // nullptr for a speed the code does not list.
  const SpeedLimits* forSpeed(int speed) const;
};

// 公路路线设计规范 JTG D20—2017.
const DesignCode& highwayCode();

}  // namespace vcurve::profile
