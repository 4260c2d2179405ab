#pragma once

// The limits a profile is checked against, one table per design code, so
// that a later edition is one more table. Every value carries the table of
// the code it comes from; the README lists those still to be checked
// against the printed code.

#include <span>
#include <string_view>

namespace vcurve::profile {

// 一般值 (what to design for) and 极限值 (the least the code allows).
struct Limit {
  double general = 0;
  double minimum = 0;
};

// One row of a 最大坡长 table: grades up to `grade` may run `length` metres.
struct GradeLength {
  double grade = 0;   // percent
  double length = 0;  // metres
};

struct SpeedLimits {
  int speed = 0;  // km/h
  Limit crestRadius;
  Limit sagRadius;
  Limit curveLength;
  double maximumGrade = 0;        // percent; the 极限值 where the code gives two
  double minimumGradeLength = 0;  // metres, PVI to PVI
  // The cases in which the code lets the maximum grade rise by 1 %; empty
  // where it does not.
  std::string_view gradeAllowance;
  // The 一般值 of the maximum grade where the code gives one (the urban
  // code); 0 where the code gives a single value.
  double generalMaximumGrade = 0;
  // 最大坡长, gentlest row first; empty where the code sets none.
  std::span<const GradeLength> gradeLengths;
  // 最大合成坡度 (percent), √(i² + i_h²) where the section is superelevated.
  double maximumResultantGrade = 0;
};

// A class of road (公路等级, 城市道路等级) and what the code ties to it.
struct RoadClass {
  std::string_view name;        // "二级公路", "主干路"
  std::span<const int> speeds;  // the design speeds it may have, fastest first
  bool gradeAllowance = false;  // the speed's +1 % allowance may apply
  bool averageGrade = false;    // 越岭路线 are held to the 平均纵坡
  // The maximum grade in icy or snowy areas, and above icyAltitude (m) where
  // that is not 0; 0 where the code sets none.
  double icyMaximumGrade = 0;
  double icyAltitude = 0;
};

// 平均纵坡 of a continuous climb or descent: by its rise, and over any
// stretch of `window` metres of a climb that rises more than highRise.
struct AverageGradeLimits {
  double lowRise = 0;        // m: from this rise on, lowRiseGrade
  double highRise = 0;       // m: above this rise, highRiseGrade
  double lowRiseGrade = 0;   // percent
  double highRiseGrade = 0;  // percent
  double window = 0;         // m
  double windowGrade = 0;    // percent
};

// Where each rule stands in the code, for the findings to cite.
struct Citations {
  std::string_view maximumGrade;
  std::string_view altitude;  // the reduction of the maximum grade on high ground
  std::string_view drainage;
  std::string_view minimumGradeLength;
  std::string_view gradeLength;  // 最大坡长 and 缓和坡段
  std::string_view averageGrade;
  std::string_view verticalCurve;
  std::string_view classes;  // the speeds each class may have
  std::string_view icy;
  std::string_view resultantGrade;         // 最大合成坡度, icy areas included
  std::string_view minimumResultantGrade;  // the least for drainage
};

struct DesignCode {
  std::string_view key;    // "jtg", "cjj37": what the command line and files say
  std::string_view name;   // the code's number and year
  std::string_view title;  // its Chinese title
  std::span<const SpeedLimits> speeds;
  // Grades flatter than this (percent) need drainage designed along the
  // side ditches.
  double drainageGrade = 0;
  std::span<const RoadClass> classes;
  Citations cite;
  // Above reductionFrom (m) the maximum grade falls by reductionStep (%) for
  // each band of reductionBand metres begun; 0 where the code reduces nothing.
  double reductionFrom = 0;
  double reductionBand = 0;
  double reductionStep = 0;
  int reductionBands = 0;            // the last band has no upper end
  double leastReducedGrade = 0;      // no reduction goes below this (percent)
  double reliefGrade = 0;            // 缓和坡段: at most this steep (percent)
  AverageGradeLimits averageGrade;   // all 0 where the code sets none
  double icyResultantGrade = 0;      // 最大合成坡度 in icy areas (percent)
  double minimumResultantGrade = 0;  // below it drainage must be designed (percent)

  // nullptr for a speed, class or key the code does not list; a highway
  // class may be named without 公路 ("二级").
  const SpeedLimits* forSpeed(int speed) const;
  const RoadClass* forClass(std::string_view name) const;
};

// 公路路线设计规范 JTG D20—2017.
const DesignCode& highwayCode();
// 城市道路工程设计规范 CJJ 37—2012（2016 年版）.
const DesignCode& urbanCode();
// By key ("jtg", "cjj37"), or nullptr.
const DesignCode* designCode(std::string_view key);
std::span<const DesignCode* const> designCodes();

bool allowsSpeed(const RoadClass& roadClass, int speed);

// What a profile is checked against: a code at a speed, and, when known,
// the road's class and the settings the code ties to its place.
struct CheckBasis {
  const DesignCode* code = nullptr;
  const SpeedLimits* limits = nullptr;
  const RoadClass* roadClass = nullptr;  // nullptr: by the speed alone
  bool icy = false;                      // 积雪冰冻地区
  bool ridgeRoute = false;               // 越岭路线: check the 平均纵坡
};

}  // namespace vcurve::profile
