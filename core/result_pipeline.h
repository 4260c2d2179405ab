#pragma once

// How a computed elevation becomes the number on a result line. Shared by
// the window's calculate command and the table program, so that both print
// the same digits for the same inputs.

#include <optional>
#include <string>
#include <string_view>

#include "core/elevation.h"

namespace vcurve {

// The elevation as text with 15 significant digits; empty when the
// computation fails.
std::string ElevationText(CurveType type, CurveSide side, const CurveInputs& in);

// The elevation text read back and rounded to three decimals. The empty
// text of a failed computation reads as 0, which is what the line shows.
double ListedElevation(std::string_view elevationText);

// Both steps without a text in between, for tables of millions of stations:
// the same digits, read back and rounded the same way. nullopt where a line
// would show '=0' for a failed computation, including a 15-digit text that
// rounds past the top of the double range.
std::optional<double> ListedElevationOf(CurveType type, CurveSide side, const CurveInputs& in);

}  // namespace vcurve
