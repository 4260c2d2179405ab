#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>
#include <version>

// Some standard libraries (the one WebAssembly builds use) have <charconv>
// for integers only. There, the C library's strtod and snprintf, exact in
// the libraries we build with, give the same digits; in musl they also
// ignore the locale. The tests build the fallback on purpose too.
#if defined(__cpp_lib_to_chars) && !defined(VCURVE_NUMBER_TEXT_FALLBACK)
#define VCURVE_FLOAT_CHARCONV 1
#endif
#if !defined(VCURVE_FLOAT_CHARCONV)
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#endif

namespace vcurve {
namespace {

constexpr std::int64_t kExponentCap = 1'000'000'000;
constexpr int kSignificantDigits = 15;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isExponentMarker(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

std::string_view digitsAt(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && isDigit(text[end])) ++end;
  return text.substr(pos, end - pos);
}

// Decimal exponent of the first significant digit: the number lies in
// [10^e, 10^(e+1)). Only for a number with a digit other than 0.
std::int64_t leadingExponent(const NumberSyntax& number) {
  const std::size_t first = number.whole.find_first_not_of('0');
  const auto lead = first != std::string_view::npos
                        ? static_cast<std::int64_t>(number.whole.size() - first) - 1
                        : -static_cast<std::int64_t>(number.fraction.find_first_not_of('0')) - 1;
  return lead + number.exponent;
}

// Reads text in from_chars's grammar; false when it lies beyond the double
// range either way.
bool readDouble(std::string_view text, double& value) {
#if defined(VCURVE_FLOAT_CHARCONV)
  return std::from_chars(text.data(), text.data() + text.size(), value).ec !=
         std::errc::result_out_of_range;
#else
  const std::string terminated(text);
  errno = 0;
  value = std::strtod(terminated.c_str(), nullptr);
  return !(errno == ERANGE && (std::isinf(value) || value == 0.0));
#endif
}

#if !defined(VCURVE_FLOAT_CHARCONV)
std::string printed(const char* format, int precision, double value) {
  std::string text(static_cast<std::size_t>(std::max(precision, 0)) + 330, '\0');
  const int length = std::snprintf(text.data(), text.size(), format, precision, value);
  text.resize(static_cast<std::size_t>(std::max(length, 0)));
  return text;
}

// The shortest significant digits that read back as the value, laid out in
// fixed notation, as to_chars does; past 2^53 every double is a whole number,
// printed whole.
std::string shortestFixedFallback(double value) {
  if (std::fabs(value) >= 9007199254740992.0) return printed("%.*f", 0, value);
  std::string scientific;
  for (int digits = 0; digits < 17; ++digits) {
    scientific = printed("%.*e", digits, value);
    if (std::strtod(scientific.c_str(), nullptr) == value) break;
  }
  const bool negative = scientific.front() == '-';
  const std::size_t marker = scientific.find('e');
  std::string mantissa;
  for (std::size_t i = negative ? 1 : 0; i < marker; ++i) {
    if (scientific[i] != '.') mantissa += scientific[i];
  }
  const long exponent = std::strtol(scientific.c_str() + marker + 1, nullptr, 10);
  const auto count = static_cast<long>(mantissa.size());
  std::string text = negative ? "-" : "";
  if (exponent >= count - 1) {
    text += mantissa;
    text.append(static_cast<std::size_t>(exponent - (count - 1)), '0');
  } else if (exponent >= 0) {
    text += mantissa.substr(0, static_cast<std::size_t>(exponent + 1));
    text += '.';
    text += mantissa.substr(static_cast<std::size_t>(exponent + 1));
  } else {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += mantissa;
  }
  return text;
}
#endif

}  // namespace

NumberSyntax ScanNumber(std::string_view text) {
  NumberSyntax number;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    number.negative = text[pos] == '-';
    ++pos;
  }
  number.whole = digitsAt(text, pos);
  pos += number.whole.size();
  if (pos < text.size() && text[pos] == '.') {
    number.fraction = digitsAt(text, pos + 1);
    pos += 1 + number.fraction.size();
  }
  if (number.whole.empty() && number.fraction.empty()) return {};
  number.length = number.mantissaLength = pos;

