// What one repaint of the profile drawing costs: a 1,000-PVI, 100 km
// motorway with a ground line surveyed every metre and its findings, in the
// fit-all view and zoomed in, at two window sizes. The window's budget for
// an edit, its derivation, its checks and this repaint is one frame, 16 ms.
//   profile_view_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>

#include "sample_profiles.h"
#include "ui/profile/drawing/profile_scene.h"
#include "ui/profile/drawing/profile_view.h"

namespace {

using namespace vcurve;
using namespace vcurve::profileui;

struct Fixture {
  std::shared_ptr<const profile::Profile> profile = samples::motorway();
  std::shared_ptr<const profile::GroundLine> ground = samples::groundUnder(*profile, 1);
  std::vector<profile::Finding> findings = samples::findingsAt(*profile, 120);
};

const Fixture& fixture() {
  static const Fixture f;
  return f;
}

// Zoom 0 is the whole profile; each step after it magnifies ten times
// about the middle.
void setUp(ProfileView& view, QSize size, int zoom) {
  view.resize(size);
  view.setProfile(fixture().profile);
  view.setGroundLine(fixture().ground);
  view.setFindings(fixture().findings);
  view.setSelectedRow(500);
  view.fitAll();
  for (int i = 0; i < zoom; ++i) {
    QWheelEvent wheel(QPointF(size.width() / 2.0, size.height() / 2.0), QPointF(), QPoint(),
                      QPoint(0, 120 * 13), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
  }
}

void Repaint(benchmark::State& state) {
  const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  ProfileView view;
  setUp(view, size, static_cast<int>(state.range(2)));
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    view.render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}

// The scene alone: what the drawing decides, without the painting.
void BuildScene(benchmark::State& state) {
  const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  ProfileView view;
  setUp(view, size, static_cast<int>(state.range(2)));
  const QFontMetricsF metrics(view.font());
  ViewTransform transform;
  transform.setPlot(plotArea(QSizeF(size), metrics));
  transform.setScaleLimits(1e-3, 1e9);
  const auto& profile = *fixture().profile;
  transform.fit(profile.startStation(), profile.endStation(), 200, 500, 24);
  for (int i = 0; i < state.range(2); ++i) transform.zoomAbout(transform.plot().center(), 1.2 * 13);
  SceneInput input{fixture().profile.get(), fixture().ground.get(), &fixture().findings, 500, {}};
  for (auto _ : state) benchmark::DoNotOptimize(buildScene(input, transform, metrics));
}

// One step of a PVI drag: the edited profile derived again and drawn.
void DragStep(benchmark::State& state) {
  const QSize size(1280, 800);
  ProfileView view;
  setUp(view, size, 0);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  std::vector<profile::ProfilePoint> points = fixture().profile->points();
  double lift = 0;
  for (auto _ : state) {
    points[500].elevation += (lift = -lift + 0.01);
    view.setProfile(std::make_shared<const profile::Profile>(points));
    view.render(&image);
  }
}

void sizes(benchmark::internal::Benchmark* b) {
  for (const auto& [w, h] : {std::pair{1280, 800}, std::pair{1920, 1080}}) {
    for (const int zoom : {0, 1, 2}) b->Args({w, h, zoom});
  }
  b->ArgNames({"w", "h", "zoom"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(Repaint)->Apply(sizes);
BENCHMARK(BuildScene)->Apply(sizes);
BENCHMARK(DragStep)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
