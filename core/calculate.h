#pragma once

// The calculate command: what a press of the visible "计 算" button does.

#include <cstdint>
#include <string>

#include "core/elevation.h"
#include "platform/platform.h"

namespace vcurve {

inline constexpr std::string_view kMissingDataPrompt = "你输入所有数据了吗？";
inline constexpr std::string_view kWarningTitle = "警告";

// True when at least one of Text1..Text7 is the empty text. A text of spaces
// is not empty. All seven are read, in order, before the answer is formed.
bool IsAnyFieldEmpty(const Platform& form);

// "第<n>待求点高程<station>=<elevation>".
std::string FormatResultLine(std::int16_t n, double station, double elevation);
// The same line appended to line, which keeps its capacity from one to the next.
void AppendResultLine(std::string& line, std::int16_t n, double station, double elevation);

// One press: warns about empty fields, computes the elevation at Text7's
// station and appends the numbered line to the list. pointCount is the
// window's counter; it numbers the lines and stops at 32767.
void Calculate(CurveType type, Platform& form, std::int16_t& pointCount);

}  // namespace vcurve
