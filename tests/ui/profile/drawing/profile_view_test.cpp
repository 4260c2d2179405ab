// The drawing as the user meets it: the line where the engine puts it, and
// what clicks, drags, the wheel and the keys do.

#include <QSignalSpy>
#include <QWheelEvent>
#include <cmath>

#include "core/numeric_text.h"
#include "drawing_harness.h"
#include "profile/profile_text.h"
#include "ui/profile/drawing/drawing_style.h"

using namespace vcurve;
using namespace vcurve::profileui;

Q_DECLARE_METATYPE(std::vector<vcurve::profile::ProfilePoint>)

namespace {

bool designColourNear(const QImage& image, QPointF at) {
  constexpr int kReach = 2;
  const QColor want = style::kDesign;
  for (int dx = -kReach; dx <= kReach; ++dx) {
    for (int dy = -kReach; dy <= kReach; ++dy) {
      const QPoint p = at.toPoint() + QPoint(dx, dy);
      if (!image.rect().contains(p)) continue;
      const QColor c = image.pixelColor(p);
      if (std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
              std::abs(c.blue() - want.blue()) <
          60) {
        return true;
      }
    }
  }
  return false;
}

void wheel(QWidget& widget, QPointF at, int notches) {
  QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

void hover(QWidget& widget, QPointF at) {
  QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

void moveHolding(QWidget& widget, QPointF at, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                    modifiers);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

class ProfileViewTest : public testing::DrawingTestCase {
  Q_OBJECT

  QPointF pointAt(std::size_t row) const {
    const profile::ProfilePoint& p = sample->points()[row];
    return view->mapToView(p.station, p.elevation);
  }
  // Metres of elevation per pixel, upwards.
  double elevationPerPixel() const {
    return 1 / (view->mapToView(0, 0).y() - view->mapToView(0, 1).y());
  }

 private Q_SLOTS:
  void designLinePassesThroughTheEngineElevations_data() {
    QTest::addColumn<double>("exaggeration");
    QTest::addColumn<double>("zoom");  // wheel notches about the middle
    for (const double exaggeration : {10.0, 4.0}) {
      for (const int zoom : {0, 8}) {
        QTest::addRow("%gx, %d notches", exaggeration, zoom) << exaggeration << double(zoom);
      }
    }
  }
  void designLinePassesThroughTheEngineElevations() {
    QFETCH(double, exaggeration);
    QFETCH(double, zoom);
    showSample();
    view->setVerticalExaggeration(exaggeration);
    view->fitAll();
    wheel(*view, view->mapToView(2000, 840), static_cast<int>(zoom));
    const QImage image = rendered();
    // On grades, inside crests and sags, at a PVI where the curve passes
    // below it, and where the curve meets the grade.
    int checked = 0;
    for (const double station : {200.0, 300.0, 420.0, 700.0, 1000.0, 1700.0, 1850.0, 2000.0, 2100.0,
                                 2250.0, 2400.0, 3750.0, 4100.0, 5300.0}) {
      const QPointF at = view->mapToView(station, *sample->elevationAt(station));
      if (!view->rect().adjusted(40, 20, -40, -20).contains(at.toPoint())) continue;
      ++checked;
      QVERIFY2(designColourNear(image, at),
               qPrintable(QString("no design line at %1").arg(station)));
    }
    QVERIFY(checked >= 4);
  }

  void clickOnAPointSelectsItsRow_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("start") << 0;
    QTest::newRow("crest PVI") << 3;
    QTest::newRow("PVI without a curve") << 7;
    QTest::newRow("end") << 11;
  }
  void clickOnAPointSelectsItsRow() {
    QFETCH(int, row);
    showSample();
    QSignalSpy clicked(view.get(), &ProfileView::rowClicked);
    QSignalSpy dragged(view.get(), &ProfileView::pviElevationDragged);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, (pointAt(row) + QPointF(3, -2)).toPoint());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.front().front().value<std::size_t>(), std::size_t(row));
    QCOMPARE(dragged.count(), 0);
  }

