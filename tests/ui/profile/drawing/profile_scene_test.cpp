// What the drawing decides before it paints: the view's arithmetic, labels
// that never overlap, curves sampled to the pixel, findings where they are.

#include <QTransform>
#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing_harness.h"
#include "profile/profile_text.h"
#include "ui/profile/drawing/profile_scene.h"
#include "ui/profile/drawing/view_transform.h"

using namespace vcurve;
using namespace vcurve::profileui;

namespace {

// Where a text lies, less a hair for the rounding of lines stacked edge to edge.
QPolygonF extent(const SceneText& text) {
  return QTransform()
      .translate(text.centre.x(), text.centre.y())
      .rotate(text.angle)
      .map(QPolygonF(text.box.adjusted(0.25, 0.25, -0.25, -0.25)));
}

ViewTransform viewOf(QSizeF size, const profile::Profile& p, double exaggeration, double zoom) {
  ViewTransform view;
  view.setPlot(plotArea(size, QFontMetricsF(QApplication::font())));
  view.setExaggeration(exaggeration);
  double low = INFINITY, high = -INFINITY;
  for (const auto& point : p.points()) {
    low = std::min(low, point.elevation);
    high = std::max(high, point.elevation);
  }
  view.fit(p.startStation(), p.endStation(), low, high, 24);
  const double middle = (p.startStation() + p.endStation()) / 2;
  view.zoomAbout(view.map(middle, *p.elevationAt(middle)), zoom);
  return view;
}

}  // namespace

class ProfileSceneTest : public testing::DrawingTestCase {
  Q_OBJECT

 private Q_SLOTS:
  void pointerPlaces_data() {
    QTest::addColumn<double>("metresPerPixel");
    QTest::addColumn<int>("places");
    QTest::newRow("coarse") << 83.0 << 0;
    QTest::newRow("a metre") << 1.0 << 0;
    QTest::newRow("just under a metre") << 0.99 << 1;
    QTest::newRow("a decimetre") << 0.1 << 1;
    QTest::newRow("fine") << 0.004 << 3;
    QTest::newRow("finer than a millimetre") << 0.0001 << 3;
  }
  void pointerPlaces() {
    QFETCH(double, metresPerPixel);
    QFETCH(int, places);
    QCOMPARE(profileui::pointerPlaces(metresPerPixel), places);
  }

  void aFitOfOnePointStaysFinite() {
    ViewTransform view;
    view.setPlot(QRectF(0, 0, 400, 300));
    view.fit(500, 500, 20, 20, 24);
    const QPointF at = view.map(500, 20);
    QVERIFY(std::isfinite(view.metresPerPixel()) && view.metresPerPixel() > 0);
    QVERIFY(std::fabs(at.x() - 200) < 1e-9 && std::fabs(at.y() - 150) < 1e-9);
    view.setExaggeration(3);
    QVERIFY(std::fabs(view.map(500, 20).y() - 150) < 1e-9);
  }

