#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

namespace vcurve {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text as if its blanks had been removed beforehand, without copying it.
class BlankSkippingCursor {
 public:
  explicit BlankSkippingCursor(std::string_view text) : text_(text) { skipBlanks(); }

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }
  void advance() {
    ++pos_;
    skipBlanks();
  }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t pos) { pos_ = pos; }

 private:
  void skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Beyond these decimal exponents the outcome is certain (the double range
// spans about 1E-324 to 1.8E+308); inside them the library's correctly
// rounded conversion decides.
constexpr std::int64_t kSureOverflowExponent = 400;
constexpr std::int64_t kSureUnderflowExponent = -400;
constexpr std::int64_t kExponentCap = 1'000'000'000;

}  // namespace

std::optional<double> NumberFromText(std::string_view text) {
  BlankSkippingCursor in(text);

  bool negative = false;
  if (in.peek() == '+' || in.peek() == '-') {
    negative = in.peek() == '-';
    in.advance();
  }

  // Significant digits only: leading zeros are dropped and the decimal
  // exponent of the first kept digit is tracked separately, so the text
  // handed to from_chars stays small whatever the input looks like.
  std::string significant;
  std::int64_t digitsBeforePoint = 0;  // counts from the first significant digit
  std::int64_t zerosAfterPoint = 0;  // leading zeros after the point, before any significant digit
  bool sawDigit = false;
  while (isDigit(in.peek())) {
    sawDigit = true;
    if (!significant.empty() || in.peek() != '0') {
      significant.push_back(in.peek());
      ++digitsBeforePoint;
    }
    in.advance();
  }
  if (in.peek() == '.') {
    in.advance();
    while (isDigit(in.peek())) {
      sawDigit = true;
      if (significant.empty() && in.peek() == '0') {
        ++zerosAfterPoint;
      } else {
        significant.push_back(in.peek());
      }
      in.advance();
    }
  }
  if (!sawDigit) return 0.0;

  // An exponent marker belongs to the number only when at least one digit
  // follows it: "1e" and "1e+" read as 1.
  std::int64_t exponent = 0;
  if (const char c = in.peek(); c == 'E' || c == 'e' || c == 'D' || c == 'd') {
    const std::size_t markerPos = in.position();
    in.advance();
    bool negativeExponent = false;
    if (in.peek() == '+' || in.peek() == '-') {
      negativeExponent = in.peek() == '-';
      in.advance();
    }
    if (isDigit(in.peek())) {
      while (isDigit(in.peek())) {
        exponent = std::min(exponent * 10 + (in.peek() - '0'), kExponentCap);
        in.advance();
      }
      if (negativeExponent) exponent = -exponent;
    } else {
      in.rewind(markerPos);
    }
  }

  const double zero = negative ? -0.0 : 0.0;
  while (!significant.empty() && significant.back() == '0') significant.pop_back();
  if (significant.empty()) return zero;

  // Decimal exponent of the first significant digit: the number lies in
  // [10^scientific, 10^(scientific+1)).
  const std::int64_t scientific =
      digitsBeforePoint > 0 ? exponent + digitsBeforePoint - 1 : exponent - zerosAfterPoint - 1;
  if (scientific > kSureOverflowExponent) return std::nullopt;
  if (scientific < kSureUnderflowExponent) return zero;

  // "d.ddddE<scientific>" — small, and in the one syntax from_chars reads.
  significant.insert(1, 1, '.');
  significant.push_back('e');
  significant += std::to_string(scientific);

  double value = 0.0;
  const auto [end, error] =
      std::from_chars(significant.data(), significant.data() + significant.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    if (scientific >= 0) return std::nullopt;
    return zero;
  }
  return negative ? -value : value;
}

std::string TextFromNumber(double value) {
  if (value == 0.0) return "0";  // also for -0.0
  // %.15G in the C locale: to_chars with a precision is specified to match it.
  std::array<char, 40> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  std::string text(buffer.data(), result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

std::string TextFromInteger(std::int16_t value) { return std::to_string(value); }

namespace {

constexpr std::array<std::uint64_t, 4> kSmallPowersOfTen{1, 10, 100, 1000};

// Integer arithmetic on the double's exact significand. Valid while the
// scaled significand fits 64 bits (places <= 3) and the rounded multiple
// stays below 2^53, where it converts to double exactly and one IEEE
// division gives the nearest double to the decimal.
std::optional<double> roundSmallPlaces(double x, int places) {
  int binaryExponent = 0;
  const double fraction = std::frexp(std::fabs(x), &binaryExponent);
  const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = 53 - binaryExponent;  // |x| = significand / 2^shift
  if (shift <= 0) return x;               // an integer: already a multiple

  const std::uint64_t scale = kSmallPowersOfTen[static_cast<std::size_t>(places)];
  const std::uint64_t scaled = significand * scale;  // < 2^63
  if (shift >= 64) return std::copysign(0.0, x);     // |x| * scale < 0.5

  std::uint64_t quotient = scaled >> shift;
  const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (remainder > half || (remainder == half && (quotient & 1U) != 0)) ++quotient;
  if (quotient > (std::uint64_t{1} << 53)) return std::nullopt;
  return std::copysign(static_cast<double>(quotient) / static_cast<double>(scale), x);
}

// Any number of places, from the exact decimal expansion of the double.
double roundFromExactDigits(double x, int places) {
  // Every double is a multiple of 2^-1074, so 1074 decimals are exact.
  constexpr int kExactDecimals = 1074;
  if (places >= kExactDecimals) return x;
  std::array<char, 1500> digits{};
  const auto printed = std::to_chars(digits.data(), digits.data() + digits.size(), std::fabs(x),
                                     std::chars_format::fixed, kExactDecimals);
  const std::string_view exact(digits.data(),
                               static_cast<std::size_t>(printed.ptr - digits.data()));
  const std::size_t point = exact.find('.');

  std::string kept(exact.substr(0, point + 1 + static_cast<std::size_t>(places)));
  const char next = exact[point + 1 + static_cast<std::size_t>(places)];
  const bool beyondHalf =
      exact.find_first_not_of('0', point + 2 + static_cast<std::size_t>(places)) !=
      std::string_view::npos;
  const char last = kept.back() == '.' ? kept[kept.size() - 2] : kept.back();
  const bool roundUp = next > '5' || (next == '5' && (beyondHalf || ((last - '0') % 2) != 0));
  if (roundUp) {
    std::size_t i = kept.size();
    while (i > 0) {
      --i;
      if (kept[i] == '.') continue;
      if (kept[i] != '9') {
        ++kept[i];
        break;
      }
      kept[i] = '0';
      if (i == 0) kept.insert(kept.begin(), '1');
    }
  }
  double value = 0.0;
  std::from_chars(kept.data(), kept.data() + kept.size(), value);
  return std::copysign(value, x);
}

}  // namespace

double RoundToPlaces(double x, int places) {
  if (!std::isfinite(x) || x == 0.0) return x;
  if (places < 0) places = 0;
  if (places < static_cast<int>(kSmallPowersOfTen.size())) {
    if (const auto fast = roundSmallPlaces(x, places)) return *fast;
  }
  return roundFromExactDigits(x, places);
}

}  // namespace vcurve
