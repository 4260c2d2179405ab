#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <bit>
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

// Most texts the program reads are short plain decimals: a station, a field
// entry, an elevation it printed itself. When all the digits together form a
// whole number of at most 2^53 and at most 22 of them follow the point, both
// that number and the power of ten are exact doubles, so one IEEE division
// gives the correctly rounded value, the same one the general reading below
// arrives at. Anything else (blanks, an exponent, trailing text, more digits)
// is left to the general reading.
constexpr std::size_t kMostDigitsWithoutOverflow = 19;
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
constexpr std::size_t kExactPowerOfTen = 22;
constexpr std::array<double, kExactPowerOfTen + 1> kExactPowersOfTen{
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Eight ASCII digits at p as one number, eight at a time in one register;
// false when any of the eight is not a digit. The digit test and the three
// multiply-and-add steps assume the first character in the lowest byte.
[[gnu::always_inline]] inline bool readEightDigits(const char* p, std::uint64_t& value) {
  if constexpr (std::endian::native != std::endian::little) return false;
  std::uint64_t chunk = 0;
  std::memcpy(&chunk, p, sizeof chunk);
  constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
  if (((chunk & kHighNibbles) | (((chunk + 0x0606060606060606) & kHighNibbles) >> 4)) !=
      0x3333333333333333) {
    return false;
  }
  chunk -= 0x3030303030303030;
  chunk = (chunk * 10) + (chunk >> 8);  // pairs of digits in every other byte
  constexpr std::uint64_t kPairMask = 0x000000FF000000FF;
  value = (((chunk & kPairMask) * (100 + (std::uint64_t{1000000} << 32))) +
           (((chunk >> 16) & kPairMask) * (1 + (std::uint64_t{10000} << 32)))) >>
          32;
  return true;
}

// Appends the run of digits at p to digits; returns where the run ends.
[[gnu::always_inline]] inline const char* readDigits(const char* p, const char* end,
                                                     std::uint64_t& digits) {
  for (std::uint64_t eight = 0; end - p >= 8 && readEightDigits(p, eight); p += 8) {
    digits = digits * 100'000'000 + eight;
  }
  while (p != end && static_cast<unsigned char>(*p - '0') < 10) {
    digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    ++p;
  }
  return p;
}

bool readShortDecimal(std::string_view text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  std::uint64_t digits = 0;  // wraps past 19 digits; those are refused below
  const char* const wholeStart = p;
  p = readDigits(p, end, digits);
  const auto wholeDigits = static_cast<std::size_t>(p - wholeStart);
  std::size_t decimals = 0;
  if (p != end && *p == '.') {
    const char* const decimalStart = ++p;
    p = readDigits(p, end, digits);
    decimals = static_cast<std::size_t>(p - decimalStart);
  }
  if (p != end || wholeDigits + decimals == 0 ||
      wholeDigits + decimals > kMostDigitsWithoutOverflow || decimals > kExactPowerOfTen ||
      digits > kLargestExactInteger) {
    return false;
  }
  value = static_cast<double>(digits) / kExactPowersOfTen[decimals];
  if (negative) value = -value;
  return true;
}

}  // namespace

std::optional<double> NumberFromText(std::string_view text) {
  if (double value = 0; readShortDecimal(text, value)) return value;
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

namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr int kSignificantDigits = 15;
constexpr std::uint64_t kSmallestFifteenDigits = 100'000'000'000'000;  // 10^14
constexpr std::uint64_t kPastFifteenDigits = 1'000'000'000'000'000;    // 10^15

constexpr std::array<std::uint64_t, 20> kPowersOfFive = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& p : powers) {
    p = power;
    power *= 5;
  }
  return powers;
}();

constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The fifteen significant digits of |value| and the decimal exponent of the
// first, as %.15G rounds them: from the exact binary value, an exact half to
// the even neighbour. |value| = f * 2^e, so |value| * 10^k = f * 5^k * 2^(e+k)
// is a 128-bit integer shifted by e+k bits, and the bits shifted out decide
// the rounding exactly. Valid for 1E-04 <= |value| < 1E+14, where k stays
// within 0..19 and the result prints without an exponent.
struct FifteenDigits {
  std::uint64_t digits;  // 10^14 <= digits < 10^15
  int exponent;          // -4 <= exponent <= 14
};

