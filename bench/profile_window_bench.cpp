// The profile window's speed with a long road: a 1,000-PVI profile over a
// ground line surveyed every 20 m. Prints, each beside its goal and beside
// a yardstick measured in the same run:
//   open  - reading the file, deriving, checking and showing it (< 100 ms),
//           against the engine reading and deriving it alone;
//   edit  - one typed elevation re-derived, re-checked and repainted, table
//           and drawing (< 16 ms, one frame at 60 Hz), against repainting
//           the same widgets with no edit;
//   undo  - the heap that the undo history of 2,000 typed elevations on a
//           road of 100,000 PVIs keeps (< 100 MB).
// Usage: profile_window_bench [RUNS]   (offscreen unless QT_QPA_PLATFORM is set)

#include <malloc.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "profile/geometry_checks.h"
#include "profile/profile_csv.h"
#include "profile/profile_file.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_document.h"
#include "ui/profile/profile_files.h"
#include "ui/profile/profile_look.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/profile_window.h"

namespace {

using vcurve::profile::GroundPoint;
using vcurve::profile::ProfilePoint;

constexpr int kPvis = 1000;
constexpr double kSpacing = 400;  // metres between PVIs
constexpr double kOpenGoalMs = 100;
constexpr double kFrameMs = 16;

// Grades of +2 % and -1.5 % in turn, crest and sag curves of R 8000 that
// leave room between them, and a ground line wandering a few metres about.
std::vector<ProfilePoint> longRoad() {
  std::vector<ProfilePoint> points;
  double elevation = 500;
  for (int i = 0; i <= kPvis + 1; ++i) {
    const bool end = i == 0 || i == kPvis + 1;
    points.push_back({i * kSpacing, elevation, end ? 0.0 : 8000.0});
    elevation += (i % 2 == 0 ? 0.02 : -0.015) * kSpacing;
  }
  return points;
}

std::vector<GroundPoint> groundUnder(const std::vector<ProfilePoint>& road) {
  std::vector<GroundPoint> ground;
  const double end = road.back().station;
  for (double s = 0; s <= end; s += 20) {
    const std::size_t k = std::min(static_cast<std::size_t>(s / kSpacing), road.size() - 2);
    const double t = (s - road[k].station) / kSpacing;
    const double design = road[k].elevation + t * (road[k + 1].elevation - road[k].elevation);
    ground.push_back({s, design + 3 * std::sin(s / 170) - 2 * std::cos(s / 53)});
  }
  return ground;
}

struct Timing {
  double median = 0;
  double p95 = 0;
};

Timing timeRuns(int runs, const std::function<void(int)>& run) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    run(i);
    ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  const auto at = [&](double q) {
    return ms[std::min(ms.size() - 1,
                       static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
  };
  return {at(0.5), at(0.95)};
}

bool write(const QString& path, const std::string& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
             static_cast<qint64>(bytes.size());
}

// Paints now, as the next frame would: the table's visible rows and the drawing.
void paintFrame(vcurve::profileui::ProfileWindow& window) {
  window.table()->viewport()->repaint();
  window.drawing()->repaint();
}

const char* verdict(double value, double goal) { return value < goal ? "met" : "MISSED"; }

constexpr std::size_t kHistoryPvis = 100'000;
constexpr int kHistoryEdits = 2'000;
constexpr double kHistoryGoalMb = 100;

std::size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

struct History {
  double megabytes = 0;
  double msPerEdit = 0;
  bool kept = false;
};

// Typed elevations spread along the road, each its own undo step; the
// growth is measured from the first edit on, which sets up what the rest reuse.
History undoHistory() {
  std::vector<ProfilePoint> road;
  for (std::size_t i = 0; i < kHistoryPvis; ++i) {
    const bool end = i == 0 || i + 1 == kHistoryPvis;
    road.push_back({i * kSpacing, i % 2 == 0 ? 500.0 : 506.0, end ? 0.0 : 4000.0});
  }
  vcurve::profileui::ProfileDocument document;
  document.replace(std::move(road), nullptr);
  std::size_t before = 0;
  QElapsedTimer timer;
  for (int k = 0; k < kHistoryEdits; ++k) {
    std::vector<ProfilePoint> points = document.points();
    const std::size_t row = 1 + std::size_t(k) * 7919 % (kHistoryPvis - 2);
    points[row].elevation += 0.25;
    document.editPoints(std::move(points), {row, 1, 1}, QStringLiteral("改高程"));
    if (k == 0) {
      before = heapInUse();
      timer.start();
    }
  }
  History history;
  history.msPerEdit = static_cast<double>(timer.nsecsElapsed()) / 1e6 / (kHistoryEdits - 1);
  history.megabytes = static_cast<double>(heapInUse() - std::min(heapInUse(), before)) / 1e6;
  history.kept = document.undoStack()->count() == kHistoryEdits;
  return history;
}

// The offscreen platform's notes on size hints would break up the figures.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quietOffscreenNotes);
  QApplication app(argc, argv);
  vcurve::profileui::applyProfileLook(app);
  const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 41;

  QTemporaryDir dir;
  const auto road = longRoad();
  const QString profilePath = dir.filePath(QStringLiteral("road.csv"));
  const std::string profileBytes = vcurve::profile::profileCsv(vcurve::profile::Profile(road));
  const auto ground = std::make_shared<const vcurve::profile::GroundLine>(groundUnder(road));
  if (!write(profilePath, profileBytes)) {
    std::fprintf(stderr, "profile_window_bench: cannot write %s\n", qPrintable(profilePath));
    return 1;
  }

  vcurve::profileui::QtProfileDialogs dialogs;  // never shown: nothing here asks
  QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  vcurve::profileui::ProfileWindow window({&dialogs, &settings});
  window.resize(1280, 800);
  window.show();
  QApplication::processEvents();

  // The engine alone: read the bytes, derive, check.
  const Timing engineOpen = timeRuns(runs, [&](int) {
    const auto loaded = vcurve::profile::readProfileFile(profileBytes, "road.csv");
    const vcurve::profile::Profile profile(loaded.value.points);
    volatile std::size_t findings = vcurve::profile::checkGeometry(profile).size();
    (void)findings;
  });
  const Timing open = timeRuns(runs, [&](int) {
    window.openPath(profilePath);
    paintFrame(window);
  });

  window.document().editGround(ground, QStringLiteral("地面线"));
  window.table()->scrollTo(window.tableModel()->index(kPvis / 2, 0));
  paintFrame(window);
  const Timing repaint = timeRuns(runs, [&](int) { paintFrame(window); });
  vcurve::profileui::ProfileTableModel* model = window.tableModel();
  const Timing edit = timeRuns(runs, [&](int i) {
    const int row = kPvis / 2 + i % 7;
    const double z = road[static_cast<std::size_t>(row)].elevation + (i % 2 == 0 ? 0.25 : -0.25);
    model->setData(model->index(row, 1), QString::number(z, 'f', 3), Qt::EditRole);
    paintFrame(window);
  });
  const bool edited = window.document().undoStack()->count() > 1;

  std::printf("profile: %d PVIs, %zu ground points, median of %d runs (p95 in brackets)\n", kPvis,
              ground->points().size(), runs);
  std::printf("profile: engine alone: read + derive + check       %7.2f ms (%.2f)\n",
              engineOpen.median, engineOpen.p95);
  std::printf(
      "profile: open in the window                        %7.2f ms (%.2f)  p95 goal < %.0f ms: %s"
      " (%.2f of the goal, %.1fx the engine alone)\n",
      open.median, open.p95, kOpenGoalMs, verdict(open.p95, kOpenGoalMs), open.median / kOpenGoalMs,
      open.median / engineOpen.median);
  std::printf("profile: repaint of table and drawing, no edit     %7.2f ms (%.2f)\n",
              repaint.median, repaint.p95);
  std::printf(
      "profile: one edit: derive + check + repaint        %7.2f ms (%.2f)  p95 goal < %.0f ms: %s"
      " (%.2f of a frame, %.1fx the bare repaint)%s\n",
      edit.median, edit.p95, kFrameMs, verdict(edit.p95, kFrameMs), edit.median / kFrameMs,
      edit.median / std::max(repaint.median, 1e-3), edited ? "" : "  [EDITS REFUSED]");
  const History history = undoHistory();
  std::printf(
      "profile: undo history, %d edits on %zu PVIs         %7.2f MB            goal < %.0f MB: %s"
      " (%.1f ms an edit)%s\n",
      kHistoryEdits, kHistoryPvis, history.megabytes, kHistoryGoalMb,
      verdict(history.megabytes, kHistoryGoalMb), history.msPerEdit,
      history.kept ? "" : "  [EDITS LOST]");
  return edited && history.kept ? 0 : 1;
}
