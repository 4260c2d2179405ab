// 文件 ▸ 导出纵断面图… as a user meets it: the settings dialog and its
// preview, the file written in the chosen type, the settings kept.

#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include "profile_harness.h"
#include "ui/sheet/sheet_export_dialog.h"
#include "ui/sheet/sheet_painter.h"

namespace vcurve::profileui {
namespace {

const QByteArray kRoadCsv =
    "\xEF\xBB\xBF变坡点桩号,高程(m),竖曲线半径R(m)\r\n"
    "K0+000,100,\r\nK0+300,106,4000\r\nK0+700,98,3000\r\nK2+000,111.6,\r\n";

}  // namespace

class SheetExportTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;
  ProfileWindow& window() { return gui->window(); }

 private Q_SLOTS:
  void init() {
    gui = std::make_unique<testing::WindowHarness>();
    QVERIFY(window().openPath(gui->write(QStringLiteral("road.csv"), kRoadCsv)));
  }
  void cleanup() { gui.reset(); }

  // The typed name's suffix wins over the type chosen in the dialog.
  void writesTheTypeTheNameSays_data() {
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("dxf") << 1 << "road.dxf" << QByteArray("0\nSECTION\n2\nHEADER");
    QTest::newRow("pdf") << 0 << "road.pdf" << QByteArray("%PDF");
    QTest::newRow("pdf named dxf") << 0 << "road.DXF" << QByteArray("0\nSECTION\n2\nHEADER");
  }
  void writesTheTypeTheNameSays() {
    QFETCH(int, chosen);
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    sheetui::SheetExportChoice choice;
    choice.format = chosen == 1 ? sheetui::SheetFileFormat::Dxf : sheetui::SheetFileFormat::Pdf;
    choice.settings.title.project = "试验路";
    gui->dialogs.sheetChoice = choice;
    const QString path = gui->dir.filePath(name);
    gui->dialogs.paths = {path};
    window().exportSheets();
    QCOMPARE(gui->dialogs.asked, (QStringList{"sheets", "save as"}));
    QVERIFY(testing::WindowHarness::read(path).startsWith(start));
    QVERIFY(window().statusBar()->currentMessage().contains(QStringLiteral("共 3 页")));
  }

  // 打印 asks for the printer instead of a file name.
  void printingAsksForThePrinter() {
    sheetui::SheetExportChoice choice;
    choice.format = sheetui::SheetFileFormat::Print;
    gui->dialogs.sheetChoice = choice;
    window().exportSheets();
    QCOMPARE(gui->dialogs.asked, (QStringList{"sheets", "print"}));
  }

  void cancelledDialogWritesNothing() {
    window().exportSheets();
    QCOMPARE(gui->dialogs.asked, QStringList{"sheets"});
  }

  // The title block is typed once: the next export offers it again.
  void settingsAreKeptForTheNextExport() {
    sheetui::SheetExportChoice choice;
    choice.format = sheetui::SheetFileFormat::Dxf;
    choice.settings.title.project = "试验路";
    choice.settings.horizontalScale = 1000;
    choice.settings.rows = profile::sheet::parseBandRows("station,design:18", nullptr);
    gui->dialogs.sheetChoice = choice;
    gui->dialogs.paths = {gui->dir.filePath(QStringLiteral("a.dxf"))};
    window().exportSheets();
    gui->dialogs.sheetChoice.reset();
    window().exportSheets();
    const auto& offered = gui->dialogs.offered;
    QCOMPARE(offered.settings.title.project, std::string("试验路"));
    QCOMPARE(offered.settings.horizontalScale, 1000.0);
    QCOMPARE(profile::sheet::bandRowsText(offered.settings.rows), std::string("station,design:18"));
    QVERIFY(offered.format == sheetui::SheetFileFormat::Dxf);
  }

  // Stopped in the middle, the writing leaves no file, not even a part.
  void stoppedWritingLeavesNoFile() {
    const profile::sheet::SheetLayout layout(window().document().profile(), nullptr, {});
    const QString path = gui->dir.filePath(QStringLiteral("stopped.pdf"));
    QString error;
    QVERIFY(!sheetui::writeSheetsPdf(layout, path, &error, [](int done, int) { return done < 2; }));
    QVERIFY(error.isEmpty());
    QCOMPARE(QDir(gui->dir.path()).entryList({QStringLiteral("stopped*")}, QDir::Files),
             QStringList());
  }

  // The preview shows sheet 1; a range that ends before it starts leaves
  // nothing to export.
  void previewFollowsTheSettings() {
    const auto profile = window().document().profile();
    sheetui::SheetExportDialog dialog(profile, nullptr, {});
    QVERIFY(!dialog.preview()->pixmap().isNull());
    QVERIFY(dialog.summary()->text().startsWith(QStringLiteral("共 3 页")));
    auto boxes = dialog.findChildren<QDoubleSpinBox*>();
    QDoubleSpinBox* to = boxes.back();
    to->setValue(0);
    QVERIFY(dialog.preview()->pixmap().isNull());
    QVERIFY(!dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::SheetExportTest)
#include "sheet_export_test.moc"