FifteenDigits fifteenDigits(double magnitude) {
  // Only normal numbers get here: the hidden bit is set.
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const std::uint64_t f = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int binaryExponent = static_cast<int>(bits >> 52) - 1022;
  const int e = binaryExponent - 53;

  // floor(log10(2^(binaryExponent-1))): the decimal exponent or one below it.
  int exponent = ((binaryExponent - 1) * 78913) >> 18;
  for (;;) {
    const int k = kSignificantDigits - 1 - exponent;
    const Uint128 scaled = Uint128{f} * kPowersOfFive[static_cast<std::size_t>(k)];
    const int shift = e + k;
    if (shift >= 0) {
      const auto whole = static_cast<std::uint64_t>(scaled << shift);
      if (whole >= kPastFifteenDigits) {
        ++exponent;
        continue;
      }
      return {whole, exponent};
    }
    const auto whole = static_cast<std::uint64_t>(scaled >> -shift);
    if (whole >= kPastFifteenDigits) {
      ++exponent;
      continue;
    }
    if (whole < kSmallestFifteenDigits) {
      --exponent;
      continue;
    }
    const Uint128 remainder = scaled & ((Uint128{1} << -shift) - 1);
    const Uint128 half = Uint128{1} << (-shift - 1);
    std::uint64_t rounded = whole;
    if (remainder > half || (remainder == half && (whole & 1U) != 0)) ++rounded;
    if (rounded == kPastFifteenDigits) return {kSmallestFifteenDigits, exponent + 1};
    return {rounded, exponent};
  }
}

// Writes the decimal digits of n to end just before `end`; returns where
// they begin.
char* digitsEndingAt(char* end, std::uint64_t n) {
  while (n >= 100) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[(n % 100) * 2], 2);
    n /= 100;
  }
  if (n >= 10) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[n * 2], 2);
  } else {
    *--end = static_cast<char>('0' + n);
  }
  return end;
}

// Rounded elevations and most stations are the doubles nearest to a whole
// number of thousandths m, below 10^15. Such a decimal has at most fifteen
// significant digits, and the double is within half an ulp of it, far closer
// than half a unit of the fifteenth digit, so %.15G prints exactly that
// decimal.
//
// Whether the value is such a double is settled in integers: with
// |value| = f / 2^s, m is 1000·f / 2^s rounded, and 1000·f − m·2^s is how far
// m/1000 lies from the value, in units of 2^-s / 1000. The value is the
// double nearest to m/1000 when that is under half an ulp (500 units), or
// exactly half with an even f, as IEEE rounding breaks ties. Below a power of
// two the next double is only half an ulp away, so there the bound is 250.
std::string_view printThousandths(double value, std::array<char, 32>& out) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 0.001 && magnitude < 1e12)) return {};
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const std::uint64_t f = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int s = 1075 - static_cast<int>(bits >> 52);  // 13 <= s <= 62 in this range
  const std::uint64_t scaled = f * 1000;              // < 2^63
  const std::uint64_t thousandths = (scaled + (std::uint64_t{1} << (s - 1))) >> s;
  const auto offset = static_cast<std::int64_t>(scaled - (thousandths << s));
  const bool powerOfTwo = f == std::uint64_t{1} << 52;
  const std::int64_t bound = offset > 0 && powerOfTwo ? 250 : 500;
  const std::int64_t distance = offset < 0 ? -offset : offset;
  if (distance > bound || (distance == bound && (f & 1U) != 0)) return {};

  // The whole metres end at a fixed place; the point and the decimals
  // without their trailing zeros follow it.
  char* const point = out.data() + 20;
  char* end = point;
  if (const auto decimals = static_cast<unsigned>(thousandths % 1000); decimals != 0) {
    point[0] = '.';
    point[1] = static_cast<char>('0' + decimals / 100);
    std::memcpy(point + 2, &kDigitPairs[(decimals % 100) * 2], 2);
    end = point + 4;
    while (end[-1] == '0') --end;
  }
  char* begin = digitsEndingAt(point, thousandths / 1000);
  if (value < 0) *--begin = '-';
  return {begin, static_cast<std::size_t>(end - begin)};
}

