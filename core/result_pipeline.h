#pragma once

// How a computed elevation becomes the number on a result line. Shared by
// the window's calculate command and the table program, so that both print
// the same digits for the same inputs.

#include <optional>

#include "core/elevation.h"

namespace vcurve {

// The elevation as its 15-digit text would read back, rounded to three
// decimals. nullopt when the computation fails, or when those 15 digits round
// a finite elevation next to the top of the double range past it
// ("1.79769313486232E+308"): that is an overflow like any other.
std::optional<double> ListedElevation(CurveType type, CurveSide side, const CurveInputs& in);

}  // namespace vcurve
