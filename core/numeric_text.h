#pragma once

// The four conversions between field texts and numbers. Every number the
// program uses is read back from a field's text each time it is needed, and
// every number it shows is turned back into text, so these decide the last
// printed digit of every result line. None of them depends on the process
// locale: "." is always the decimal point.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vcurve {

// Where a number's text lies at the start of a text, in the one grammar that
// every reader of numbers here shares: [+|-]digits[.digits][(E|e|D|d)[+|-]digits]
// with at least one digit before the exponent. An exponent marker belongs to
// the number only when a digit follows it ("1e" is the number "1"). Blanks
// are not skipped: they end the number.
struct NumberSyntax {
  std::size_t length = 0;          // 0 when the text does not begin with a number
  std::size_t mantissaLength = 0;  // the number without its exponent
  bool negative = false;
  std::string_view whole;     // the digits before the point
  std::string_view fraction;  // the digits after it
  std::int64_t exponent = 0;  // as written; capped at ±10^9, far beyond any double
};
NumberSyntax ScanNumber(std::string_view text);

// Reads the numeric prefix of a text: spaces, tabs and line feeds are removed
// wherever they stand, then the longest prefix ScanNumber finds is read,
// correctly rounded. Text that does not begin with a number reads as 0. The
// only failure is a magnitude beyond the double range ("1E400"), returned as
// nullopt; a number too small for a double ("1E-400") reads as 0.
std::optional<double> NumberFromText(std::string_view text);

// General-format text of a double rounded to 15 significant digits: plain
// decimals from 1E-04 up to below 1E+15, exponent form ("1E+15", "1.5E-05")
// outside. Negative zero prints as "0": a result line never shows "-0".
std::string TextFromNumber(double value);

// Plain decimal text of the point counter.
std::string TextFromInteger(std::int16_t value);

// Rounds to the nearest multiple of 10^-places, judged from the exact binary
// value of x; an exact half goes to the even neighbour. The result is the
// double nearest to that decimal. Non-finite values come back unchanged.
double RoundToPlaces(double x, int places);

// Fixed notation of a finite double: rounded to `places` decimals from its
// exact binary value, an exact half to even ("-0.000" as it comes); and the
// shortest such text that reads back as the same double ("0.1", "5030.25").
// Every number text with a fixed count of decimals is made here, so that a
// standard library without floating-point <charconv> needs one fallback.
std::string FixedText(double value, int places);
std::string ShortestFixedText(double value);

}  // namespace vcurve