// Plain-decimal text of a value the exact route above can take; empty for
// the rest, which the library prints.
std::string_view printPlainFifteenDigits(double value, std::array<char, 32>& out) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-4 && magnitude < 1e14)) return {};
  const FifteenDigits d = fifteenDigits(magnitude);

  std::array<char, kSignificantDigits> digits;
  // Two halves in 32-bit arithmetic, two digits at a time.
  auto high = static_cast<std::uint32_t>(d.digits / 100'000'000);  // 7 digits
  auto low = static_cast<std::uint32_t>(d.digits % 100'000'000);   // 8 digits
  for (std::size_t i = digits.size(); i > 7; i -= 2) {
    std::memcpy(&digits[i - 2], &kDigitPairs[(low % 100) * 2], 2);
    low /= 100;
  }
  for (std::size_t i = 7; i > 1; i -= 2) {
    std::memcpy(&digits[i - 2], &kDigitPairs[(high % 100) * 2], 2);
    high /= 100;
  }
  digits[0] = static_cast<char>('0' + high);
  std::size_t kept = digits.size();
  while (digits[kept - 1] == '0') --kept;

  std::size_t n = 0;
  if (value < 0) out[n++] = '-';
  if (d.exponent >= 0) {
    const auto before = static_cast<std::size_t>(d.exponent) + 1;
    for (std::size_t i = 0; i < before; ++i) out[n++] = digits[i];
    if (kept > before) {
      out[n++] = '.';
      for (std::size_t i = before; i < kept; ++i) out[n++] = digits[i];
    }
  } else {
    out[n++] = '0';
    out[n++] = '.';
    for (int i = -1; i > d.exponent; --i) out[n++] = '0';
    for (std::size_t i = 0; i < kept; ++i) out[n++] = digits[i];
  }
  return {out.data(), n};
}

}  // namespace

NumberText WriteNumberText(double value) {
  NumberText text;
  std::string_view plain;
  if (value == 0.0) {
    plain = "0";  // also for -0.0
  } else {
    plain = printThousandths(value, text.chars);
    if (plain.empty()) plain = printPlainFifteenDigits(value, text.chars);
  }
  if (!plain.empty()) {
    std::memmove(text.chars.data(), plain.data(), plain.size());
    text.size = plain.size();
    return text;
  }
  // %.15G in the C locale: to_chars with a precision is specified to match it.
  const auto result = std::to_chars(text.chars.data(), text.chars.data() + text.chars.size(), value,
                                    std::chars_format::general, 15);
  text.size = static_cast<std::size_t>(result.ptr - text.chars.data());
  std::replace(text.chars.data(), result.ptr, 'e', 'E');
  return text;
}

std::string TextFromNumber(double value) { return std::string(WriteNumberText(value).view()); }

std::string TextFromInteger(std::int16_t value) { return std::to_string(value); }

namespace {

constexpr std::array<std::uint64_t, 4> kSmallPowersOfTen{1, 10, 100, 1000};

// Integer arithmetic on the double's exact significand. Valid while the
// scaled significand fits 64 bits (places <= 3) and the rounded multiple
// stays below 2^53, where it converts to double exactly and one IEEE
// division gives the nearest double to the decimal.
std::optional<double> roundSmallPlaces(double x, int places) {
  const auto bits = std::bit_cast<std::uint64_t>(std::fabs(x));
  const auto biasedExponent = static_cast<int>(bits >> 52);
  // A subnormal is far below half of 10^-places.
  if (biasedExponent == 0) return std::copysign(0.0, x);
  const std::uint64_t significand =
      (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1075 - biasedExponent;  // |x| = significand / 2^shift
  if (shift <= 0) return x;                 // an integer: already a multiple

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
