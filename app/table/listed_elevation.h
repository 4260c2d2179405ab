#pragma once

// The elevation a result line lists for one station, by the same steps as a
// press of the window's calculate button.

#include <optional>

#include "core/elevation.h"

namespace vcurve::table {

// nullopt where the window would list '=0' for a computation that failed:
// an overflow or invalid step, or a fifteen-digit text past the double range.
// A table must not pass that 0 off as an elevation.
std::optional<double> listedElevationAt(CurveType type, CurveInputs curve, double station);

}  // namespace vcurve::table
