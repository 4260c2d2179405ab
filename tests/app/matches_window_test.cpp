// The table's lines must be the window's lines: for every station, the line
// Calculate appends when the seven fields hold the same texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "app/table/options.h"
#include "app/table/output_buffer.h"
#include "app/table/stations.h"
#include "app/table/table_writers.h"
#include "core/calculate.h"
#include "core/station_text.h"
#include "decimal_text.h"
#include "support/recording_platform.h"

namespace vcurve::table {
namespace {

struct Curve {
  const char* what;
  std::array<std::string, 6> fields;  // --pvi ... --g2 as typed
  std::string from;                   // a range over the curve, in whole units
  std::string to;
  std::string step;
  std::vector<std::string> at;  // single stations, as typed
};

void PrintTo(const Curve& curve, std::ostream* os) { *os << curve.what; }

std::vector<std::string> writtenLines(CurveType type, const Curve& curve,
                                      const std::vector<std::string>& stationArgs) {
  std::vector<std::string> args = {"--type",      type == CurveType::Convex ? "convex" : "concave",
                                   "--pvi",       curve.fields[0],
                                   "--tangent",   curve.fields[1],
                                   "--radius",    curve.fields[2],
                                   "--elevation", curve.fields[3],
                                   "--g1",        curve.fields[4],
                                   "--g2",        curve.fields[5]};
  args.insert(args.end(), stationArgs.begin(), stationArgs.end());
  const std::vector<std::string_view> views(args.begin(), args.end());
  const TableRequest request = parseCommandLine(views).request;

  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  if (file == nullptr) return {};
  OutputBuffer out(file);
  writeResultLines(request, planStations(request), out, [](std::int64_t, double) {});
  EXPECT_TRUE(out.finish());
  std::rewind(file);
  std::string all;
  char block[1 << 16];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) all.append(block, n);
  std::fclose(file);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < all.size();) {
    const std::size_t end = all.find('\n', start);
    lines.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// What the window lists, press after press, for these station texts.
std::vector<std::string> windowLines(CurveType type, const Curve& curve,
                                     const std::vector<std::string>& stationTexts) {
  testing::RecordingPlatform form;
  for (std::size_t i = 0; i < curve.fields.size(); ++i) {
    form.texts[i] = *stationFieldText(curve.fields[i]);
  }
  std::int16_t pointCount = 0;
  for (const std::string& station : stationTexts) {
    form.text(Field::Text7) = station;
    Calculate(type, form, pointCount);
  }
  return form.lines;
}

// "first + i·step" in the texts a user would type, from whole units.
std::vector<std::string> rangeTexts(const Curve& curve) {
  const auto decimalsOf = [](const std::string& text) {
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  };
  const int scale =
      std::max({decimalsOf(curve.from), decimalsOf(curve.to), decimalsOf(curve.step)});
  const auto units = [&](std::string text) {
    const int pad = scale - decimalsOf(text);
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    return std::stoll(text + std::string(static_cast<std::size_t>(pad), '0'));
  };
  std::vector<std::string> texts;
  for (long long u = units(curve.from); u <= units(curve.to); u += units(curve.step)) {
    texts.push_back(testing::decimalText(u, scale));
  }
  return texts;
}

class MatchesWindow : public ::testing::TestWithParam<std::tuple<Curve, CurveType>> {};

TEST_P(MatchesWindow, RangeOfStations) {
  const auto& [curve, type] = GetParam();
  EXPECT_EQ(
      writtenLines(type, curve, {"--from", curve.from, "--to", curve.to, "--step", curve.step}),
      windowLines(type, curve, rangeTexts(curve)));
}

TEST_P(MatchesWindow, SingleStations) {
  const auto& [curve, type] = GetParam();
  std::vector<std::string> args;
  std::vector<std::string> fields;
  for (const std::string& at : curve.at) {
    args.insert(args.end(), {"--at", at});
    fields.push_back(*stationFieldText(at));
  }
  EXPECT_EQ(writtenLines(type, curve, args), windowLines(type, curve, fields));
}

const Curve kCurves[] = {
    {"worked example",
     {"500", "40", "800", "100", "3", "2"},
     "460",
     "540",
     "0.25",
     {"460", "480", "480.05", "0500.0", "520", "540"}},
    {"awkward digits",
     {"5030.25", "123.456", "3456.7", "101.234", "2.345", "1.234"},
     "4906.794",
     "5153.706",
     "0.617",
     {"4906.794", "K4+987.123", "5030.25", "K5+101.877", "5153.706"}},
    {"chainage PVI, long curve",
     {"K12+345.678", "600", "25000", "1234.5", "2.4", "2.4"},
     "11745.678",
     "12945.678",
     "1.5",
     {"K11+745.678", "K12+000", "12345.678", "K12+945.678"}},
    {"tight curve, steep grades",
     {"0.5", "0.3", "0.7", "-3.25", "12.5", "0"},
     "0.2",
     "0.8",
     "0.001",
     {"0.2", "0.5", "0.6", "0.8"}},
    {"far from the origin",
     {"123456789.123", "1000", "15000", "2500.5", "4", "3.5"},
     "123455789.123",
     "123457789.123",
     "2.5",
     {"123455789.123", "123456789.123", "123457789"}},
};

INSTANTIATE_TEST_SUITE_P(Grid, MatchesWindow,
                         ::testing::Combine(::testing::ValuesIn(kCurves),
                                            ::testing::Values(CurveType::Convex,
                                                              CurveType::Concave)),
                         [](const auto& info) {
                           return testing::testName(std::get<0>(info.param).what) +
                                  (std::get<1>(info.param) == CurveType::Convex ? "_crest"
                                                                                : "_sag");
                         });

// The window stops counting at 32767; the table goes on, and only the number differs.
TEST(MatchesWindow, PastTheWindowsLastNumber) {
  const Curve curve{
      "worked example", {"500", "40", "800", "100", "3", "2"}, "460", "500", "0.001", {}};
  const auto lines = writtenLines(CurveType::Convex, curve,
                                  {"--from", curve.from, "--to", curve.to, "--step", curve.step});
  const auto window = windowLines(CurveType::Convex, curve, rangeTexts(curve));
  ASSERT_EQ(lines.size(), 40001U);
  ASSERT_EQ(window.size(), lines.size());
  EXPECT_EQ(lines[32766], window[32766]);
  EXPECT_EQ(lines[32766].substr(0, 8), "第32767");
  const std::size_t tail = std::string("第32767").size();
  for (const std::size_t i : {32767U, 32768U, 40000U}) {
    EXPECT_EQ(lines[i], "第" + std::to_string(i + 1) + window[i].substr(tail));
  }
}

}  // namespace
}  // namespace vcurve::table
