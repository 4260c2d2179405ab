#pragma once

// The four conversions between field texts and numbers. Every number the
// program uses is read back from a field's text each time it is needed, and
// every number it shows is turned back into text, so these decide the last
// printed digit of every result line. None of them depends on the process
// locale: "." is always the decimal point.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vcurve {

// Reads the numeric prefix of a text: spaces, tabs and line feeds are removed
// wherever they stand, then the longest prefix of the form
// [+|-]digits[.digits][(E|e|D|d)[+|-]digits] is read, correctly rounded.
// Text that does not begin with a number reads as 0. The only failure is a
// magnitude beyond the double range ("1E400"), returned as nullopt; a number
// too small for a double ("1E-400") reads as 0.
std::optional<double> NumberFromText(std::string_view text);

// General-format text of a double rounded to 15 significant digits: plain
// decimals from 1E-04 up to below 1E+15, exponent form ("1E+15", "1.5E-05")
// outside. Negative zero prints as "0": a result line never shows "-0".
std::string TextFromNumber(double value);

// The same characters without a heap allocation, for callers that print
// millions of numbers. 32 characters hold every double's text.
struct NumberText {
  std::array<char, 32> chars;
  std::size_t size = 0;
  std::string_view view() const { return {chars.data(), size}; }
};
NumberText WriteNumberText(double value);

// Plain decimal text of the point counter.
std::string TextFromInteger(std::int16_t value);

// Rounds to the nearest multiple of 10^-places, judged from the exact binary
// value of x; an exact half goes to the even neighbour. The result is the
// double nearest to that decimal. Non-finite values come back unchanged.
double RoundToPlaces(double x, int places);

}  // namespace vcurve
