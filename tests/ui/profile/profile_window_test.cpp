// The profile window's commands as a user meets them: files saved and
// opened, unsaved changes on closing, a dragged PVI, copy and paste.

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "profile/profile_text.h"
#include "profile_harness.h"
#include "ui/profile/code_chooser.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/findings_panel.h"
#include "ui/profile/profile_files.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

const QByteArray kRoadCsv =
    "\xEF\xBB\xBF变坡点桩号,高程(m),竖曲线半径R(m)\r\n"
    "K0+000,100,\r\nK0+300,106,4000\r\nK0+700,98,3000\r\nK1+000,101.6,\r\n";

const QByteArray kRoadXml =
    "<?xml version=\"1.0\"?><LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
    "version=\"1.2\"><Units><Metric linearUnit=\"meter\"/></Units><Alignments>"
    "<Alignment name=\"main\" length=\"1000\" staStart=\"0\"><Profile name=\"main\">"
    "<ProfAlign name=\"main\"><PVI>0 100</PVI><ParaCurve length=\"160\">300 106</ParaCurve>"
    "<PVI>1000 99</PVI></ProfAlign></Profile></Alignment></Alignments></LandXML>";

}  // namespace

class ProfileWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;

  ProfileWindow& window() { return gui->window(); }
  ProfileTableModel* model() { return window().tableModel(); }
  void typeCell(int row, int column, const QString& text) {
    QVERIFY(model()->setData(model()->index(row, column), text, Qt::EditRole));
  }

 private Q_SLOTS:
  void init() { gui = std::make_unique<testing::WindowHarness>(); }
  void cleanup() { gui.reset(); }

  void saveThenOpenGivesTheSameProfile() {
    const QString path = gui->write("road.csv", kRoadCsv);
    QVERIFY(window().openPath(path));
    QCOMPARE(window().windowTitle(), QStringLiteral("road.csv[*] - 纵断面设计"));
    typeCell(1, 1, "106.25");
    QVERIFY(window().isWindowModified());
    const auto edited = window().document().points();

    QVERIFY(window().save());
    QVERIFY(!window().isWindowModified());
    QCOMPARE(gui->dialogs.asked, QStringList());
    const QByteArray saved = testing::WindowHarness::read(path);
    QCOMPARE(saved, documentBytes(window().document(), FileFormat::Csv));

    testing::WindowHarness other;
    QVERIFY(other.window().openPath(path));
    QCOMPARE(other.window().document().points(), edited);
    QCOMPARE(other.settings().value("recentFiles").toStringList().value(0),
             QFileInfo(path).absoluteFilePath());
  }

  // Saving writes only the profile: a file that holds more (a LandXML
  // alignment, a CSV column of its own) is saved under a new name, never over
  // the original.
  void fileHoldingMoreIsNotOverwritten_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("LandXML") << "road.xml" << kRoadXml;
    QTest::newRow("CSV with an unnamed column")
        << "road.csv" << QByteArray(kRoadCsv).replace("K0+300,106,4000", "K0+300,106,4000,桥头");
  }
  void fileHoldingMoreIsNotOverwritten() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = gui->write(name, bytes);
    QVERIFY(window().openPath(path));
    typeCell(2, 1, "98");
    const QString copy = gui->dir.filePath("edited-" + name);
    gui->dialogs.paths = {copy};
    QVERIFY(window().save());
    QCOMPARE(gui->dialogs.asked, QStringList{"save as"});
    QVERIFY(QFileInfo(gui->dialogs.suggested) != QFileInfo(path));
    QCOMPARE(testing::WindowHarness::read(path), bytes);
    QCOMPARE(window().document().filePath(), copy);
    QCOMPARE(testing::WindowHarness::read(copy),
             documentBytes(window().document(), formatForPath(copy)));
  }

  void typedNameTakesTheChosenType_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no suffix") << "/d/road"
                               << "/d/road.xml";
    QTest::newRow("its own suffix") << "/d/road.csv"
                                    << "/d/road.csv";
    QTest::newRow("cancelled") << ""
                               << "";
  }
  void typedNameTakesTheChosenType() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QCOMPARE(withChosenSuffix(typed, QStringLiteral("LandXML 文件 (*.xml)")), saved);
  }

  // Ctrl+S while a cell is still being typed in saves what was typed.
  void saveTakesTheCellBeingTyped() {
    const QString path = gui->write("road.csv", kRoadCsv);
    QVERIFY(window().openPath(path));
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    window().table()->setFocus();
    window().table()->edit(model()->index(2, 1));
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor != window().table());
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "97.125");
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(window().document().points()[2].elevation, 97.125);
    QVERIFY(testing::WindowHarness::read(path).contains("K0+700.000,97.125,3000"));
  }

  void failedSaveKeepsTheChanges() {
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    typeCell(1, 1, "105");
    gui->dialogs.paths = {gui->dir.filePath("no-such-folder/road.csv")};
    QVERIFY(!window().saveAs());
    QVERIFY(gui->dialogs.asked.last().startsWith("error: "));
    QVERIFY(window().isWindowModified());
    QCOMPARE(testing::WindowHarness::read(gui->dir.filePath("road.csv")), kRoadCsv);
  }

  void closingAsksAboutUnsavedChanges_data() {
    QTest::addColumn<SaveChoice>("choice");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("保存") << SaveChoice::Save << true << true;
    QTest::newRow("不保存") << SaveChoice::Discard << true << false;
    QTest::newRow("取消") << SaveChoice::Cancel << false << false;
  }
  void closingAsksAboutUnsavedChanges() {
    QFETCH(SaveChoice, choice);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    const QString path = gui->write("road.csv", kRoadCsv);
    QVERIFY(window().openPath(path));
    typeCell(2, 2, "3500");
    gui->dialogs.saveChoices = {choice};
    QCOMPARE(window().close(), closes);
    QCOMPARE(gui->dialogs.asked, QStringList{"save?"});
    QCOMPARE(testing::WindowHarness::read(path) != kRoadCsv, saved);
  }

  // A file that cannot be opened, or a choice cancelled, leaves the
  // profile on screen as it was.
  void refusedFileKeepsTheProfile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // none: the file is missing
    QTest::addColumn<QString>("told");      // what the user is told, if anything
    QTest::newRow("not a number") << "bad.csv" << QByteArray("K0+000,100\nK1+000,1O1\n")
                                  << "error: 文件“bad.csv”第 2 行第 2 列";
    QTest::newRow("missing") << "gone.csv" << QByteArray() << "error: 无法打开文件“gone.csv”";
    QByteArray two = kRoadXml;
    two.replace("</Alignments>",
                "<Alignment name=\"ramp\"><Profile><ProfAlign name=\"ramp\"><PVI>0 5</PVI>"
                "<PVI>100 6</PVI></ProfAlign></Profile></Alignment></Alignments>");
    QTest::newRow("choice cancelled") << "two.xml" << two << "choose";
    // Endless, and of no size: read only up to the limit.
    if (QFile::exists("/dev/zero")) {
      QTest::newRow("endless") << "/dev/zero" << QByteArray() << "error: 文件“zero”太大";
    }
  }
  void refusedFileKeepsTheProfile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    const QString path = QDir::isAbsolutePath(name) ? name
                         : bytes.isEmpty()          ? gui->dir.filePath(name)
                                                    : gui->write(name, bytes);
    gui->dialogs.chosenItem = std::nullopt;
    // A gigabyte from a device can take long enough to show the progress.
    if (QDir::isAbsolutePath(name)) vcurve::harness::expectModal();
    QVERIFY(!window().openPath(path));
    QCOMPARE(gui->dialogs.asked.size(), 1);
    QVERIFY2(gui->dialogs.asked.front().startsWith(told), qPrintable(gui->dialogs.asked.front()));
    QCOMPARE(window().document().points().size(), std::size_t{4});
    QCOMPARE(QFileInfo(window().document().filePath()).fileName(), QStringLiteral("road.csv"));
  }

  // A 加桩 is a place on one road: it must not turn up in another road's
  // stake table.
  void addedStationsStayWithTheirRoad_data() {
    QTest::addColumn<QString>("next");
    QTest::addColumn<int>("kept");
    QTest::newRow("the same file again") << "road.csv" << 1;
    QTest::newRow("another road") << "other.csv" << 0;
  }
  void addedStationsStayWithTheirRoad() {
    QFETCH(QString, next);
    QFETCH(int, kept);
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    window().stakePanel()->setAddedStations({512.5});
    QVERIFY(window().openPath(gui->write(next, kRoadCsv)));
    QCOMPARE(window().stakePanel()->addedStations().size(), std::size_t(kept));
  }

  // 插入行 goes before the current row; with none, after the end.
  void rowInsertedAfterTheEndOnceTheSpaceBelowIsClicked() {
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    QTableView* table = window().table();
    table->setCurrentIndex(model()->index(3, 0));
    const QPoint below(5, table->viewport()->height() - 3);
    QVERIFY(!table->indexAt(below).isValid());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, below);
    window().insertRow();
    QCOMPARE(window().document().points().size(), std::size_t{5});
    QCOMPARE(window().document().points().back().station, 1100.0);
  }

  void unmodifiedWindowClosesWithoutAsking() {
    QVERIFY(window().close());
    QCOMPARE(gui->dialogs.asked, QStringList());
    QVERIFY(!gui->settings().value("window/geometry").toByteArray().isEmpty());
  }

  void droppedFileOpens() {
    const QString path = gui->write("dropped.csv", kRoadCsv);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &drop);
    QTRY_COMPARE(window().document().filePath(), path);
    QCOMPARE(window().document().points().size(), std::size_t{4});
  }

  void draggedPviIsOneUndoStep() {
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    Q_EMIT window().drawing()->pviElevationDragged(1, 107.5);
    QCOMPARE(window().document().points()[1].elevation, 107.5);
    QCOMPARE(window().document().undoStack()->count(), 1);
    window().document().undoStack()->undo();
    QCOMPARE(window().document().points()[1].elevation, 106.0);
  }

  // The checks follow the chosen speed; a finding names its rule and
  // values, and activating it selects its row.
  void findingsFollowTheSpeedAndLeadToTheirRow() {
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    QTreeWidget* list = window().findingsPanel()->list();
    window().speedChooser()->setCurrentIndex(window().speedChooser()->findData(120));
    QVERIFY(profile::hasErrors(window().document().findings()));
    const profile::Finding& worst = window().document().findings().front();
    QCOMPARE(list->topLevelItemCount(), static_cast<int>(window().document().findings().size()));
    QTreeWidgetItem* first = list->topLevelItem(0);
    QCOMPARE(first->text(1), QString::fromUtf8(profile::ruleText(worst.rule)));
    QCOMPARE(first->text(2), QString::fromStdString(profile::foundText(worst)));
    Q_EMIT list->itemActivated(first, 0);
    QCOMPARE(window().table()->currentIndex().row(), static_cast<int>(worst.row));

    window().speedChooser()->setCurrentIndex(window().speedChooser()->count() - 1);  // 不检查
    QVERIFY(!profile::hasErrors(window().document().findings()));
    QCOMPARE(gui->settings().value("designSpeed").toInt(), 0);
  }

  // The road's settings go with its file: saved, restored on opening; a
  // file without them gets the defaults, not the last road's, and the
  // 定位 and 加桩 fields start empty.
  void roadSettingsTravelWithTheFile() {
    const QString path = gui->write("road.csv", kRoadCsv);
    QVERIFY(window().openPath(path));
    auto* chooser = window().findChild<CodeChooser*>();
    QVERIFY(chooser != nullptr);
    chooser->codeBox()->setCurrentIndex(chooser->codeBox()->findData(QStringLiteral("cjj37")));
    chooser->classBox()->setCurrentIndex(chooser->classBox()->findData(QStringLiteral("主干路")));
    chooser->speedBox()->setCurrentIndex(chooser->speedBox()->findData(50));
    QCOMPARE(chooser->speedBox()->count(), 4);  // 60, 50, 40, 不检查
    QVERIFY(window().isWindowModified());
    StakePanel* stake = window().stakePanel();
    stake->setAddedStations({123.5});
    auto* find = stake->findChild<QLineEdit*>(QStringLiteral("findStation"));
    find->setText(QStringLiteral("K0+200"));
    QVERIFY(window().save());
    QVERIFY(!window().isWindowModified());
    QVERIFY(QString::fromUtf8(testing::WindowHarness::read(path))
                .contains(QStringLiteral(
                    "道路设置,规范=CJJ 37—2012,等级=主干路,设计速度=50,加桩=K0+123.500")));

    QVERIFY(window().openPath(gui->write("other.csv", kRoadCsv)));
    QCOMPARE(chooser->summary(), QStringLiteral("JTG D20—2017 80 km/h"));
    QVERIFY(stake->addedStations().empty());
    QVERIFY(find->text().isEmpty());

    QVERIFY(window().openPath(path));
    QCOMPARE(chooser->summary(), QStringLiteral("CJJ 37—2012 主干路 50 km/h"));
    QCOMPARE(stake->addedStations(), std::vector<double>{123.5});
    QCOMPARE(window().document().roadSettings().code, std::string("cjj37"));
  }

  // Through the keys, so that the table's own one-cell copy and paste
  // cannot take them over.
  void copiedCellsPasteBack() {
    QVERIFY(window().openPath(gui->write("road.csv", kRoadCsv)));
    QTableView* table = window().table();
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    table->setFocus();
    table->setCurrentIndex(model()->index(1, 0));
    table->selectionModel()->select(QItemSelection(model()->index(1, 0), model()->index(2, 3)),
                                    QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("K0+300.000\t106\t4000\t-2.00\nK0+700.000\t98\t3000\t1.20\n"));

    table->setCurrentIndex(model()->index(3, 0));
    table->selectionModel()->clearSelection();
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    // Stations out of order; the reason stays when the mouse moves on.
    QStatusTipEvent mouseMoved{QString()};
    QApplication::sendEvent(table->viewport(), &mouseMoved);
    QVERIFY2(window().statusBar()->currentMessage().startsWith("未修改"),
             qPrintable(window().statusBar()->currentMessage()));

    QApplication::clipboard()->setText("K1+100\t103\t\nK1+300\t104\t\n");
    window().pasteBelow();
    QCOMPARE(window().document().points().size(), std::size_t{6});
    QCOMPARE(window().document().undoStack()->count(), 1);
    QCOMPARE(table->selectionModel()->selectedRows().size(), 2);
  }

  // Alt and a letter reaches one control only: the menus and whatever each
  // tab shows beside them never share a letter.
  void mnemonicsDoNotClash() {
    auto* tabs = window().findChild<QTabWidget*>();
    QVERIFY(tabs != nullptr);
    for (int tab = 0; tab < tabs->count(); ++tab) {
      tabs->setCurrentIndex(tab);
      QCoreApplication::processEvents();  // a panel made on first showing shows after this
      QStringList texts;
      for (const QAction* menu : window().menuBar()->actions()) texts << menu->text();
      for (const QWidget* widget : window().findChildren<QWidget*>()) {
        if (!widget->isVisible()) continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
          texts << button->text();
        }
      }
      QMap<QKeySequence, QString> seen;
      for (const QString& text : texts) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty()) continue;
        QVERIFY2(!seen.contains(key), qPrintable(seen.value(key) + " / " + text));
        seen.insert(key, text);
      }
    }
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::ProfileWindowTest)
#include "profile_window_test.moc"
