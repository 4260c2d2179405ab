#pragma once

// 合成坡度: where the section is superelevated, the steepest fall of the
// surface is √(i² + i_h²), the grade and the cross slope together. Too
// steep, a slow lorry slides inward on ice; too flat, water stands where
// the outer side passes through level in a transition.

#include <vector>

#include "profile/checks.h"
#include "profile/design_code.h"
#include "profile/profile.h"
#include "sections/cross_section.h"

namespace vcurve::sections {

// The resultant grade at a station: with the steeper of the two sides'
// cross slopes, and with the outer side's (which passes through 0).
struct ResultantGrade {
  double steepest = 0;  // per cent
  double outer = 0;     // per cent
};
ResultantGrade resultantGradeAt(const Sections& sections, const profile::Profile& profile,
                                double station);

// One finding per superelevation at most for each rule, at its worst
// station: above the code's 最大合成坡度 (an error), below its least for
// drainage (a warning). None without a basis with limits.
std::vector<profile::Finding> checkResultantGrades(const profile::Profile& profile,
                                                   const Sections& sections,
                                                   const profile::CheckBasis& basis);

}  // namespace vcurve::sections
