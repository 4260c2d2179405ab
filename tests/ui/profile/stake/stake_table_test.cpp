// The stake table on screen: its model, its rows, and what the user types.

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTableView>

#include "qt_harness.h"
#include "ui/profile/stake/stake_model.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

// 2 % up to a PVI at K0+100 (R 2000: T 30, E 0.225), then 1 % down, over
// level ground at 101 m: cut at the start, fill over the crest.
std::shared_ptr<const profile::Profile> crest() {
  return std::make_shared<const profile::Profile>(
      std::vector<profile::ProfilePoint>{{0, 100, 0}, {100, 102, 2000}, {200, 101, 0}});
}
std::shared_ptr<const profile::GroundLine> level() {
  return std::make_shared<const profile::GroundLine>(
      std::vector<profile::GroundPoint>{{0, 101}, {200, 101}});
}

// A profile of the given length, 1 % up and down every kilometre.
std::shared_ptr<const profile::Profile> longProfile(double metres) {
  std::vector<profile::ProfilePoint> points;
  for (double s = 0; s <= metres; s += 1000) {
    const bool odd = static_cast<long>(s / 1000) % 2 == 1;
    points.push_back({s, odd ? 110.0 : 100.0, s == 0 || s == metres ? 0.0 : 20000.0});
  }
  return std::make_shared<const profile::Profile>(std::move(points));
}

QStringList rowTexts(const QAbstractItemModel& model, int row) {
  QStringList cells;
  for (int c = 0; c < model.columnCount(); ++c) cells << model.index(row, c).data().toString();
  return cells;
}

}  // namespace

class StakeTableTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<StakePanel> panel;
  template <typename T>
  T* child(const char* name) {
    return panel->findChild<T*>(QString::fromLatin1(name));
  }
  QTableView* view() { return child<QTableView>("stakeTable"); }
  QAbstractItemModel& model() { return *view()->model(); }

 private Q_SLOTS:
  void init() {
    panel = std::make_unique<StakePanel>();
    panel->resize(900, 600);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
  }
  void cleanup() { panel.reset(); }

  void modelKeepsItsContract() {
    StakeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(std::make_shared<profile::StakeTable>(crest(), level(), 20));
    QCOMPARE(model.rowCount(), 13);
    model.setTable(std::make_shared<profile::StakeTable>(longProfile(100'000), nullptr, 1));
    QCOMPARE(model.rowCount(), 100'001);  // the curves end on whole metres
    model.setTable(nullptr);
    QCOMPARE(model.rowCount(), 0);
  }

  void rowsMatchTheEngine_data() {
    QTest::addColumn<QStringList>("cells");
    // 桩号, 设计高程, 地面高程, 填高, 挖深, 纵坡, 备注
    const auto row = [](const char* name, QStringList cells) { QTest::newRow(name) << cells; };
    row("start in cut", {"K0+000.000", "100.000", "101.000", "", "1.000", "2.00", "起点"});
    row("added, in cut", {"K0+025.000", "100.500", "101.000", "", "0.500", "2.00", "加桩"});
    row("at ground level", {"K0+050.000", "101.000", "101.000", "0.000", "", "2.00", ""});
    row("curve start", {"K0+070.000", "101.400", "101.000", "0.400", "", "2.00", "竖曲线起点"});
    row("PVI on the curve", {"K0+100.000", "101.775", "101.000", "0.775", "", "0.50", "变坡点"});
    row("curve end", {"K0+130.000", "101.700", "101.000", "0.700", "", "-1.00", "竖曲线终点"});
    row("end", {"K0+200.000", "101.000", "101.000", "0.000", "", "-1.00", "终点"});
  }
  void rowsMatchTheEngine() {
    QFETCH(QStringList, cells);
    panel->setProfile(crest());
    panel->setGroundLine(level());
    QVERIFY(panel->setInterval(50));
    panel->setAddedStations({25});
    bool found = false;
    for (int r = 0; r < model().rowCount() && !found; ++r) {
      if (model().index(r, 0).data().toString() == cells[0]) {
        QCOMPARE(rowTexts(model(), r), cells);
        found = true;
      }
    }
    QVERIFY2(found, qPrintable(cells[0]));
  }

  void groundColumnsEmptyWithoutGround() {
    panel->setProfile(crest());
    QCOMPARE(rowTexts(model(), 0),
             QStringList({"K0+000.000", "100.000", "", "", "", "2.00", "起点"}));
  }

  void typedIntervalIsReadOrRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("kept");
    QTest::newRow("accepted") << "10" << 10.0;
    QTest::newRow("not a number") << "abc" << 20.0;
    QTest::newRow("zero") << "0" << 20.0;
    QTest::newRow("not whole millimetres") << "0.0005" << 20.0;
    QTest::newRow("empty") << "" << 20.0;
  }
  void typedIntervalIsReadOrRefused() {
    QFETCH(QString, typed);
    QFETCH(double, kept);
    panel->setProfile(crest());
    QSignalSpy messages(panel.get(), &StakePanel::statusMessage);
    auto* field = child<QLineEdit>("interval");
    field->setText(typed);
    Q_EMIT field->editingFinished();
    QCOMPARE(panel->interval(), kept);
    QCOMPARE(field->text(), QString::number(kept));
    QCOMPARE(messages.isEmpty(), kept != 20.0);
    if (kept == 20.0) QVERIFY(messages.last().at(0).toString().startsWith("桩距未改："));
    // Every 10 m, or 20, and the two ends of the curve.
    QCOMPARE(model().rowCount(), kept == 10 ? 21 : 13);
  }

  void addedStationsAreReadListedAndRemoved_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("chainage") << "K0+033.5" << true;
    QTest::newRow("metres") << "33.5" << true;
    QTest::newRow("not a station") << "K0+33" << false;
    QTest::newRow("past the end") << "K0+250" << false;
  }
  void addedStationsAreReadListedAndRemoved() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    panel->setProfile(crest());
    auto* field = child<QLineEdit>("addStation");
    auto* list = child<QListWidget>("addedStations");
    field->setText(typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(list->count(), accepted ? 1 : 0);
    QCOMPARE(model().rowCount(), accepted ? 14 : 13);
    if (!accepted) return;
    QCOMPARE(list->item(0)->text(), QString("K0+033.500"));
    QCOMPARE(view()->currentIndex().data().toString(), QString("K0+033.500"));
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->count(), 0);
    QCOMPARE(panel->addedStations().size(), std::size_t{0});
    QCOMPARE(model().rowCount(), 13);
  }

  void copiesSelectedRowsForExcel() {
    panel->setProfile(crest());
    panel->setGroundLine(level());
    QVERIFY(panel->setInterval(50));
    view()->setFocus();
    view()->selectRow(0);
    view()->selectionModel()->select(model().index(2, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QString("K0+000.000\t100.000\t101.000\t\t1.000\t2.00\t起点\n"
                     "K0+070.000\t101.400\t101.000\t0.400\t\t2.00\t竖曲线起点\n"));
  }

  void doubleClickNamesTheStation() {
    panel->setProfile(crest());
    QSignalSpy chosen(panel.get(), &StakePanel::stationActivated);
    const QRect cell = view()->visualRect(model().index(2, 1));
    // A view takes a double click only on the cell it was pressed on.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().at(0).toDouble(), 40.0);
  }

  void anEditKeepsTheTopRowInView() {
    panel->setProfile(longProfile(10'000));
    child<QLineEdit>("findStation")->setText("K5+000");
    QTest::keyClick(child<QLineEdit>("findStation"), Qt::Key_Return);
    const QString top = model().index(view()->rowAt(0), 0).data().toString();
    panel->setProfile(longProfile(11'000));
    QCOMPARE(model().index(view()->rowAt(0), 0).data().toString(), top);
  }
};

}  // namespace vcurve::profileui

VCURVE_QT_TEST_MAIN(vcurve::profileui::StakeTableTest)
#include "stake_table_test.moc"
