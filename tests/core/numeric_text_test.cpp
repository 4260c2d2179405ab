#include "core/numeric_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace vcurve {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

struct ReadCase {
  const char* text;
  double expected;
};

class NumberFromTextReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(NumberFromTextReads, LongestNumericPrefix) {
  const auto [text, expected] = GetParam();
  const auto value = NumberFromText(text);
  ASSERT_TRUE(value.has_value()) << text;
  EXPECT_EQ(*value, expected) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, NumberFromTextReads,
    ::testing::Values(
        ReadCase{"", 0}, ReadCase{"   ", 0}, ReadCase{"abc", 0}, ReadCase{"12abc", 12},
        ReadCase{"1 2 3", 123}, ReadCase{"1 25.5", 125.5}, ReadCase{"\t4\n2", 42},
        ReadCase{".5", 0.5}, ReadCase{"-0.5", -0.5}, ReadCase{"+7", 7}, ReadCase{"3.5E2", 350},
        ReadCase{"1,25", 1}, ReadCase{"12.5m", 12.5}, ReadCase{"K1+250", 0}, ReadCase{"1.2.3", 1.2},
        ReadCase{"048.50", 48.5}, ReadCase{"- 4", -4},
        // Exponents: all four markers, and a marker without digits is not part of the number.
        ReadCase{"2e3", 2000}, ReadCase{"2D3", 2000}, ReadCase{"2d-1", 0.2}, ReadCase{"2E+02", 200},
        ReadCase{"1e5x", 100000}, ReadCase{"1e", 1}, ReadCase{"1e+", 1}, ReadCase{"1E-", 1},
        ReadCase{"1 e 5", 100000}, ReadCase{"1e0005", 100000},
        // Nothing numeric to read.
        ReadCase{"-", 0}, ReadCase{".", 0}, ReadCase{"+.", 0}, ReadCase{"e5", 0},
        ReadCase{"-.e1", 0},
        // Only space, tab and line feed are blanks: a carriage return or a
        // full-width digit ends the number.
        ReadCase{"1\r2", 1}, ReadCase{"\xEF\xBC\x91", 0},
        ReadCase{"5\xE3\x80\x80"
                 "0",
                 5},
        // The edges of the double range; underflow is zero, not a failure.
        ReadCase{"1E-400", 0}, ReadCase{"2E-324", 0}, ReadCase{"1.7976931348623157E308", kMax},
        ReadCase{"4.9406564584124654E-324", kTiny}, ReadCase{"2.5E-324", kTiny},
        ReadCase{"0e999999999999999999999", 0},
        // Correct rounding, ties to even.
        ReadCase{"0.1", 0.1}, ReadCase{"9007199254740993", 9007199254740992.0},
        ReadCase{"9007199254740993.0000000001", 9007199254740994.0}));

TEST(NumberFromText, NegativeZeroKeepsItsSign) {
  EXPECT_TRUE(std::signbit(*NumberFromText("-0")));
  EXPECT_TRUE(std::signbit(*NumberFromText("-1E-400")));
}

TEST(NumberFromText, OverflowIsAFailureCallersSee) {
  for (const char* text : {"1E400", "-1E400", "1.7976931348623159E308", "1 E 4 0 0",
                           "1e99999999999999999999", "1E400abc", "1D309"}) {
    EXPECT_FALSE(NumberFromText(text).has_value()) << text;
  }
}

TEST(NumberFromText, LongDigitStringsKeepTheirScale) {
  const std::string manyZeros(500, '0');
  EXPECT_EQ(*NumberFromText("0." + manyZeros + "1e511"), 1e10);
  EXPECT_EQ(*NumberFromText("1" + manyZeros + "e-490"), 1e10);
  EXPECT_EQ(*NumberFromText("1" + std::string(300, '0')), 1e300);
  EXPECT_FALSE(NumberFromText("1" + std::string(400, '0')).has_value());
  EXPECT_EQ(*NumberFromText(std::string(2000, '9') + "e-2000"), 1.0);
}

struct PrintCase {
  double value;
  const char* expected;
};

class TextFromNumberPrints : public ::testing::TestWithParam<PrintCase> {};

