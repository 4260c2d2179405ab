// Per-call costs of the conversions and the formula that every result line
// goes through, and of one whole press of the calculate button.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/elevation.h"
#include "core/numeric_text.h"
#include "core/result_pipeline.h"
#include "support/recording_platform.h"

namespace vcurve {
namespace {

// Texts and values of the kind a table of one curve produces: stations to
// the centimetre, elevations with up to fifteen digits, rounded elevations.
const std::vector<std::string> kTexts = {
    "5030.25", "99.15", "101.234567891234", "480", "0.001", "1.5E-05", "4960", "100.85"};
const std::vector<double> kElevations = {99.15,   101.234567891234, 98.8,  100.65,
                                         1.0 / 3, 5030.25,          0.001, 1234.5678};

void BM_NumberFromText(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumberFromText(kTexts[i++ % kTexts.size()]));
  }
}
BENCHMARK(BM_NumberFromText);

void BM_TextFromNumber(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TextFromNumber(kElevations[i++ % kElevations.size()]));
  }
}
BENCHMARK(BM_TextFromNumber);

void BM_RoundToPlaces(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RoundToPlaces(kElevations[i++ % kElevations.size()], 3));
  }
}
BENCHMARK(BM_RoundToPlaces);

void BM_ComputeElevation(benchmark::State& state) {
  CurveInputs in{500, 40, 800, 100, 3, 2, 480};
  double station = 460;
  for (auto _ : state) {
    in.S = station;
    benchmark::DoNotOptimize(ComputeElevation(CurveType::Convex, SideForStation(in.P, in.S), in));
    station = station >= 540 ? 460 : station + 0.25;
  }
}
BENCHMARK(BM_ComputeElevation);

// Everything one line of the table program costs before it is written.
void BM_ResultLine(benchmark::State& state) {
  CurveInputs in{500, 40, 800, 100, 3, 2, 480};
  double station = 460;
  std::int16_t n = 0;
  for (auto _ : state) {
    in.S = station;
    const auto listed = ListedElevation(CurveType::Convex, SideForStation(in.P, in.S), in);
    benchmark::DoNotOptimize(FormatResultLine(++n, station, listed.value_or(0.0)));
    station = station >= 540 ? 460 : station + 0.25;
    if (n == 32767) n = 0;
  }
}
BENCHMARK(BM_ResultLine);

void BM_Calculate(benchmark::State& state) {
  testing::RecordingPlatform form;
  form.fill({"500", "40", "800", "100", "3", "2", "480"});
  std::int16_t pointCount = 0;
  for (auto _ : state) {
    Calculate(CurveType::Convex, form, pointCount);
    // Keeps the recorder from growing without bound over millions of presses.
    form.lines.clear();
    form.operations.clear();
    pointCount = 0;
  }
}
BENCHMARK(BM_Calculate);

}  // namespace
}  // namespace vcurve
