#include "core/numeric_text.h"

#include <gtest/gtest.h>

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
        ReadCase{"5.e3", 5000}, ReadCase{"+.5D1", 5}, ReadCase{"1d", 1}, ReadCase{"1 e 5", 100000},
        ReadCase{"1e0005", 100000},
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

struct ScanCase {
  const char* text;
  std::size_t length;
  bool negative;
  const char* whole;
  const char* fraction;
  std::int64_t exponent;
};

class ScanNumberFinds : public ::testing::TestWithParam<ScanCase> {};

// The parts are what the table program counts exact station steps from.
TEST_P(ScanNumberFinds, ThePartsOfTheNumber) {
  const ScanCase& c = GetParam();
  const NumberSyntax number = ScanNumber(c.text);
  EXPECT_EQ(number.length, c.length);
  EXPECT_EQ(number.negative, c.negative);
  EXPECT_EQ(number.whole, c.whole);
  EXPECT_EQ(number.fraction, c.fraction);
  EXPECT_EQ(number.exponent, c.exponent);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, ScanNumberFinds,
    ::testing::Values(ScanCase{"-012.50e+3x", 10, true, "012", "50", 3},
                      ScanCase{"5.d-2", 5, false, "5", "", -2},
                      ScanCase{"+.5e", 3, false, "", "5", 0}, ScanCase{"1 2", 1, false, "1", "", 0},
                      ScanCase{"7E99999999999999", 16, false, "7", "", 1'000'000'000}));

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
// oracle independent of the library calls the conversions are built on.
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
  for (const char* name :
       {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE.utf8", "German_Germany.1252"}) {
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

}  // namespace
}  // namespace vcurve

namespace vcurve {
namespace {

struct FixedCase {
  double value;
  int places;  // -1: the shortest text
  const char* text;
};
class FixedTextPrints : public ::testing::TestWithParam<FixedCase> {};
TEST_P(FixedTextPrints, ExactBinaryValueOrShortest) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(c.places < 0 ? ShortestFixedText(c.value) : FixedText(c.value, c.places), c.text);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, FixedTextPrints,
    ::testing::Values(FixedCase{2.0005, 3, "2.001"},  // 2.000500000000000078
                      FixedCase{0.125, 2, "0.12"}, FixedCase{0.375, 2, "0.38"},
                      FixedCase{-0.0004, 3, "-0.000"}, FixedCase{1e21, 0, "1000000000000000000000"},
                      FixedCase{0.1, -1, "0.1"}, FixedCase{5030.25, -1, "5030.25"},
                      FixedCase{-0.0, -1, "-0"}, FixedCase{1e-7, -1, "0.0000001"},
                      FixedCase{123456789.125, -1, "123456789.125"},
                      FixedCase{1e15, -1, "1000000000000000"},
                      FixedCase{9007199254740993.0 * 4, -1, "36028797018963968"}));

}  // namespace
}  // namespace vcurve