  if (pos < text.size() && isExponentMarker(text[pos])) {
    std::size_t at = pos + 1;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::string_view digits = digitsAt(text, at);
    if (!digits.empty()) {
      for (const char c : digits) {
        number.exponent = std::min(number.exponent * 10 + (c - '0'), kExponentCap);
      }
      if (negative) number.exponent = -number.exponent;
      number.length = at + digits.size();
    }
  }
  return number;
}

std::optional<double> NumberFromText(std::string_view text) {
  // Most texts hold no blank; only those pay for a copy without them.
  std::string withoutBlanks;
  if (std::any_of(text.begin(), text.end(), isBlank)) {
    std::copy_if(text.begin(), text.end(), std::back_inserter(withoutBlanks),
                 [](char c) { return !isBlank(c); });
    text = withoutBlanks;
  }
  const NumberSyntax number = ScanNumber(text);
  if (number.length == 0) return 0.0;

  // from_chars reads the same grammar except for a leading '+' and the
  // exponent markers 'D' and 'd'.
  std::string_view digits = text.substr(0, number.length);
  std::string withE;
  if (number.length > number.mantissaLength &&
      (text[number.mantissaLength] == 'D' || text[number.mantissaLength] == 'd')) {
    withE = digits;
    withE[number.mantissaLength] = 'e';
    digits = withE;
  }
  if (digits.front() == '+') digits.remove_prefix(1);

  double value = 0.0;
  if (!readDouble(digits, value)) {
    // Out of range either way; which way is settled by the number's scale.
    if (leadingExponent(number) > 0) return std::nullopt;
    return number.negative ? -0.0 : 0.0;
  }
  return value;
}

std::string TextFromNumber(double value) {
  if (value == 0.0) return "0";  // also for -0.0
    // %.15G in the C locale: to_chars with a precision is specified to match it.
#if !defined(VCURVE_FLOAT_CHARCONV)
  return printed("%.*G", kSignificantDigits, value);
#else
  std::array<char, 32> chars;
  const auto printed = std::to_chars(chars.data(), chars.data() + chars.size(), value,
                                     std::chars_format::general, kSignificantDigits);
  std::replace(chars.data(), printed.ptr, 'e', 'E');
  return std::string(chars.data(), printed.ptr);
#endif
}

std::string TextFromInteger(std::int16_t value) { return std::to_string(value); }

double RoundToPlaces(double x, int places) {
  // From 2^53 up every double is a whole number, and every double is a whole
  // multiple of 2^-1074, so it has at most 1074 decimals: beyond either
  // there is nothing to round.
  constexpr double kWholeNumbersFrom = 9007199254740992.0;  // 2^53
  constexpr int kExactDecimals = 1074;
  if (!std::isfinite(x) || std::fabs(x) >= kWholeNumbersFrom || places >= kExactDecimals) {
    return x;
  }
  // Fixed notation rounds the exact binary value, an exact half to even.
  double rounded = 0.0;
  readDouble(FixedText(x, std::max(places, 0)), rounded);
  return rounded;
}

std::string FixedText(double value, int places) {
  if (!std::isfinite(value)) return {};
  places = std::max(places, 0);
#if defined(VCURVE_FLOAT_CHARCONV)
  // Sign, up to 309 whole digits and the point.
  std::string text(static_cast<std::size_t>(places) + 320, '\0');
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                 std::chars_format::fixed, places);
  text.resize(static_cast<std::size_t>(end.ptr - text.data()));
  return text;
#else
  return printed("%.*f", places, value);
#endif
}

std::string ShortestFixedText(double value) {
  if (!std::isfinite(value)) return {};
#if defined(VCURVE_FLOAT_CHARCONV)
  std::array<char, 400> chars;  // 5E-324 takes 326 characters
  const auto end =
      std::to_chars(chars.data(), chars.data() + chars.size(), value, std::chars_format::fixed);
  return std::string(chars.data(), end.ptr);
#else
  return shortestFixedFallback(value);
#endif
}

}  // namespace vcurve
