// The undo history of a long road: what it costs to keep, and that every
// step still comes back.

#include <malloc.h>

#include <QtTest>

#include "profile_harness.h"
#include "ui/profile/profile_document.h"

namespace vcurve::profileui {
namespace {

using profile::ProfilePoint;

std::vector<ProfilePoint> longRoad(std::size_t pvis) {
  std::vector<ProfilePoint> points;
  for (std::size_t i = 0; i < pvis; ++i) {
    const bool end = i == 0 || i + 1 == pvis;
    points.push_back({i * 400.0, i % 2 == 0 ? 500.0 : 506.0, end ? 0.0 : 4000.0});
  }
  return points;
}

// Large blocks are mapped on their own until malloc learns to keep them.
std::size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

}  // namespace

class UndoHistoryTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Two copies of 20,000 points per step would be 47 MB for 49 steps.
  void typedElevationsCostARowEach() {
    const std::size_t pvis = 20'000;
    const int edits = 50;
    ProfileDocument document;
    document.replace(longRoad(pvis), nullptr);
    const std::vector<ProfilePoint> original = document.points();
    std::size_t before = 0;
    for (int k = 0; k < edits; ++k) {
      std::vector<ProfilePoint> points = document.points();
      const std::size_t row = 1 + std::size_t(k) * 397 % (pvis - 2);
      points[row].elevation += 0.25;
      QVERIFY(document.editPoints(std::move(points), {row, 1, 1}, "edit").isEmpty());
      // The first edit sets up what every later one reuses.
      if (k == 0) before = heapInUse();
    }
    const std::size_t grown = heapInUse() - std::min(heapInUse(), before);
    QVERIFY2(grown < 1u << 20, qPrintable(QString::number(grown)));
    const std::vector<ProfilePoint> edited = document.points();
    while (document.undoStack()->canUndo()) document.undoStack()->undo();
    QVERIFY(document.points() == original);
    while (document.undoStack()->canRedo()) document.undoStack()->redo();
    QVERIFY(document.points() == edited);
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::UndoHistoryTest)
#include "undo_history_test.moc"