TEST_P(TextFromNumberPrints, FifteenSignificantDigits) {
  EXPECT_EQ(TextFromNumber(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(GeneralFormat, TextFromNumberPrints,
                         ::testing::Values(PrintCase{125.0, "125"}, PrintCase{101.5, "101.5"},
                                           PrintCase{0.25, "0.25"}, PrintCase{-3, "-3"},
                                           PrintCase{1.0 / 3, "0.333333333333333"},
                                           PrintCase{0.1 + 0.2, "0.3"}, PrintCase{99.15, "99.15"},
                                           PrintCase{123456789012345.0, "123456789012345"},
                                           PrintCase{999999999999999.9, "1E+15"},
                                           PrintCase{1e15, "1E+15"}, PrintCase{1.5e-5, "1.5E-05"},
                                           PrintCase{0.0001, "0.0001"}, PrintCase{0.00001, "1E-05"},
                                           PrintCase{-2.5e100, "-2.5E+100"},
                                           PrintCase{kMax, "1.79769313486232E+308"},
                                           PrintCase{kTiny, "4.94065645841247E-324"},
                                           PrintCase{0.0, "0"}, PrintCase{-0.0, "0"}));

struct RoundCase {
  double value;
  int places;
  double expected;
};

class RoundToPlacesRounds : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToPlacesRounds, NearestMultipleTiesToEven) {
  const auto [value, places, expected] = GetParam();
  const double rounded = RoundToPlaces(value, places);
  EXPECT_EQ(rounded, expected) << value;
  EXPECT_EQ(std::signbit(rounded), std::signbit(expected)) << value;
}

INSTANTIATE_TEST_SUITE_P(
    Halves, RoundToPlacesRounds,
    ::testing::Values(
        // Exact binary halves at the third decimal go to the even neighbour.
        RoundCase{1.0625, 3, 1.062}, RoundCase{1.1875, 3, 1.188}, RoundCase{-1.0625, 3, -1.062},
        // Decimal halves that are not binary halves go where the double lies.
        RoundCase{1.0005, 3, 1.0}, RoundCase{0.0005, 3, 0.001}, RoundCase{98.76549, 3, 98.765},
        RoundCase{99.15, 3, 99.15}, RoundCase{101.2, 3, 101.2}, RoundCase{0.0004, 3, 0.0},
        RoundCase{-0.0004, 3, -0.0}, RoundCase{2.5, 0, 2.0}, RoundCase{3.5, 0, 4.0},
        RoundCase{0.125, 2, 0.12}, RoundCase{0.375, 2, 0.38},
        // Beyond 2^53 thousandths, and more places than the fast path takes.
        RoundCase{9007199254741.5, 3, 9007199254741.5},
        RoundCase{4503599627370495.5, 0, 4503599627370496.0}, RoundCase{1e300, 3, 1e300},
        RoundCase{1.00005, 4, 1.0001}, RoundCase{1.03125, 4, 1.0312}, RoundCase{1e-300, 3, 0.0},
        RoundCase{kTiny, 3, 0.0}, RoundCase{0.1234567890123456, 15, 0.123456789012346}));

// printf in the C locale rounds the exact binary value, ties to even: an
// independent oracle for both the fast and the exact path.
double oracleRound(double x, int places) {
  char buffer[1600];
  std::snprintf(buffer, sizeof buffer, "%.*f", places, x);
  return std::strtod(buffer, nullptr);
}

std::string oracleText(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", x);
  return std::strcmp(buffer, "-0") == 0 ? "0" : buffer;
}

double oracleFifteenDigits(double x) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", x);
  return std::strtod(buffer, nullptr);
}

// Random bit patterns reach every exponent; values like field entries are
// where ties and near-ties matter in practice.
std::vector<double> sampleDoubles(std::size_t count) {
  std::mt19937_64 random(20261208);
  std::vector<double> values;
  std::uniform_real_distribution<double> engineering(-10000.0, 10000.0);
  std::uniform_int_distribution<long long> thousandths(-100000000, 100000000);
  while (values.size() < count) {
    double bits;
    const std::uint64_t pattern = random();
    std::memcpy(&bits, &pattern, sizeof bits);
    if (std::isfinite(bits)) values.push_back(bits);
    values.push_back(engineering(random));
    values.push_back(static_cast<double>(thousandths(random)) / 1000.0);
    values.push_back(static_cast<double>(thousandths(random)) / 2048.0);
  }
  return values;
}

TEST(NumericProperties, AgreeWithThePrintfOracle) {
  for (const double x : sampleDoubles(40000)) {
    ASSERT_EQ(TextFromNumber(x), oracleText(x)) << x;
    for (const int places : {0, 3, 6}) {
      const double rounded = RoundToPlaces(x, places);
      const double expected = oracleRound(x, places);
      ASSERT_TRUE(rounded == expected || (std::isnan(rounded) && std::isnan(expected)))
          << x << " places " << places;
    }
  }
}

TEST(NumericProperties, PrintedTextReadsBackAsFifteenDigitValue) {
  for (const double x : sampleDoubles(40000)) {
    const auto back = NumberFromText(TextFromNumber(x));
    const double expected = oracleFifteenDigits(x);
    if (std::isinf(expected)) {
      // Rounding up to 15 digits can leave the range at its very top.
      ASSERT_FALSE(back.has_value()) << x;
    } else {
      ASSERT_TRUE(back.has_value()) << x;
      ASSERT_EQ(*back, expected) << x;
    }
  }
}

// Users whose locale writes "," for the decimal point get the same numbers.
TEST(NumericProperties, IgnoreTheProcessLocale) {
  const char* installed = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE.utf8"}) {
    if ((installed = std::setlocale(LC_ALL, name)) != nullptr) break;
  }
  if (installed == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(*NumberFromText("98.765"), 98.765);
  EXPECT_EQ(*NumberFromText("1,5"), 1.0);
  EXPECT_EQ(TextFromNumber(99.15), "99.15");
  EXPECT_EQ(TextFromNumber(1.5e-5), "1.5E-05");
  EXPECT_EQ(RoundToPlaces(1.1875, 3), 1.188);
  EXPECT_EQ(RoundToPlaces(1.00005, 4), 1.0001);
  std::setlocale(LC_ALL, "C");
}

// The shortcuts for common values (plain decimals read by one division,
// fifteen digits and thousandths printed with integer arithmetic) must be
// invisible: the same bits and the same text as the general route. The
// samples crowd where a shortcut could slip: exact halves at the fifteenth
// digit, doubles one ulp either side of a thousandth, the edges of the
// shortcuts' ranges, and digit strings just inside and beyond 2^53.

std::vector<double> valuesNearTheShortcuts(std::size_t count) {
  std::mt19937_64 random(7031);
  std::uniform_real_distribution<double> decade(-5.0, 15.0);
  std::uniform_int_distribution<long long> thousandths(1, 999'999'999'999'999);
  std::uniform_int_distribution<int> bits(1, 12);
  std::vector<double> values = {1e-4,
                                std::nextafter(1e-4, 0.0),
                                1e14,
                                std::nextafter(1e14, 0.0),
                                0.001,
                                std::nextafter(0.001, 0.0),
                                1e12,
                                std::nextafter(1e12, 0.0),
                                0.5,
                                99999999999999.95,
                                0.00099999999999999995};
  double ulpsAway = 0;
  while (values.size() < count) {
    const double logUniform = std::pow(10.0, decade(random));
    values.push_back(logUniform);
    // Whole thousandths of every size up to 10^12.
    const auto below = static_cast<long long>(std::pow(10.0, 1 + thousandths(random) % 15));
    const double thousandth = static_cast<double>(thousandths(random) % below) / 1000;
    values.push_back(thousandth);
    values.push_back(std::nextafter(thousandth, 0.0));
    values.push_back(std::nextafter(thousandth, 1e300));
    // A few ulps away is still close, but may show in fifteen digits.
    std::uint64_t pattern;
    std::memcpy(&pattern, &thousandth, sizeof pattern);
    pattern += 1 + random() % 64;
    std::memcpy(&ulpsAway, &pattern, sizeof pattern);
    values.push_back(ulpsAway);
    // An odd number of 2^-j with sixteen significant digits is an exact half
    // at the fifteenth: the even neighbour must win.
    const int j = bits(random);
    const auto scale = static_cast<double>(1LL << j);
    const auto whole =
        static_cast<double>(thousandths(random) % static_cast<long long>(std::pow(10.0, 16 - j)));
    values.push_back(whole +
                     static_cast<double>(2 * (thousandths(random) % (1LL << (j - 1))) + 1) / scale);
  }
  return values;
}

TEST(NumericShortcuts, PrintLikeThePrintfOracle) {
  for (const double x : valuesNearTheShortcuts(200000)) {
    ASSERT_EQ(TextFromNumber(x), oracleText(x)) << std::hexfloat << x;
    ASSERT_EQ(TextFromNumber(-x), oracleText(-x)) << std::hexfloat << x;
  }
}

// The correctly rounded reading of a plain decimal, "" and "0." as 0.
double libraryReading(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  double value = 0;
  std::from_chars(text.data() + (negative ? 1 : 0), text.data() + text.size(), value);
  return negative ? -value : value;
}

// Digits are read eight at a time; any other byte among them must still
// end the number where it stands.
TEST(NumericShortcuts, AnyOtherByteEndsARunOfDigits) {
  // Fifteen digits: short enough for the quick reading.
  const std::string digits = "123456789012345";
  for (int byte = 1; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    if (std::strchr("0123456789. \t\n+-eEdD", c) != nullptr) continue;
    for (std::size_t at = 0; at < digits.size(); ++at) {
      std::string text = digits;
      text[at] = c;
      ASSERT_EQ(NumberFromText(text), libraryReading(digits.substr(0, at)))
          << "byte " << byte << " at " << at;
      ASSERT_EQ(NumberFromText("0." + text), libraryReading("0." + digits.substr(0, at)))
          << "byte " << byte << " at " << at;
    }
  }
}

TEST(NumericShortcuts, ReadLikeTheLibrary) {
  std::mt19937_64 random(1208);
  std::uniform_int_distribution<int> length(1, 21);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int sample = 0; sample < 200000; ++sample) {
    std::string digits;
    const int n = length(random);
    for (int i = 0; i < n; ++i) digits.push_back(static_cast<char>('0' + digit(random)));
    // Sometimes a run of nines just below a power of two's neighbourhood.
    if (sample % 7 == 0) digits = std::to_string((1ULL << 53) + (sample % 5) - 2);
    const auto point = static_cast<std::size_t>(random() % (digits.size() + 1));
    std::string text = digits.substr(0, point) + "." + digits.substr(point);
    if (sample % 3 == 0) text = digits;
    if (sample % 2 == 0) text = "-" + text;

    const double expected = libraryReading(text);
    const auto value = NumberFromText(text);
    ASSERT_TRUE(value.has_value()) << text;
    ASSERT_EQ(*value, expected) << text;
    ASSERT_EQ(std::signbit(*value), std::signbit(expected)) << text;
  }
}

}  // namespace
}  // namespace vcurve
