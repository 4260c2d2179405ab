// The 纵坡竖曲线表: its model against Qt's contract, edits reaching the
// derived columns and the findings, refused cells, pasted blocks, and undo.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include "profile/csv_records.h"
#include "profile/profile_csv.h"
#include "profile_harness.h"
#include "ui/profile/profile_document.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/table_edits.h"

Q_DECLARE_METATYPE(std::vector<vcurve::profile::ProfilePoint>)

namespace vcurve::profileui {
namespace {

using profile::ProfilePoint;
using profile::TableColumn;
using Points = std::vector<ProfilePoint>;

// A crest of R 4000 and a sag of R 3000 between 2 %, -2 % and 1.2 % grades:
// at 80 km/h both curves are shorter than the 一般值 and the crest's radius
// is under its 一般值, three warnings.
const Points kRoad{{0, 100, 0}, {300, 106, 4000}, {700, 98, 3000}, {1000, 101.6, 0}};

int col(TableColumn column) { return static_cast<int>(column); }

std::string csvOf(const ProfileDocument& document) {
  return profile::profileCsv(*document.profile());
}

}  // namespace

class ProfileTableTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ProfileDocument> document;
  std::unique_ptr<ProfileTableModel> model;

 private Q_SLOTS:
  void init() {
    document = std::make_unique<ProfileDocument>();
    document->setDesignSpeed(80);
    document->replace(kRoad, nullptr);
    model = std::make_unique<ProfileTableModel>(document.get());
  }
  void cleanup() {
    model.reset();
    document.reset();
  }

