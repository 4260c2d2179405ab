#include "checks/field_checks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/numeric_text.h"

namespace vcurve {
namespace {

std::optional<double> numberInField(const Platform& form, Field field) {
  return NumberFromText(form.fieldText(field));
}

// Overflow ends a check before its own message. The user still deserves to
// know why nothing was checked, so it is said once, and the field and the
// focus are left as the user left them.
CheckOutcome reportTooLarge(Platform& form) {
  form.ShowMessage(kNumberTooLargePrompt, MessageStyle::Warning, kErrorTitle);
  return CheckOutcome::Failed;
}

// The message comes first and the field keeps the rejected text until the
// user has closed it, so the user sees what was wrong before it disappears.
CheckOutcome reject(Platform& form, Field field, std::string_view prompt) {
  form.ShowMessage(prompt, MessageStyle::Warning, kErrorTitle);
  form.setFieldText(field, "");
  form.setFocus(field);
  return CheckOutcome::Rejected;
}

}  // namespace

CheckOutcome CheckRadius(Platform& form) {
  const auto R = numberInField(form, Field::Text3);
  if (!R) return reportTooLarge(form);
  if (*R >= MinimumRadius) return CheckOutcome::Passed;
  return reject(form, Field::Text3, kRadiusTooSmallPrompt);
}

CheckOutcome CheckGrade(Platform& form, Field field) {
  const auto g = numberInField(form, field);
  if (!g) return reportTooLarge(form);
  if (*g <= MaximumGrade) return CheckOutcome::Passed;
  form.ShowMessage(kGradeTooSteepPrompt, MessageStyle::Information, kNoticeTitle);
  return CheckOutcome::Notified;
}

double StationSlack(double P, double L) {
  // P, L, the station and the bound each carry at most half a unit in the
  // last place of the larger of |P| and |L| (the bound up to twice that
  // magnitude): three units in all, four to be safe. At 10 km that is 7 nm.
  constexpr double kUnitsInTheLastPlace = 4;
  return kUnitsInTheLastPlace * std::numeric_limits<double>::epsilon() *
         std::max(std::fabs(P), std::fabs(L));
}

CheckOutcome CheckStation(Platform& form) {
  const auto P = numberInField(form, Field::Text1);
  const auto L = numberInField(form, Field::Text2);
  const auto S = numberInField(form, Field::Text7);
  if (!P || !L || !S) return reportTooLarge(form);

  // Both bounds are worked out and compared even when the first already
  // rejects: an overflow of either one must end the check the same way.
  const double slack = StationSlack(*P, *L);
  const double upper = *P + *L;
  if (!std::isfinite(upper)) return reportTooLarge(form);
  const bool above = *S > upper + slack;
  const double lower = *P - *L;
  if (!std::isfinite(lower)) return reportTooLarge(form);
  const bool below = *S < lower - slack;

  if (!above && !below) return CheckOutcome::Passed;
  return reject(form, Field::Text7, kStationOffCurvePrompt);
}

}  // namespace vcurve
