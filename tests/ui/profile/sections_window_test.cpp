// The 路基设计表 tab as a user meets it: the sections read with the
// profile, edits refused with their reason, undone and redone on the
// panel's own stack, pasted from Excel, exported, and the edges in the
// status bar while the pointer is over the drawing.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

#include "profile_harness.h"
#include "support/zip_member.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/sections/sections_panel.h"
#include "ui/profile/sections/subgrade_panel.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

using T = SectionsTable;

QByteArray example(const char* name) {
  QFile file(QStringLiteral(VCURVE_EXAMPLES "/") + QString::fromLatin1(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString zipMember(const QString& path, const char* name) {
  return QString::fromStdString(
      vcurve::testing::zipMember(testing::WindowHarness::read(path).toStdString(), name));
}

// The PDF's words as a reader's text layer gives them, line by line.
QString pdfText(const QString& path) {
  QProcess run;
  run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  // Compatibility forms folded: a CJK font may map 高 to its radical's code.
  return run.waitForFinished(30'000) ? QString::fromUtf8(run.readAllStandardOutput())
                                           .normalized(QString::NormalizationForm_KC)
                                     : QString();
}

}  // namespace

class SectionsWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;

  SubgradePanel* panel() { return gui->window().subgradePanel(); }
  SectionsState* state() { return panel()->state(); }
  // The 路基设计表's cell at a station.
  QString cell(const QString& station, int column) {
    QAbstractItemModel* m = panel()->table()->model();
    for (int r = 0; r < m->rowCount(); ++r) {
      if (m->index(r, 0).data().toString() == station) return m->index(r, column).data().toString();
    }
    return QStringLiteral("(no row)");
  }

 private Q_SLOTS:
  void init() {
    gui = std::make_unique<testing::WindowHarness>();
    gui->write("road-sections.csv", example("mountain-highway-sections.csv"));
    QVERIFY(gui->window().openPath(gui->write("road.csv", example("mountain-highway.csv"))));
  }
  void cleanup() { gui.reset(); }

  void theTabShowsTheSampleRoadsRows() {
    auto* tabs = gui->window().findChild<QTabWidget*>();
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
    QCOMPARE(titles.indexOf(QStringLiteral("路基设计表")),
             titles.indexOf(QStringLiteral("逐桩高程表")) + 1);
    QCOMPARE(state()->rowCount(T::Templates), 2);
    QCOMPARE(state()->rowCount(T::Curves), 6);
    // What vcurve-table writes for the same files: 357 stations, and at
    // full superelevation the high left edge 0.480 above the design line.
    QCOMPARE(panel()->rowCount(), 357);
    QCOMPARE(cell(QStringLiteral("K0+600.000"), 7), QStringLiteral("0.480"));
    QCOMPARE(cell(QStringLiteral("K0+600.000"), 13), QStringLiteral("-6.00"));
    QCOMPARE(cell(QStringLiteral("K0+580.000"), 14), QStringLiteral("全超高起点"));
  }

  void aRowThatCannotStandIsRefusedWithItsReason_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("transitions overlap") << 1 << 1 << 0 << "K0+800"
                                         << "超高第 2 行：超高起点 K0+800.000 与前一行的超高过渡段";
    QTest::newRow("templates overlap") << 0 << 1 << 0 << "K3+000"
                                       << "横断面第 2 行：";
    QTest::newRow("width not a number") << 0 << 0 << 3 << "3.5米"
                                        << "横断面第 1 行：左行车道宽度";
    QTest::newRow("negative width") << 0 << 0 << 5 << "-0.75"
                                    << "横断面第 1 行：";
    QTest::newRow("station that does not read") << 1 << 0 << 3 << "K0+8a0"
                                                << "不是桩号";
    // The reader would take it for a header row and drop the row unsaid.
    QTest::newRow("first station without a digit") << 0 << 1 << 0 << "K"
                                                   << "横断面第 2 行：起点桩号“K”不是桩号";
    QTest::newRow("side unknown") << 1 << 0 << 5 << "上"
                                  << "偏向“上”应为左或右";
  }
  void aRowThatCannotStandIsRefusedWithItsReason() {
    QFETCH(int, table);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QTableView* view = panel()->editor()->view(static_cast<T>(table));
    const QString before = view->model()->index(row, column).data().toString();
    const int steps = state()->undoStack()->count();
    QVERIFY(!view->model()->setData(view->model()->index(row, column), text, Qt::EditRole));
    QVERIFY2(panel()->editor()->refusal().contains(reason),
             qPrintable(panel()->editor()->refusal()));
    QCOMPARE(view->model()->index(row, column).data().toString(), before);
    QCOMPARE(state()->undoStack()->count(), steps);
  }

  void anEditIsUndoneAndRedoneOnThePanelsOwnStack() {
    QTableView* view = panel()->editor()->view(T::Templates);
    const QString width = cell(QStringLiteral("K1+000.000"), 5);
    QCOMPARE(width, QStringLiteral("5.000"));
    QVERIFY(view->model()->setData(view->model()->index(0, 3), "3.75", Qt::EditRole));
    QCOMPARE(cell(QStringLiteral("K1+000.000"), 5), QStringLiteral("5.250"));
    QVERIFY(panel()->editor()->refusal().isEmpty());
    // Ctrl+Z in the sections' table undoes the sections, not the profile.
    const int profileSteps = gui->window().document().undoStack()->count();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(QStringLiteral("K1+000.000"), 5), QStringLiteral("5.000"));
    QCOMPARE(gui->window().document().undoStack()->count(), profileSteps);
    state()->undoStack()->redo();
    QCOMPARE(cell(QStringLiteral("K1+000.000"), 5), QStringLiteral("5.250"));
  }

  void cellsPastedFromExcelAreTakenOrRefusedWhole() {
    QTableView* view = panel()->editor()->view(T::Curves);
    view->setCurrentIndex(view->model()->index(5, 0));
    // The last curve's row as copied from the sheet, its first cell and all.
    QApplication::clipboard()->setText(
        QStringLiteral("超高\tK5+800\tK5+850\tK6+010\tK6+060\t5\t左\r\n"));
    panel()->editor()->paste(T::Curves);
    QCOMPARE(state()->cellText(T::Curves, 5, 1), QStringLiteral("K5+850.000"));
    QCOMPARE(state()->cellText(T::Curves, 5, 5), QStringLiteral("左"));
    // Two rows, the second overlapping: neither is taken.
    QApplication::clipboard()->setText(
        QStringLiteral("K6+100\tK6+150\tK6+200\tK6+250\t4\t右\t内边线\nK6+200\tK6+210\tK6+220\tK6+"
                       "230\t4\t右\t内边线\n"));
    view->setCurrentIndex(view->model()->index(6, 0));
    panel()->editor()->paste(T::Curves);
    QCOMPARE(state()->rowCount(T::Curves), 6);
    QVERIFY2(panel()->editor()->refusal().contains(QStringLiteral("超高第 8 行")),
             qPrintable(panel()->editor()->refusal()));
  }

  void aFileWithABadRowKeepsTheOthersAndSavesBackTheSame() {
    const QByteArray bad = example("mountain-highway-sections.csv") +
                           "超高,K6+050,K6+100,K6+200,K6+250,4,右,内边线,0\r\n";
    gui->dialogs.paths = {gui->write("bad.csv", bad)};
    gui->window().importSections();
    QCOMPARE(state()->rowCount(T::Curves), 6);
    QCOMPARE(gui->dialogs.asked.size(), 2);
    QVERIFY2(gui->dialogs.asked.back().contains(QStringLiteral("第 12 行")),
             qPrintable(gui->dialogs.asked.back()));
    // Saved and read again, the rows are the same to the last digit.
    const QByteArray saved = state()->csv();
    const sections::Sections before = state()->sections();
    QVERIFY(state()->load(saved, QStringLiteral("again.csv")).isEmpty());
    QVERIFY(state()->sections().templates() == before.templates());
    QVERIFY(state()->sections().curves() == before.curves());
  }

  void insertedAndDeletedRowsAreOneStepEach() {
    const int steps = state()->undoStack()->count();
    QVERIFY(state()->insertRow(T::Curves, 5).isEmpty());
    QCOMPARE(state()->rowCount(T::Curves), 7);
    // A curve as long as the one before, 100 m after its end.
    QCOMPARE(state()->cellText(T::Curves, 6, 0), QStringLiteral("K6+160.000"));
    QVERIFY(state()->removeRows(T::Curves, 0, 2).isEmpty());
    QCOMPARE(state()->rowCount(T::Curves), 5);
    QCOMPARE(state()->undoStack()->count(), steps + 2);
    state()->undoStack()->undo();
    state()->undoStack()->undo();
    QCOMPARE(state()->rowCount(T::Curves), 6);
    QCOMPARE(state()->cellText(T::Curves, 0, 0), QStringLiteral("K0+520.000"));
  }

  void theTableIsExportedAsTheCommandLineWritesIt() {
    const QString csv = gui->dir.filePath(QStringLiteral("out.csv"));
    const QString pdf = gui->dir.filePath(QStringLiteral("out.pdf"));
    gui->dialogs.paths = {csv, pdf};
    gui->window().exportSubgradeCsv();
    gui->window().saveSubgradePdf();
    QCOMPARE(gui->dialogs.asked, QStringList({"save as", "save as"}));
    const QByteArray text = testing::WindowHarness::read(csv);
    QVERIFY(text.startsWith("\xEF\xBB\xBF桩号,地面高程(m),设计高程(m),"));
    QCOMPARE(text.count("\r\n"), 358);
    QVERIFY(text.contains("K0+600.000,,834.900,,,5.000,5.600,0.480,"));
    QVERIFY(testing::WindowHarness::read(pdf).startsWith("%PDF-"));
  }

  void theStakeTableGainsTheEdgesWithTheSections() {
    const auto* stake = gui->window().stakePanel()->findChild<QTableView*>()->model();
    QCOMPARE(stake->columnCount(), 9);
    QCOMPARE(stake->headerData(7, Qt::Horizontal).toString(), QStringLiteral("左路肩高程(m)"));
    int row = 0;
    while (stake->index(row, 0).data().toString() != QStringLiteral("K0+600.000")) ++row;
    QCOMPARE(stake->index(row, 7).data().toString(), QStringLiteral("835.380"));
    QCOMPARE(stake->index(row, 8).data().toString(), QStringLiteral("834.812"));
    // Without sections the table is as it always was.
    QVERIFY(state()->removeRows(T::Templates, 0, 2).isEmpty());
    QCOMPARE(stake->columnCount(), 7);
  }

  // The files say what the screen shows: the edges after 备注 while the
  // sections are loaded, and the table as it always was once they are not.
  void theStakeFilesCarryTheEdgesTheScreenShows() {
    const StakePanel* stake = gui->window().stakePanel();
    const auto* model = stake->findChild<QTableView*>()->model();
    int row = 0;
    while (model->index(row, 0).data().toString() != QStringLiteral("K0+600.000")) ++row;
    const auto exportAll = [&](const QString& name) {
      QString error;
      for (const char* format : {"csv", "xlsx", "pdf"}) {
        const QString path = gui->dir.filePath(name + "." + format);
        const bool written = QByteArray(format) == "csv"    ? stake->exportCsv(path, &error)
                             : QByteArray(format) == "xlsx" ? stake->exportXlsx(path, &error)
                                                            : stake->savePdf(path, &error);
        if (!written) return error;
      }
      return QString();
    };
    QCOMPARE(exportAll("edges"), QString());
    QVERIFY(state()->removeRows(T::Templates, 0, 2).isEmpty());
    QCOMPARE(exportAll("plain"), QString());

    const QString edges =
        QString::fromUtf8(testing::WindowHarness::read(gui->dir.filePath("edges.csv")));
    const QString plain =
        QString::fromUtf8(testing::WindowHarness::read(gui->dir.filePath("plain.csv")));
    QVERIFY(testing::WindowHarness::read(gui->dir.filePath("edges.csv"))
                .startsWith("\xEF\xBB\xBF桩号,设计高程(m),地面高程(m),填高(m),挖深(m),纵坡(%),"
                            "备注,左路肩高程(m),右路肩高程(m)\r\n"));
    QVERIFY(edges.contains(
        QRegularExpression(R"(\r\nK0\+600\.000,834\.900,[^\r]*,835\.380,834\.812\r\n)")));
    // Every record the same but for the two fields at its end.
    QString stripped = edges;
    stripped.replace(QRegularExpression(R"(,[^,\r\n]*,[^,\r\n]*\r\n)"), QStringLiteral("\r\n"));
    QCOMPARE(plain, stripped);

    const QString cell = QStringLiteral(R"(<c r="%1%2"[^>]*><v>%3</v>)");
    const QString line = QString::number(row + 4);  // under the title, the particulars, the header
    const QString withEdges =
        zipMember(gui->dir.filePath("edges.xlsx"), "xl/worksheets/sheet1.xml");
    QVERIFY(withEdges.contains(QStringLiteral("<mergeCell ref=\"A1:I1\"/>")));
    QVERIFY(withEdges.contains(QStringLiteral("<t>左路肩高程(m)</t>")));
    QVERIFY(withEdges.contains(QStringLiteral("<t>右路肩高程(m)</t>")));
    QVERIFY(withEdges.contains(
        QRegularExpression(cell.arg(QStringLiteral("H"), line, QStringLiteral("835\\.38")))));
    QVERIFY(withEdges.contains(
        QRegularExpression(cell.arg(QStringLiteral("I"), line, QStringLiteral("834\\.812")))));
    const QString without = zipMember(gui->dir.filePath("plain.xlsx"), "xl/worksheets/sheet1.xml");
    QVERIFY(without.contains(QStringLiteral("<mergeCell ref=\"A1:G1\"/>")));
    QVERIFY(!without.contains(QStringLiteral("路肩")));
    QVERIFY(!without.contains(QRegularExpression(QStringLiteral(R"(<c r="H%1")").arg(line))));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      QSKIP("pdftotext is not installed to read the PDF back");
    }
    const QString printed = pdfText(gui->dir.filePath("edges.pdf"));
    QVERIFY2(printed.contains(QStringLiteral("左路肩高程")), qPrintable(printed.left(2000)));
    QVERIFY2(printed.contains(QRegularExpression(R"(K0\+600\.000 [^\n]*835\.380 +834\.812)")),
             qPrintable(printed.left(4000)));
    const QString unprinted = pdfText(gui->dir.filePath("plain.pdf"));
    QVERIFY(unprinted.contains(QStringLiteral("K0+600.000")));
    QVERIFY(!unprinted.contains(QStringLiteral("路肩")));
    QVERIFY(!unprinted.contains(QRegularExpression(R"(K0\+600\.000 [^\n]*835\.380 +834\.812)")));
  }

  void theStatusBarGivesTheEdgesUnderThePointer() {
    ProfileView* view = gui->window().drawing();
    view->setMouseTracking(true);
    QTest::mouseMove(view, view->mapToView(600, 834.9).toPoint());
    const QString hover = gui->window().hoverLabel()->text();
    QVERIFY2(hover.contains(QStringLiteral("左路肩 835.3")), qPrintable(hover));
    QVERIFY2(hover.contains(QStringLiteral("右路肩 834.8")), qPrintable(hover));
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::SectionsWindowTest)
#include "sections_window_test.moc"
