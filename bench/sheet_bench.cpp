// The 纵断面图 of a 100 km road at 1:2000 on A3 (about 140 sheets), all of
// them as DXF and as PDF; the goal is under 2 s for each, so that the
// window's progress dialog is a courtesy rather than a wait.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <memory>

#include "profile/sheet/dxf_writer.h"
#include "ui/sheet/sheet_painter.h"

namespace {

using namespace vcurve::profile;
using namespace vcurve::profile::sheet;

// A fixed pseudo-random road: 1,000 PVIs with grades within ±4 %, the
// ground surveyed every 20 m a few metres off the line.
std::shared_ptr<const SheetLayout> hundredKilometres() {
  std::uint64_t state = 2024;
  const auto next = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(state >> 11) / double(1ULL << 53);
  };
  std::vector<ProfilePoint> points{{0, 800, 0}};
  double grade = 1;
  for (int i = 1; i <= 1000; ++i) {
    const double station = i * 100.0;
    const double change = 0.5 + 3 * next();
    grade = grade + change > 4    ? grade - change
            : grade - change < -4 ? grade + change
            : next() < 0.5        ? grade - change
                                  : grade + change;
    points.push_back({station, std::round((points.back().elevation + grade) * 1000) / 1000,
                      i < 1000 ? 2000.0 : 0.0});
  }
  auto profile = std::make_shared<const Profile>(points);
  std::vector<GroundPoint> ground;
  for (double s = 0; s <= 100000; s += 20) {
    ground.push_back({s, *profile->elevationAt(s) + 6 * (next() - 0.5)});
  }
  return std::make_shared<const SheetLayout>(
      profile, std::make_shared<const GroundLine>(std::move(ground)), SheetSettings{});
}

const SheetLayout& layout() {
  static const auto made = hundredKilometres();
  return *made;
}

void allSheetsDxf(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    writeSheetsDxf(layout(), [&](std::string_view block) { bytes += block.size(); });
  }
  state.counters["sheets"] = layout().count();
  state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(allSheetsDxf)->Unit(benchmark::kMillisecond)->Iterations(3);

void allSheetsPdf(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheets.pdf"));
  for (auto _ : state) {
    QString error;
    if (!vcurve::sheetui::writeSheetsPdf(layout(), path, &error)) state.SkipWithError("no PDF");
  }
  state.counters["sheets"] = layout().count();
  state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(allSheetsPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  layout();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