  void labelsNeverOverlap_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("exaggeration");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("motorway");
    for (const QSizeF size : {QSizeF(1280, 800), QSizeF(1920, 1080), QSizeF(500, 300)}) {
      for (const double zoom : {1.0, 6.0, 40.0}) {
        QTest::addRow("%gx%g zoom %g", size.width(), size.height(), zoom)
            << size << 10.0 << zoom << false;
      }
    }
    QTest::newRow("flat") << QSizeF(1280, 800) << 1.0 << 1.0 << false;
    QTest::newRow("steep") << QSizeF(1280, 800) << 50.0 << 4.0 << false;
    QTest::newRow("motorway, whole") << QSizeF(1280, 800) << 10.0 << 1.0 << true;
    QTest::newRow("motorway, 5 km") << QSizeF(1280, 800) << 10.0 << 20.0 << true;
  }
  void labelsNeverOverlap() {
    QFETCH(QSizeF, size);
    QFETCH(double, exaggeration);
    QFETCH(double, zoom);
    QFETCH(bool, motorway);
    const auto profile = motorway ? samples::motorway() : sample;
    const auto findings = samples::findingsAt(*profile, 60);
    const ViewTransform view = viewOf(size, *profile, exaggeration, zoom);
    const Scene scene = buildScene({profile.get(), nullptr, &findings, 3, {}}, view,
                                   QFontMetricsF(QApplication::font()));
    int annotations = 0;
    for (std::size_t i = 0; i < scene.texts.size(); ++i) {
      const QPolygonF a = extent(scene.texts[i]);
      if (scene.texts[i].role != TextRole::Axis) {
        ++annotations;
        QVERIFY2(scene.plot.contains(a.boundingRect()), qPrintable(scene.texts[i].text));
        QVERIFY2(!a.intersects(QPolygonF(scene.legend)), qPrintable(scene.texts[i].text));
      }
      for (std::size_t j = i + 1; j < scene.texts.size(); ++j) {
        QVERIFY2(!a.intersects(extent(scene.texts[j])),
                 qPrintable(scene.texts[i].text + " / " + scene.texts[j].text));
      }
    }
    QVERIFY(annotations > 0);
  }

  // A label is placed, or its point or grade is marked and it is counted;
  // the one at the pointer shows. The examples folder's mountain highway
  // has every PVI labelled at the sizes the window's drawing has, bar one
  // or two in the smallest window.
  void everyLabelIsShownOrCounted_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("motorway");
    QTest::addColumn<std::size_t>("mostHidden");  // PVI labels
    constexpr auto many = std::numeric_limits<std::size_t>::max();
    QTest::newRow("window of 1024x640") << QSizeF(1024, 250) << 1.0 << false << std::size_t(2);
    QTest::newRow("window of 1600x900") << QSizeF(1600, 330) << 1.0 << false << std::size_t(0);
    QTest::newRow("window maximised") << QSizeF(1900, 420) << 1.0 << false << std::size_t(0);
    QTest::newRow("zoomed in") << QSizeF(1000, 240) << 3.0 << false << std::size_t(0);
    QTest::newRow("too small") << QSizeF(500, 200) << 1.0 << false << many;
    QTest::newRow("motorway, 5 km") << QSizeF(1280, 800) << 20.0 << true << many;
  }
  void everyLabelIsShownOrCounted() {
#ifdef Q_OS_WIN
    // The counts are for the fonts' widths as fontconfig gives them; the
    // offscreen platform under Wine measures the same fonts wider.
    QSKIP("label room measured with the Linux font metrics");
#endif
    QFETCH(QSizeF, size);
    QFETCH(double, zoom);
    QFETCH(bool, motorway);
    QFETCH(std::size_t, mostHidden);
    const auto profile = motorway ? samples::motorway() : samples::mountainHighway();
    const auto findings = samples::findingsAt(*profile, 80);
    const ViewTransform view = viewOf(size, *profile, 10, zoom);
    const QFontMetricsF metrics(QApplication::font());
    const Scene scene = buildScene({profile.get(), nullptr, &findings, {}, {}}, view, metrics);
    const auto labelled = [](const std::vector<SceneText>& texts, const profile::ProfilePoint& p) {
      const QString chainage =
          QString::fromStdString(profile::stationText(p.station, profile::StationStyle::Chainage));
      return std::any_of(texts.begin(), texts.end(), [&](const SceneText& t) {
        return t.role != TextRole::Axis && t.text.contains(chainage);
      });
    };
    const auto& points = profile->points();
    std::size_t missing = 0;
    std::optional<std::size_t> firstMissing;
    for (std::size_t k = 0; k < points.size(); ++k) {
      const double x = view.mapStation(points[k].station);
      if (k + 1 < points.size() && view.mapStation(points[k + 1].station) > view.plot().left() &&
          x < view.plot().right()) {
        ++missing;  // a grade in view, less those labelled below
      }
      if (x < view.plot().left() || x > view.plot().right() || labelled(scene.texts, points[k])) {
        continue;
      }
      ++missing;
      if (!firstMissing) firstMissing = k;
    }
    missing -= static_cast<std::size_t>(std::count_if(
        scene.texts.begin(), scene.texts.end(),
        [](const SceneText& t) { return t.role == TextRole::Grade && t.text.startsWith("i="); }));
    QCOMPARE(scene.hiddenLabels, missing);
    QVERIFY2(scene.hiddenPoints.size() <= mostHidden,
             qPrintable(QString::number(scene.hiddenPoints.size())));
    QCOMPARE(scene.hiddenPoints.empty(), !firstMissing.has_value());  // the PVIs' labels
    if (!firstMissing) return;
    const double station = points[*firstMissing].station;
    const Scene hovered =
        buildScene({profile.get(), nullptr, &findings, {}, station}, view, metrics);
    QVERIFY(labelled(hovered.hoverTexts, points[*firstMissing]));
    QVERIFY(std::any_of(hovered.legendItems.begin(), hovered.legendItems.end(),
                        [&](const LegendItem& item) {
                          return item.text.contains(QString::number(scene.hiddenLabels));
                        }));
  }

  // The legend keeps off the design line and its points wherever the view is.
  void theLegendCoversNoData_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("station");  // zoomed in about
    QTest::newRow("whole") << QSizeF(1600, 330) << 1.0 << 0.0;
    QTest::newRow("small") << QSizeF(500, 200) << 1.0 << 0.0;
    QTest::newRow("at the end") << QSizeF(1000, 300) << 4.0 << 6500.0;
    QTest::newRow("at the top") << QSizeF(1000, 300) << 8.0 << 5160.0;
  }
  void theLegendCoversNoData() {
    QFETCH(QSizeF, size);
    QFETCH(double, zoom);
    QFETCH(double, station);
    const auto profile = samples::mountainHighway();
    const auto findings = samples::findingsAt(*profile, 80);
    ViewTransform view = viewOf(size, *profile, 10, 1);
    if (station > 0) view.zoomAbout(view.map(station, *profile->elevationAt(station)), zoom);
    const Scene scene = buildScene({profile.get(), nullptr, &findings, {}, {}}, view,
                                   QFontMetricsF(QApplication::font()));
    QVERIFY(!scene.legendItems.empty());
    for (const QPolygonF& line : scene.design) {
      for (qsizetype i = 1; i < line.size(); ++i) {
        QVERIFY(!QRectF(line[i - 1], line[i])
                     .normalized()
                     .adjusted(-1, -1, 1, 1)
                     .intersects(scene.legend));
      }
    }
    for (const QPointF& p : scene.points) {
      QVERIFY(!QRectF(p - QPointF(4, 4), QSizeF(8, 8)).intersects(scene.legend));
    }
  }

  // Whatever its neighbours, the row the user works on is labelled.
  void theSelectedRowIsLabelled_data() {
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<bool>("crests");
    QTest::newRow("roomy") << QSizeF(1280, 800) << false;
    QTest::newRow("crowded") << QSizeF(800, 400) << false;
    // Two crests so close that one's bracket stands where the other's
    // label would go.
    QTest::newRow("neighbouring brackets") << QSizeF(1920, 1080) << true;
  }
  void theSelectedRowIsLabelled() {
    QFETCH(QSizeF, size);
    QFETCH(bool, crests);
    const auto profile = !crests ? sample
                                 : std::make_shared<const profile::Profile>(
                                       std::vector<profile::ProfilePoint>{{0, 812.4, 0},
                                                                          {420, 826.26, 8000},
                                                                          {980, 853.14, 15000},
                                                                          {1620, 866.58, 10000},
                                                                          {2000, 860.5, 6000},
                                                                          {2720, 825.22, 4000},
                                                                          {6630, 848.15, 0}});
    const ViewTransform view = viewOf(size, *profile, 10, 1);
    for (std::size_t row = 0; row < profile->size(); ++row) {
      const Scene scene = buildScene({profile.get(), nullptr, nullptr, row, {}}, view,
                                     QFontMetricsF(QApplication::font()));
      const QString chainage = QString::fromStdString(
          profile::stationText(profile->points()[row].station, profile::StationStyle::Chainage));
      QVERIFY2(std::any_of(scene.texts.begin(), scene.texts.end(),
                           [&](const SceneText& t) { return t.text.contains(chainage); }),
               qPrintable(chainage));
    }
  }

  // Enough samples that the parabola is smooth, few enough that a long
  // profile costs what fits on the screen.
  void curvesAreSampledToThePixel_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("motorway");
    QTest::newRow("crest filling the view") << 30.0 << false;
    QTest::newRow("100 km in view") << 1.0 << true;
  }
  void curvesAreSampledToThePixel() {
    QFETCH(double, zoom);
    QFETCH(bool, motorway);
    const auto profile = motorway ? samples::motorway() : sample;
    ViewTransform view = viewOf({1000, 600}, *profile, 10, 1);
    if (!motorway) view.zoomAbout(view.map(420, 836), zoom);
    const Scene scene = buildScene({profile.get(), nullptr, nullptr, {}, {}}, view,
                                   QFontMetricsF(QApplication::font()));
    qsizetype points = 0;
    for (const QPolygonF& line : scene.design) {
      points += line.size();
      for (qsizetype i = 1; i < line.size(); ++i) {
        const auto station = view.unmap(line[i]).station;
        const bool inCurve =
            profile->lookup(station).kind == profile::ElementKind::Curve &&
            profile->lookup(view.unmap(line[i - 1]).station).kind == profile::ElementKind::Curve;
        if (inCurve) QVERIFY(line[i].x() - line[i - 1].x() <= 3);
      }
      QVERIFY(line.front().x() >= view.plot().left() - 3 &&
              line.back().x() <= view.plot().right() + 3);
    }
    QVERIFY(points > 2);
    QVERIFY(points <= 4 * view.plot().width());
  }

  void findingsAreMarkedWhereTheyAre() {
    profile::Finding atPoint;
    atPoint.severity = profile::Severity::Error;
    atPoint.row = 3;
    profile::Finding onGrade;
    onGrade.severity = profile::Severity::Warning;
    onGrade.row = 5;
    onGrade.onGrade = true;
    profile::Finding beyond = atPoint;  // about a row the profile no longer has
    beyond.row = 40;
    const std::vector<profile::Finding> findings{atPoint, onGrade, beyond};
    const ViewTransform view = viewOf({1000, 600}, *sample, 10, 1);
    const Scene scene = buildScene({sample.get(), nullptr, &findings, {}, {}}, view,
                                   QFontMetricsF(QApplication::font()));
    const auto& p = sample->points();
    QCOMPARE(scene.rings.size(), std::size_t(1));
    QCOMPARE(scene.rings[0].severity, profile::Severity::Error);
    QVERIFY(QLineF(scene.rings[0].at, view.map(p[3].station, p[3].elevation)).length() < 0.5);
    QCOMPARE(scene.bands.size(), std::size_t(1));
    QCOMPARE(scene.bands[0].severity, profile::Severity::Warning);
    QVERIFY(QLineF(scene.bands[0].line.p1(), view.map(p[5].station, p[5].elevation)).length() <
            0.5);
    QVERIFY(QLineF(scene.bands[0].line.p2(), view.map(p[6].station, p[6].elevation)).length() <
            0.5);
  }

  // A run (最大坡长, 平均纵坡) is drawn over the stretch it covers.
  void aRunIsMarkedOverEveryGradeOfIt() {
    profile::Finding run;
    run.rule = profile::Rule::MaximumGradeLength;
    run.onGrade = true;
    run.row = 1;
    run.lastRow = 3;
    const std::vector<profile::Finding> findings{run};
    const ViewTransform view = viewOf({1000, 600}, *sample, 10, 1);
    const Scene scene = buildScene({sample.get(), nullptr, &findings, {}, {}}, view,
                                   QFontMetricsF(QApplication::font()));
    const auto& p = sample->points();
    QCOMPARE(scene.bands.size(), std::size_t(3));
    QVERIFY(QLineF(scene.bands.front().line.p1(), view.map(p[1].station, p[1].elevation)).length() <
            0.5);
    QVERIFY(QLineF(scene.bands.back().line.p2(), view.map(p[4].station, p[4].elevation)).length() <
            0.5);
  }
};

VCURVE_QT_TEST_MAIN(ProfileSceneTest)
#include "profile_scene_test.moc"
