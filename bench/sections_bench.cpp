// The cross-section engine's goals: the 路基设计表 of 100 km at 20 m (5,001
// rows and the key points) written as CSV in under 50 ms, and the elevation
// at an offset of a random station in under 200 ns.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "profile/profile.h"
#include "profile/stake_table.h"
#include "sections/cross_section.h"
#include "sections/subgrade_table.h"

namespace {

using namespace vcurve;

// 100 km of rolling grades, a PVI every 250 m with a 10,000 m curve.
std::shared_ptr<const profile::Profile> hundredKilometres() {
  std::vector<profile::ProfilePoint> points;
  for (int k = 0; k <= 400; ++k) {
    const double radius = k == 0 || k == 400 ? 0 : 10000;
    points.push_back({250.0 * k, 500 + (k % 2 == 0 ? 0 : 5), radius});
  }
  return std::make_shared<const profile::Profile>(points);
}

// A 二级 section throughout, a curve every 500 m with 60 m transitions.
sections::Sections curvesEveryHalfKilometre() {
  sections::SectionTemplate t;
  t.from = 0;
  t.to = 100000;
  t.left = t.right = {0, 3.5, 0.75, 0.75};
  std::vector<sections::Superelevation> curves;
  for (int k = 0; k < 199; ++k) {
    const double s = 500.0 * k + 100;
    curves.push_back({s, s + 60, s + 240, s + 300, 6,
                      k % 2 == 0 ? sections::Side::Left : sections::Side::Right,
                      static_cast<sections::RotationAxis>(k % 3), 0.6});
  }
  return sections::Sections({t}, curves);
}

void SubgradeTableCsv100km(benchmark::State& state) {
  const auto profile = hundredKilometres();
  const sections::Sections sections = curvesEveryHalfKilometre();
  const profile::StakeTable stakes(profile, nullptr, 20);
  for (auto _ : state) {
    const sections::SubgradeTable table(stakes, sections);
    std::size_t bytes = 0;
    sections::writeSubgradeCsv(table, [&](std::string_view block) { bytes += block.size(); });
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["rows"] = static_cast<double>(stakes.size());
}
BENCHMARK(SubgradeTableCsv100km)->Unit(benchmark::kMillisecond);

void ElevationAtOffset(benchmark::State& state) {
  const auto profile = hundredKilometres();
  const sections::Sections sections = curvesEveryHalfKilometre();
  std::uint64_t seed = 2024;
  std::vector<double> stations;
  for (int k = 0; k < 4096; ++k) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    stations.push_back(double(seed >> 11) / double(1ULL << 53) * 100000);
  }
  std::size_t k = 0;
  for (auto _ : state) {
    const double station = stations[k++ & 4095];
    const auto design = profile->elevationAt(station);
    const auto section = sections.at(station);
    benchmark::DoNotOptimize(*design + section->heightAt(-4.1));
  }
}
BENCHMARK(ElevationAtOffset);

}  // namespace

BENCHMARK_MAIN();
