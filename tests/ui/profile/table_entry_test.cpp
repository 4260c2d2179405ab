// The 纵坡竖曲线表 keyed as a spreadsheet is: what each key does to the
// points and where it leaves the cursor.

#include <QInputMethodEvent>
#include <QStatusBar>
#include <QTableView>

#include "profile_harness.h"
#include "ui/profile/profile_table_model.h"

Q_DECLARE_METATYPE(std::vector<vcurve::profile::ProfilePoint>)

namespace vcurve::profileui {
namespace {

constexpr int kRemark = ProfileTableModel::kRemarkColumn;

using profile::ProfilePoint;
using Points = std::vector<ProfilePoint>;

const Points kRoad{{0, 100, 0}, {300, 106, 4000}, {700, 98, 3000}, {1000, 101.6, 0}};

Points with(Points points, std::size_t row, ProfilePoint point) {
  if (row == points.size()) {
    points.push_back(point);
  } else {
    points[row] = point;
  }
  return points;
}

}  // namespace

class TableEntryTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;

  ProfileWindow& window() { return gui->window(); }
  QTableView* table() { return window().table(); }

  // Each step goes where the keyboard's focus is, as a key would: "<Tab>",
  // "<ime:…>" for text an input method commits, anything else typed.
  void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(code), modifiers);
  }
  void run(const QStringList& steps) {
    for (const QString& step : steps) {
      if (step == "<Enter>") {
        key(Qt::Key_Return);
      } else if (step == "<Tab>") {
        key(Qt::Key_Tab);
      } else if (step == "<Backtab>") {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
      } else if (step == "<Delete>") {
        key(Qt::Key_Delete);
      } else if (step == "<Right>") {
        key(Qt::Key_Right);
      } else if (step.startsWith("<ime:")) {
        QInputMethodEvent committed;
        committed.setCommitString(step.mid(5, step.size() - 6));
        QApplication::sendEvent(QApplication::focusWidget(), &committed);
      } else {
        for (const QChar c : step) {
          QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
      }
      // The editor commits Enter once the key is through.
      QCoreApplication::processEvents();
    }
  }

 private Q_SLOTS:
  void init() {
    gui = std::make_unique<testing::WindowHarness>();
    window().document().replace(kRoad, nullptr);
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    table()->setFocus();
  }
  void cleanup() { gui.reset(); }

  void keys_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Points>("points");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<int>("endColumn");
    QTest::addColumn<QString>("message");

    QTest::newRow("Enter commits and moves down")
        << 1 << 1 << QStringList{"107", "<Enter>"} << with(kRoad, 1, {300, 107, 4000}) << 2 << 1
        << "";
    QTest::newRow("a refused cell keeps the cursor")
        << 1 << 0 << QStringList{"K0+800", "<Enter>"} << kRoad << 1 << 0 << "桩号须由小到大";
    QTest::newRow("typed under the last point, Tab, Enter")
        << 4 << 0 << QStringList{"K1+200", "<Tab>", "104.5", "<Enter>"}
        << with(kRoad, 4, {1200, 104.5, 0}) << 5 << 0 << "";
    QTest::newRow("an elevation under the last point")
        << 4 << 1 << QStringList{"103", "<Enter>"} << with(kRoad, 4, {1100, 103, 0}) << 5 << 1
        << "";
    // An arrow after Tab moves to the next cell, not along the text.
    QTest::newRow("Tab leaves no editor open")
        << 1 << 0 << QStringList{"K0+310", "<Tab>", "<Right>"} << with(kRoad, 1, {310, 106, 4000})
        << 1 << 2 << "";
    QTest::newRow("Tab from the radius to the remark")
        << 1 << 2 << QStringList{"<Tab>"} << kRoad << 1 << kRemark << "";
    QTest::newRow("Tab from the remark to the next station")
        << 1 << kRemark << QStringList{"<Tab>"} << kRoad << 2 << 0 << "";
    QTest::newRow("Shift+Tab back to the remark above")
        << 2 << 0 << QStringList{"<Backtab>"} << kRoad << 1 << kRemark << "";
    QTest::newRow("Delete clears a radius")
        << 2 << 2 << QStringList{"<Delete>"} << with(kRoad, 2, {700, 98, 0}) << 2 << 2 << "";
    QTest::newRow("a station cannot be cleared")
        << 1 << 0 << QStringList{"<Delete>"} << kRoad << 1 << 0 << "缺少桩号";
    QTest::newRow("full-width digits from an input method")
        << 1 << 1 << QStringList{"<ime:１０７．５>", "<Enter>"}
        << with(kRoad, 1, {300, 107.5, 4000}) << 2 << 1 << "";
    QTest::newRow("a full-width station under the last point")
        << 4 << 0 << QStringList{"<ime:Ｋ１＋２００>", "<Tab>",  "<ime:１０４>", "<Tab>",
                                 "<ime:８０００>",     "<Enter>"}
        << with(kRoad, 4, {1200, 104, 8000}) << 5 << 0 << "";
  }
  void keys() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QStringList, steps);
    QFETCH(Points, points);
    QFETCH(int, endRow);
    QFETCH(int, endColumn);
    QFETCH(QString, message);
    table()->setCurrentIndex(table()->model()->index(row, column));
    run(steps);
    QCOMPARE(window().document().points(), points);
    QCOMPARE(table()->currentIndex().row(), endRow);
    QCOMPARE(table()->currentIndex().column(), endColumn);
    QCOMPARE(QApplication::focusWidget(), table());
    QVERIFY2(window().statusBar()->currentMessage().contains(message),
             qPrintable(window().statusBar()->currentMessage()));
    // No curve shows as an empty cell, never as 0, and the row under the
    // last point stays empty.
    const QAbstractItemModel* model = table()->model();
    QCOMPARE(model->rowCount(), static_cast<int>(points.size()) + 1);
    for (int r = 0; r < model->rowCount(); ++r) {
      const bool none = r == static_cast<int>(points.size()) || points[r].radius == 0;
      QCOMPARE(model->index(r, 2).data().toString().isEmpty(), none);
    }
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::TableEntryTest)
#include "table_entry_test.moc"
