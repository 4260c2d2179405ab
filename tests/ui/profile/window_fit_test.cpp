// The profile window as it meets a user's screen and paper: a station gone
// to is marked with its elevations, nothing is cut short on a small screen,
// Qt's own dialogs speak Chinese and start where the road is, and the
// tables can be previewed before they are printed.

#include <QAction>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "profile_harness.h"
#include "ui/profile/chinese_file_dialog.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/elevation_lookup.h"
#include "ui/profile/findings_panel.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

// A grade of 150 m between two curves, too short at 80 km/h, so that a
// finding names a place from one station to another.
const QByteArray kRoadCsv =
    "\xEF\xBB\xBF变坡点桩号,高程(m),竖曲线半径R(m)\r\n"
    "K0+000,100,\r\nK0+300,106,2000\r\nK0+450,100,2000\r\nK1+000,101.6,\r\n";

QByteArray longRoad(int points) {
  QByteArray csv = "桩号,高程,半径\r\n";
  for (int i = 0; i < points; ++i) {
    csv += QByteArray::number(i * 400) + ',' + QByteArray::number(100 + (i % 2) * 6) + ',' +
           (i == 0 || i + 1 == points ? "" : "8000") + "\r\n";
  }
  return csv;
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;
  ProfileWindow& window() { return gui->window(); }
  QString status() { return window().statusBar()->currentMessage(); }
  void open(const QByteArray& csv = kRoadCsv) {
    QVERIFY(window().openPath(gui->write("road.csv", csv)));
  }

 private Q_SLOTS:
  void init() { gui = std::make_unique<testing::WindowHarness>(); }
  void cleanup() { gui.reset(); }

  // 定位 goes to the row at or after the station typed, says so when the
  // station is no row, and marks the station itself, not the row.
  void locatedStationIsMarkedWithItsElevations_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("station");
    QTest::addColumn<QString>("note");
    QTest::newRow("a row") << "K0+140" << 140.0 << QString();
    QTest::newRow("between rows") << "K0+130" << 130.0
                                  << QStringLiteral(
                                         "K0+130.000 不是表中的桩，已定位到其后的 K0+140.000");
  }
  void locatedStationIsMarkedWithItsElevations() {
    QFETCH(QString, typed);
    QFETCH(double, station);
    QFETCH(QString, note);
    open();
    StakePanel* stake = window().stakePanel();
    QVERIFY(stake->setInterval(20));
    auto* find = stake->findChild<QLineEdit*>(QStringLiteral("findStation"));
    find->setText(typed);
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(window().drawing()->markedStation(), std::optional<double>(station));
    QVERIFY2(status().startsWith(note), qPrintable(status()));
    QCOMPARE(status().contains(QStringLiteral("不是表中的桩")), !note.isEmpty());
    QVERIFY2(status().contains(QStringLiteral("设计高程(m) ")), qPrintable(status()));
  }

  // The reverse lookup marks the station it found; the table the user is
  // in stays in front, and no PVI is selected instead.
  void lookedUpStationIsMarkedNotItsPvi() {
    open();
    auto* tabs = window().findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    ElevationLookup* lookup = window().elevationLookup();
    lookup->field()->setText(QStringLiteral("103"));
    QTest::keyClick(lookup->field(), Qt::Key_Return);
    QVERIFY(lookup->results()->count() >= 1);
    QListWidgetItem* first = lookup->results()->item(0);
    Q_EMIT lookup->results()->itemActivated(first);
    const auto marked = window().drawing()->markedStation();
    QVERIFY(marked.has_value());
    QVERIFY2(*marked > 0 && *marked < 300, qPrintable(QString::number(*marked)));
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(!window().table()->selectionModel()->hasSelection());
    QVERIFY2(status().contains(QStringLiteral("设计高程(m) 103.000")), qPrintable(status()));
    // Another road: the mark was on this one.
    open();
    QVERIFY(!window().drawing()->markedStation().has_value());
  }

  // A station outside a zoomed view is brought into it, not marked unseen.
  void markedStationIsBroughtIntoView() {
    open();
    ProfileView* view = window().drawing();
    for (int i = 0; i < 8; ++i) QTest::keyClick(view, Qt::Key_Plus);
    const double far = 950;
    const double z = *window().document().profile()->elevationAt(far);
    QVERIFY(!view->rect().contains(view->mapToView(far, z).toPoint()));
    view->setMarkedStation(far);
    QVERIFY(view->rect().contains(view->mapToView(far, z).toPoint()));
  }

  // At 1024×640 the window keeps its size and no title or place is cut.
  void smallScreenShowsEveryTextWhole() {
    open();
    window().stakePanel();
    window().resize(1024, 640);
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    QCoreApplication::processEvents();
    QCOMPARE(window().size(), QSize(1024, 640));
    const auto views = {window().table(), window().stakePanel()->findChild<QTableView*>(
                                              QStringLiteral("stakeTable"))};
    for (QTableView* view : views) {
      const QHeaderView* header = view->horizontalHeader();
      for (int c = 0; c < header->count(); ++c) {
        QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c),
                 qPrintable(view->objectName() + ' ' +
                            view->model()->headerData(c, Qt::Horizontal).toString()));
      }
    }
    QTreeWidget* findings = window().findingsPanel()->list();
    QVERIFY(findings->topLevelItemCount() > 0);
    bool range = false;
    for (int i = 0; i < findings->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = findings->topLevelItem(i);
      range = range || item->text(4).contains(QStringLiteral("–K0+"));
      for (int c = 0; c < findings->columnCount(); ++c) {
        const int needed = findings->fontMetrics().horizontalAdvance(item->text(c));
        QVERIFY2(findings->columnWidth(c) >= needed, qPrintable(item->text(c)));
        QVERIFY(!item->toolTip(c).isEmpty());
      }
    }
    QVERIFY(range);
  }

  // Maximised, the drawing has its share of the height; a split the user
  // chose comes back with the window.
  void drawingKeepsItsShareAndTheUsersSplit() {
    window().resize(1600, 860);
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    auto* split = window().findChild<QSplitter*>(QStringLiteral("mainSplitter"));
    const QList<int> sizes = split->sizes();
    QVERIFY2(sizes[0] * 10 >= (sizes[0] + sizes[1]) * 4, qPrintable(QString::number(sizes[0])));
    split->setSizes({200, sizes[0] + sizes[1] - 200});
    const QList<int> chosen = split->sizes();
    window().close();
    ProfileWindow again({&gui->dialogs, &gui->settings()});
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->sizes(), chosen);
  }

  // The open dialogs start in the road's folder, or the last road's, never
  // in the program's working folder.
  void openDialogsStartWhereTheRoadIs() {
    window().action(Command::ImportGround)->trigger();
    QCOMPARE(gui->dialogs.folder,
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    open();
    window().action(Command::ImportGround)->trigger();
    QCOMPARE(gui->dialogs.folder, QDir(gui->dir.path()).absolutePath());
    window().newProfile();
    window().action(Command::Open)->trigger();
    QCOMPARE(gui->dialogs.folder, QDir(gui->dir.path()).absolutePath());
  }

  // Qt's translations are installed, and what they leave to the system's
  // locale (sizes, dates, a folder's type) is written in Chinese too.
  void fileDialogTextsAreChinese() {
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("打开"));
    QDir folder(gui->dir.path());
    QVERIFY(folder.mkdir(QStringLiteral("sub")));
    gui->write("road.csv", QByteArray(546, 'x'));
    const auto dialog = makeFileDialog(nullptr, QStringLiteral("打开"), folder.filePath("road.csv"),
                                       QStringLiteral("CSV 文件 (*.csv)"), QFileDialog::AcceptOpen);
    QCOMPARE(QDir(dialog->directory()).absolutePath(), folder.absolutePath());
    QAbstractItemModel* files = dialog->proxyModel();
    auto* source = qobject_cast<QFileSystemModel*>(dialog->proxyModel()->sourceModel());
    QVERIFY(source != nullptr);
    const QModelIndex root = dialog->proxyModel()->mapFromSource(source->index(folder.path()));
    QTRY_COMPARE(files->rowCount(root), 2);
    const auto text = [&](int row, int column) {
      return files->index(row, column, root).data().toString();
    };
    const int sub = text(0, 0) == QStringLiteral("sub") ? 0 : 1;
    QCOMPARE(text(sub, 2), QStringLiteral("文件夹"));
    QCOMPARE(text(1 - sub, 1), QStringLiteral("546 字节"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    QVERIFY2(!text(1 - sub, 3).contains(latin), qPrintable(text(1 - sub, 3)));
    QCOMPARE(files->headerData(1, Qt::Horizontal).toString(), QStringLiteral("大小"));
  }

  // Each table previewed as it prints: a long 纵坡竖曲线表 on more pages
  // than one, every command without a printer in reach.
  void tablesPreviewAsTheyPrint_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pages");
    QTest::newRow("stake table") << int(Command::PreviewStake) << 4 << 1;
    QTest::newRow("stake table, long") << int(Command::PreviewStake) << 40 << 4;
    QTest::newRow("design table") << int(Command::PreviewDesign) << 4 << 1;
    QTest::newRow("design table, long") << int(Command::PreviewDesign) << 40 << 2;
  }
  void tablesPreviewAsTheyPrint() {
    QFETCH(int, command);
    QFETCH(int, points);
    QFETCH(int, pages);
    open(longRoad(points));
    QAction* preview = window().action(static_cast<Command>(command));
    QVERIFY(preview != nullptr);
    preview->trigger();
    QCOMPARE(gui->dialogs.asked.value(0), QStringLiteral("preview"));
    QVERIFY2(gui->dialogs.previewPages >= pages,
             qPrintable(QString::number(gui->dialogs.previewPages)));
    QCOMPARE(window().action(Command::PreviewStake)->shortcut(), QKeySequence(QKeySequence::Print));
  }

  void designTableSavesAsPdf() {
    open(longRoad(40));
    const QString path = gui->dir.filePath(QStringLiteral("表"));
    gui->dialogs.paths.push_back(path);
    window().action(Command::SaveDesignPdf)->trigger();
    const QByteArray pdf = testing::WindowHarness::read(path + QStringLiteral(".pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 2);
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::WindowFitTest)
#include "window_fit_test.moc"
