#pragma once

// The rules that judge more than one grade at a time (最大坡长 with its
// 缓和坡段, 平均纵坡) and the maximum grade a place allows, for the checker.

#include <optional>
#include <string>
#include <vector>

#include "core/numeric_text.h"
#include "profile/checks.h"

namespace vcurve::profile {

// Values are judged as they are printed, so that no finding reads
// "5.00% > 5%": lengths and radii to the millimetre, grades to 0.01 %.
inline double printedLength(double metres) { return RoundToPlaces(metres, 3); }
inline double printedGrade(double percent) {
  return RoundToPlaces(percent < 0 ? -percent : percent, 2);
}

struct MaximumGrade {
  enum class Reason { Table, Altitude, Icy };
  double grade = 0;  // percent
  Reason reason = Reason::Table;
  std::string remark;  // why the table's value does not hold here
};

// The maximum grade at a height: the table's, or less on high ground or in
// icy areas.
MaximumGrade maximumGradeAt(const CheckBasis& basis, double elevation);

// The longest a grade of this steepness (printed, percent) may run, or none
// where the code sets no limit on it.
std::optional<double> maximumGradeLength(const CheckBasis& basis, double steepness);

void checkGradeLengths(const Profile& profile, const CheckBasis& basis,
                       std::vector<Finding>& findings);
void checkAverageGrades(const Profile& profile, const CheckBasis& basis,
                        std::vector<Finding>& findings);

}  // namespace vcurve::profile