  // Every kind of change the window makes, watched by Qt's model tester.
  void modelKeepsItsContract() {
    QAbstractItemModelTester tester(model.get(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model->setData(model->index(1, col(TableColumn::Elevation)), "107", Qt::EditRole));
    // Typed into the empty row under the last point.
    QVERIFY(model->setData(model->index(4, col(TableColumn::Station)), "K1+100", Qt::EditRole));
    const auto act = [&](const TableEdit& edit) {
      QVERIFY2(edit.ok(), edit.error.c_str());
      QVERIFY(document->editPoints(edit.points, edit.change, "edit").isEmpty());
    };
    act(insertPoint(document->points(), 1));
    act(insertPoint(document->points(), document->points().size()));
    act(deletePoints(document->points(), {0, 2}));
    // Rows both changed and added or taken away, next to each other.
    act(pasteCells(document->points(), 3, 0, profile::pastedCells("K1+100\t103\nK1+500\t104\n"),
                   PasteMode::Over));
    document->undoStack()->undo();
    document->undoStack()->undo();
    document->undoStack()->redo();
    model->setStationStyle(profile::StationStyle::Metres);
    document->setDesignSpeed(std::nullopt);
    document->replace(newProfilePoints(), nullptr);
    QCOMPARE(model->rowCount(), 3);
  }

  // A run over the 最大坡长 colours the 坡长 of every grade of it.
  void aRunIsMarkedOnEachOfItsGrades() {
    // 80 km/h: 5 % for 400 m then 6 % for 300 m is 400/700 + 300/500 > 1.
    document->replace({{0, 100, 0}, {400, 120, 0}, {700, 138, 0}, {1000, 141, 0}}, nullptr);
    const int length = col(TableColumn::GradeLength);
    const QVariant first = model->data(model->index(0, length), Qt::BackgroundRole);
    QCOMPARE(model->data(model->index(1, length), Qt::BackgroundRole), first);
    QVERIFY(first != model->data(model->index(2, length), Qt::BackgroundRole));
    QVERIFY(model->data(model->index(0, length), Qt::ToolTipRole).toString().contains("最大坡长"));
    QVERIFY(model->data(model->index(1, length), Qt::ToolTipRole).toString().contains("最大坡长"));
    QVERIFY(!model->data(model->index(2, length), Qt::ToolTipRole).isValid());
  }

  void editReachesDerivedColumnsAndFindings() {
    const QModelIndex radius = model->index(1, col(TableColumn::Radius));
    const QModelIndex tangent = model->index(1, col(TableColumn::Tangent));
    QCOMPARE(tangent.data().toString(), QStringLiteral("80.000"));
    QCOMPARE(radius.data(Qt::BackgroundRole).value<QColor>(), ProfileTableModel::warningColour());
    QVERIFY(!profile::hasErrors(document->findings()));

    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    QVERIFY(model->setData(radius, "2000", Qt::EditRole));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(tangent.data().toString(), QStringLiteral("40.000"));
    QCOMPARE(radius.data(Qt::BackgroundRole).value<QColor>(), ProfileTableModel::errorColour());
    QVERIFY(radius.data(Qt::ToolTipRole).toString().contains(QStringLiteral("凸形竖曲线最小半径")));
    QVERIFY(profile::hasErrors(document->findings()));
    QCOMPARE(document->undoStack()->count(), 1);
  }

  void refusedCellKeepsItsValue_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not a station") << 1 << 0 << "K0+3x0"
                                   << "不是桩号";
    QTest::newRow("negative radius") << 1 << 2 << "-5"
                                     << "不能为负";
    QTest::newRow("empty elevation") << 2 << 1 << " "
                                     << "缺少高程";
    QTest::newRow("not a number") << 2 << 1 << "98,5"
                                  << "不是数字";
    QTest::newRow("past the next station") << 1 << 0 << "K0+800"
                                           << "桩号须由小到大";
    QTest::newRow("derived column") << 1 << 3 << "2.5"
                                    << "";
  }
  void refusedCellKeepsItsValue() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    const QModelIndex cell = model->index(row, column);
    const QString before = cell.data().toString();
    QSignalSpy refused(model.get(), &ProfileTableModel::editRefused);
    QVERIFY(!model->setData(cell, text, Qt::EditRole));
    QCOMPARE(cell.data().toString(), before);
    QCOMPARE(document->points(), kRoad);
    QCOMPARE(document->undoStack()->count(), 0);
    if (reason.isEmpty()) {
      QCOMPARE(refused.count(), 0);
    } else {
      QCOMPARE(refused.count(), 1);
      QVERIFY2(refused.front().front().toString().contains(reason),
               qPrintable(refused.front().front().toString()));
    }
  }

  void pasteFromExcel_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("below");
    QTest::addColumn<Points>("expected");  // empty: refused
    Points elevations = kRoad;
    elevations[1].elevation = 105.5;
    elevations[2].elevation = 97;
    QTest::newRow("over a column") << "105.5\n97\n" << 1 << 1 << false << elevations;
    Points first = kRoad;
    first[0].elevation = 99.5;
    // A header row and the derived columns come along from a copied table.
    QTest::newRow("header and derived columns")
        << "变坡点桩号\t高程(m)\t竖曲线半径R(m)\t纵坡i(%)\r\nK0+000\t99.5\t\t2.17\r\n"
        << 0 << 0 << false << first;
    Points longer = kRoad;
    longer.push_back({1200, 103, 0});
    longer.push_back({1500.5, 104, 0});
    longer[3].radius = 5000;
    QTest::newRow("past the end") << "K1+000\t101.6\t5000\nK1+200\t103\n1500.5\t104\n"
                                  << 3 << 0 << false << longer;
    Points inserted = kRoad;
    inserted.insert(inserted.begin() + 1, ProfilePoint{150, 103, 0});
    QTest::newRow("below") << "K0+150\t103\t\n" << 0 << 2 << true << inserted;
    QTest::newRow("one bad cell refuses all") << "105.5\nxyz\n" << 1 << 1 << false << Points{};
    QTest::newRow("new point without elevation") << "K1+200\n" << 4 << 0 << false << Points{};
    QTest::newRow("out of order") << "K0+800\n" << 1 << 0 << false << Points{};
    QTest::newRow("onto derived columns") << "1\t2\n" << 0 << 4 << false << Points{};
    QTest::newRow("nothing but text") << "桩号\t高程\n" << 0 << 0 << false << Points{};
  }
  void pasteFromExcel() {
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, below);
    QFETCH(Points, expected);
    const TableEdit edit = pasteCells(
        document->points(), static_cast<std::size_t>(row), static_cast<std::size_t>(column),
        profile::pastedCells(text.toStdString()), below ? PasteMode::Below : PasteMode::Over);
    const QString refusal = edit.ok() ? document->editPoints(edit.points, edit.change, "paste")
                                      : QString::fromStdString(edit.error);
    if (expected.empty()) {
      QVERIFY(!refusal.isEmpty());
      QCOMPARE(document->points(), kRoad);
      return;
    }
    QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    QCOMPARE(document->points(), expected);
    QCOMPARE(document->undoStack()->count(), 1);
    QCOMPARE(model->rowCount(), static_cast<int>(expected.size()) + 1);
  }

  // Each action one step; every undo gives back the file exactly as it
  // was before that action, and every redo the file after it.
  void undoAndRedoRestoreTheFile() {
    std::vector<std::string> files{csvOf(*document)};
    const auto act = [&](const TableEdit& edit) {
      QVERIFY(edit.ok());
      QVERIFY(document->editPoints(edit.points, edit.change, "edit").isEmpty());
      files.push_back(csvOf(*document));
    };
    QVERIFY(model->setData(model->index(2, col(TableColumn::Radius)), "2500.25", Qt::EditRole));
    files.push_back(csvOf(*document));
    act(pasteCells(document->points(), 0, 0, profile::pastedCells("K0+100\t101\t\nK0+200\t103\t\n"),
                   PasteMode::Below));
    act(insertPoint(document->points(), 4));
    act(deletePoints(document->points(), {1, 3}));
    QCOMPARE(document->undoStack()->count(), 4);
    QUndoStack* undo = document->undoStack();
    for (std::size_t step = files.size() - 1; step > 0; --step) {
      undo->undo();
      QCOMPARE(csvOf(*document), files[step - 1]);
    }
    QVERIFY(undo->isClean());
    for (std::size_t step = 1; step < files.size(); ++step) {
      undo->redo();
      QCOMPARE(csvOf(*document), files[step]);
    }
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::ProfileTableTest)
#include "profile_table_test.moc"