  void clickOnEmptySpaceSelectsNothing() {
    showSample();
    QSignalSpy clicked(view.get(), &ProfileView::rowClicked);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, (pointAt(3) + QPointF(0, 60)).toPoint());
    QCOMPARE(clicked.count(), 0);
  }

  void dragGivesOneEditAtTheReleasePoint_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("lift");  // pixels up
    QTest::newRow("crest up") << 5 << 37;
    QTest::newRow("sag down") << 4 << -23;
    QTest::newRow("end up") << 11 << 15;
  }
  void dragGivesOneEditAtTheReleasePoint() {
    QFETCH(int, row);
    QFETCH(int, lift);
    showSample();
    const QImage before = rendered();
    QSignalSpy dragged(view.get(), &ProfileView::pviElevationDragged);
    QSignalSpy clicked(view.get(), &ProfileView::rowClicked);
    const QPoint from = pointAt(row).toPoint();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    for (int step = 1; step <= 5; ++step) {
      QTest::mouseMove(view.get(), from - QPoint(0, lift * step / 5));
    }
    // While the pointer holds the point, the drawing follows it.
    QVERIFY(rendered() != before);
    const QPoint to = from - QPoint(0, lift);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);

    QCOMPARE(dragged.count(), 1);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(dragged.front()[0].value<std::size_t>(), std::size_t(row));
    const double elevation = dragged.front()[1].toDouble();
    const double expected =
        sample->points()[row].elevation + (pointAt(row).y() - to.y()) * elevationPerPixel();
    QVERIFY2(std::fabs(elevation - expected) <= elevationPerPixel(),
             qPrintable(QString("%1 vs %2").arg(elevation).arg(expected)));
    QCOMPARE(RoundToPlaces(elevation, 3), elevation);
  }

  // The drag begins at the platform's distance, and the elevation is a
  // centimetre one (a millimetre one with Shift) however far out the view.
  void dragBeginsAtTheDragDistanceAndSnaps_data() {
    QTest::addColumn<int>("lift");  // pixels up
    QTest::addColumn<bool>("shift");
    const int start = QApplication::startDragDistance();
    QTest::newRow("short of the distance: a click") << start - 1 << false;
    QTest::newRow("at the distance") << start << false;
    QTest::newRow("down, centimetres") << -(start + 7) << false;
    QTest::newRow("up, millimetres with Shift") << start + 13 << true;
  }
  void dragBeginsAtTheDragDistanceAndSnaps() {
    QFETCH(int, lift);
    QFETCH(bool, shift);
    showSample();
    const std::size_t row = 5;
    QSignalSpy dragged(view.get(), &ProfileView::pviElevationDragged);
    QSignalSpy clicked(view.get(), &ProfileView::rowClicked);
    QSignalSpy texts(view.get(), &ProfileView::hoverTextChanged);
    QSignalSpy previews(view.get(), &ProfileView::dragPreviewChanged);
    const QPoint from = pointAt(row).toPoint();
    const QPoint to = from - QPoint(0, lift);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    moveHolding(*view, to, shift ? Qt::ShiftModifier : Qt::NoModifier);
    const bool drags = std::abs(lift) >= QApplication::startDragDistance();
    if (drags) {
      // The status bar has the new elevation and the grades either side.
      const QString text = texts.back().front().toString();
      QVERIFY2(text.contains("高程") && text.contains("纵坡i1") && text.contains("纵坡i2"),
               qPrintable(text));
      QVERIFY(previews.back().front().value<std::shared_ptr<const profile::Profile>>());
    }
    QTest::mouseRelease(view.get(), Qt::LeftButton,
                        shift ? Qt::ShiftModifier : Qt::KeyboardModifiers(), to);
    QCOMPARE(clicked.count(), drags ? 0 : 1);
    QCOMPARE(dragged.count(), drags ? 1 : 0);
    if (!drags) return;
    QVERIFY(!previews.back().front().value<std::shared_ptr<const profile::Profile>>());
    const double elevation = dragged.front()[1].toDouble();
    const double pointer = sample->points()[row].elevation + lift * elevationPerPixel();
    const int places = shift ? 3 : 2;
    QCOMPARE(RoundToPlaces(elevation, places), elevation);
    QVERIFY2(std::fabs(elevation - pointer) <= 0.5 * std::pow(10.0, -places) + 1e-9,
             qPrintable(QString("%1 for %2").arg(elevation).arg(pointer)));
  }

  void escapeCancelsADrag() {
    showSample();
    const QImage before = rendered();
    QSignalSpy dragged(view.get(), &ProfileView::pviElevationDragged);
    const QPoint from = pointAt(5).toPoint();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.get(), from - QPoint(0, 30));
    QVERIFY(rendered() != before);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, from - QPoint(0, 30));
    QCOMPARE(dragged.count(), 0);
    QEvent leave(QEvent::Leave);  // no hover mark
    QApplication::sendEvent(view.get(), &leave);
    QCOMPARE(rendered(), before);
  }

  void wheelKeepsThePointUnderTheCursor_data() {
    QTest::addColumn<double>("station");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<int>("notches");
    QTest::newRow("in, at a crest") << 1600.0 << 843.0 << 3;
    QTest::newRow("out, off the line") << 4000.0 << 800.0 << -2;
    QTest::newRow("far in, at a sag") << 2150.0 << 833.1 << 25;
  }
  void wheelKeepsThePointUnderTheCursor() {
    QFETCH(double, station);
    QFETCH(double, elevation);
    QFETCH(int, notches);
    showSample();
    const QPointF cursor = view->mapToView(station, elevation);
    const double before = view->mapToView(station + 100, elevation).x() - cursor.x();
    wheel(*view, cursor, notches);
    const QPointF after = view->mapToView(station, elevation);
    QVERIFY(std::fabs(after.x() - cursor.x()) < 1e-6 && std::fabs(after.y() - cursor.y()) < 1e-6);
    const double scale = (view->mapToView(station + 100, elevation).x() - after.x()) / before;
    QVERIFY(notches > 0 ? scale > 1 : scale < 1);
  }

  void fitAllShowsTheWholeProfile() {
    showSample();
    wheel(*view, view->mapToView(1000, 820), 20);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(450, 450));
    QTest::mouseMove(view.get(), QPoint(100, 300));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(100, 300));
    QVERIFY(!view->rect().contains(pointAt(11).toPoint()));
    QTest::keyClick(view.get(), Qt::Key_Home);
    const double left = pointAt(0).x();
    const double right = pointAt(11).x();
    QVERIFY(right - left > view->width() * 0.8);
    for (std::size_t row = 0; row < sample->size(); ++row) {
      QVERIFY(view->rect().adjusted(20, 10, -10, -20).contains(pointAt(row).toPoint()));
    }
  }

  void aProfileOpenedElsewhereIsFitted() {
    showSample();
    wheel(*view, pointAt(3), 10);
    std::vector<profile::ProfilePoint> points = sample->points();
    for (auto& p : points) p.station += 50000;
    view->setProfile(std::make_shared<const profile::Profile>(points));
    for (const auto& p : points) {
      QVERIFY(view->rect().contains(view->mapToView(p.station, p.elevation).toPoint()));
    }
  }

  void exaggerationScalesOnlyElevations() {
    showSample();
    QSignalSpy changed(view.get(), &ProfileView::verticalExaggerationChanged);
    const auto ratio = [this] {
      return (view->mapToView(0, 0).y() - view->mapToView(0, 1).y()) /
             (view->mapToView(1, 0).x() - view->mapToView(0, 0).x());
    };
    QCOMPARE(view->verticalExaggeration(), 10.0);
    QVERIFY(std::fabs(ratio() - 10) < 1e-9);
    view->setVerticalExaggeration(5);
    view->setVerticalExaggeration(5);
    view->setVerticalExaggeration(-1);
    QCOMPARE(changed.count(), 1);
    QVERIFY(std::fabs(ratio() - 5) < 1e-9);
  }

  void hoverTellsStationElevationAndCutOrFill() {
    showSample();
    QSignalSpy texts(view.get(), &ProfileView::hoverTextChanged);
    for (const double station : {300.0, 1000.0, 2500.0}) {
      hover(*view, view->mapToView(station, 850));
      QVERIFY(!texts.isEmpty());
      const QString text = texts.back().front().toString();
      const auto shown =
          profile::readCell(profile::InputColumn::Station, text.section(' ', 0, 0).toStdString());
      const double metresPerPixel = 1 / (view->mapToView(1, 0).x() - view->mapToView(0, 0).x());
      QVERIFY2(shown.ok() && std::fabs(shown.value - station) <= metresPerPixel, qPrintable(text));
      QVERIFY2(text.contains("设计高程") && text.contains("地面高程"), qPrintable(text));
      QVERIFY2(text.contains("填高") != text.contains("挖深"), qPrintable(text));
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    QCOMPARE(texts.back().front().toString(), QString());
  }

  void whatCannotBeDerivedIsDrawnWithoutCrashing_data() {
    using Points = std::vector<profile::ProfilePoint>;
    QTest::addColumn<Points>("points");
    QTest::newRow("nothing") << Points{};
    QTest::newRow("one point") << Points{{100, 50, 0}};
    QTest::newRow("stations out of order") << Points{{0, 10, 0}, {500, 20, 0}, {200, 15, 0}};
    QTest::newRow("not a number") << Points{{0, 10, 0}, {500, NAN, 0}, {900, 12, 0}};
    QTest::newRow("overlapping curves")
        << Points{{0, 100, 0}, {200, 110, 30000}, {300, 100, 30000}, {600, 110, 0}};
    QTest::newRow("a station far out") << Points{{0, 10, 0}, {1e9, 20, 0}};
  }
  void whatCannotBeDerivedIsDrawnWithoutCrashing() {
    QFETCH(std::vector<profile::ProfilePoint>, points);
    view->resize(600, 300);
    view->setProfile(std::make_shared<const profile::Profile>(points));
    view->setSelectedRow(1);
    view->setFindings(samples::findingsAt(*sample, 60));  // about rows that may not exist
    view->fitAll();
    const QImage image = rendered();
    // Something is said or drawn: a message, a point, a line.
    int inked = 0;
    for (int y = 0; y < image.height(); y += 2) {
      for (int x = 60; x < image.width(); x += 2) inked += image.pixelColor(x, y).lightness() < 128;
    }
    QVERIFY(inked > 20);
    wheel(*view, QPointF(300, 150), 30);
    rendered();
  }
};

VCURVE_QT_TEST_MAIN(ProfileViewTest)
#include "profile_view_test.moc"
