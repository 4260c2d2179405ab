#pragma once

// The checks that guard the radius, grade and station fields while the user
// types and moves between them. They act on the window only through
// Platform, and read every number afresh from the fields. The window runs
// them from Text3_LostFocus, Text5_Change, Text6_Change and Text7_LostFocus.

#include <string_view>

#include "platform/platform.h"

namespace vcurve {

inline constexpr double MinimumRadius = 300;  // metres; 300 itself passes
inline constexpr double MaximumGrade = 10;    // percent; 10 itself shows nothing

inline constexpr std::string_view kRadiusTooSmallPrompt =
    "你输入的曲线半径太小，请重新检查一遍再输入。";
inline constexpr std::string_view kGradeTooSteepPrompt =
    "你输入的值已大于规定的最大纵坡，你确认吗?";
inline constexpr std::string_view kStationOffCurvePrompt = "你输入的桩号错误，请重新输入。";
inline constexpr std::string_view kNumberTooLargePrompt =
    "你输入的数值太大，超出了计算范围，无法检查。";
inline constexpr std::string_view kErrorTitle = "错误";
inline constexpr std::string_view kNoticeTitle = "提示";

enum class CheckOutcome {
  Passed,    // nothing shown, nothing changed
  Notified,  // the grade notice was shown; nothing changed
  Rejected,  // the field was emptied and has the focus again
  Failed,    // a number beyond the double range: reported, the field kept as it is
};

// Leaving Text3: a radius below MinimumRadius is rejected.
CheckOutcome CheckRadius(Platform& form);
// Every change of Text5 or Text6: a grade above MaximumGrade gets a notice.
CheckOutcome CheckGrade(Platform& form, Field field);
// Leaving Text7: a station off the curve, outside P - L .. P + L, is rejected.
CheckOutcome CheckStation(Platform& form);

// How far past P - L or P + L a station may lie and still count as on the
// curve: the rounding of P, L and their sum and difference, no more. Without
// it the curve's own end typed as a decimal can be rejected: 15245.602 - 2.051
// is 15243.551000000001 in binary arithmetic, above 15243.551.
double StationSlack(double P, double L);

}  // namespace vcurve
