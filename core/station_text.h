#pragma once

// The texts accepted for numbers and stations outside the window (the table
// program, profile files), and the chainage notation they print. Every
// accepted text is turned into the text a window field would hold for the
// same value, so that the core reads it exactly as it reads a field.

#include <optional>
#include <string>
#include <string_view>

namespace vcurve {

// True when the whole text is one number as a field would read it:
// [+|-]digits[.digits][(E|e|D|d)[+|-]digits], with no blanks and nothing
// after it. The window reads '12abc' as 12; a command line must not.
bool isPlainNumber(std::string_view text);

// The field text of a station written in metres ("5030.25", returned as it
// is) or in chainage notation ("K5+030.25", "k0+000", "-K0+020": kilometres,
// '+', three digits of metres, optional decimals), which becomes "5030.25".
// Joining the digits instead of adding 1000·km keeps the value exactly the
// one the user would type into the window. nullopt for anything else.
std::optional<std::string> stationFieldText(std::string_view text);

// "K5+010.250": the station rounded to the millimetre, as a double rounds
// (the exact binary value, an exact half to even); "-K0+020.000" below zero.
// Empty for an infinite or NaN station, which has no place on a road.
std::string chainageText(double station);

}  // namespace vcurve
