// What the window's files keep of a road: its remarks, every column it
// had unless the user agreed to lose it, and its settings; and what Save
// As offers, so that no other file is replaced unasked.

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "profile_harness.h"
#include "ui/profile/profile_files.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

constexpr int kRemarks = ProfileTableModel::kRemarkColumn;

const QByteArray kRemarkedCsv =
    "\xEF\xBB\xBF变坡点桩号,高程(m),竖曲线半径R(m),备注\r\n"
    "K0+000,100,,起点 接既有路\r\nK0+300,106,4000,垭口\r\nK0+700,98,3000,\r\nK1+000,101.6,,\r\n";

const QByteArray kOtherCsv =
    "\xEF\xBB\xBF桩号,高程,半径\r\nK0+000,50,\r\nK0+500,55,3000\r\nK1+000,52,\r\n";

const QByteArray kGroundXml =
    "<?xml version=\"1.0\"?><LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
    "version=\"1.2\"><Units><Metric linearUnit=\"meter\"/></Units><Alignments>"
    "<Alignment name=\"main\" length=\"1000\" staStart=\"0\"><Profile name=\"main\">"
    "<ProfAlign name=\"main\"><PVI>0 100</PVI><ParaCurve length=\"160\">300 106</ParaCurve>"
    "<PVI>1000 99</PVI></ProfAlign><ProfSurf name=\"g\"><PntList2D>0 99 1000 98</PntList2D>"
    "</ProfSurf></Profile></Alignment></Alignments></LandXML>";

QStringList remarks(const ProfileTableModel* model) {
  QStringList all;
  // Not the empty row under the last point.
  for (int r = 0; r + 1 < model->rowCount(); ++r) {
    all << model->index(r, kRemarks).data().toString();
  }
  return all;
}

}  // namespace

class ProfileFileTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;
  ProfileWindow& window() { return gui->window(); }
  ProfileTableModel* model() { return window().tableModel(); }

 private Q_SLOTS:
  void init() { gui = std::make_unique<testing::WindowHarness>(); }
  void cleanup() { gui.reset(); }

  // The 备注 column is shown and edited like any other, goes with its
  // point through insert and undo, and Ctrl+S keeps it in either file.
  void remarksAreShownEditedAndKept_data() {
    QTest::addColumn<QString>("saveAs");
    QTest::newRow("CSV in place") << "";
    QTest::newRow("LandXML") << "road.xml";
  }
  void remarksAreShownEditedAndKept() {
    QFETCH(QString, saveAs);
    const QString path = gui->write("road.csv", kRemarkedCsv);
    QVERIFY(window().openPath(path));
    QCOMPARE(model()->headerData(kRemarks, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("备注"));
    QCOMPARE(remarks(model()), (QStringList{"起点 接既有路", "垭口", "", ""}));
    QVERIFY(model()->setData(model()->index(2, kRemarks), QStringLiteral(" 桥头\n"), Qt::EditRole));
    window().table()->setCurrentIndex(model()->index(1, 0));
    window().insertRow();
    const QStringList edited{"起点 接既有路", "", "垭口", "桥头", ""};
    QCOMPARE(remarks(model()), edited);
    window().document().undoStack()->undo();
    window().document().undoStack()->undo();
    QCOMPARE(remarks(model()), (QStringList{"起点 接既有路", "垭口", "", ""}));
    window().document().undoStack()->redo();
    window().document().undoStack()->redo();

    QString saved = path;
    if (saveAs.isEmpty()) {
      QVERIFY(window().save());
      QCOMPARE(gui->dialogs.asked, QStringList());
    } else {
      saved = gui->dir.filePath(saveAs);
      gui->dialogs.paths = {saved};
      QVERIFY(window().saveAs());
      QVERIFY(QString::fromUtf8(testing::WindowHarness::read(saved)).contains("desc=\"垭口\""));
    }
    testing::WindowHarness other;
    QVERIFY(other.window().openPath(saved));
    QCOMPARE(remarks(other.window().tableModel()), edited);
    QVERIFY(other.window().document().savesInPlace() == saveAs.isEmpty());
  }

  // A column the window does not keep is lost only when the user agrees,
  // told which it is.
  void aColumnOfItsOwnIsLostOnlyWhenAgreed_data() {
    QTest::addColumn<bool>("agreed");
    QTest::newRow("cancelled") << false;
    QTest::newRow("agreed") << true;
  }
  void aColumnOfItsOwnIsLostOnlyWhenAgreed() {
    QFETCH(bool, agreed);
    const QByteArray bytes = QByteArray(kRemarkedCsv)
                                 .replace("备注\r\n", "备注,施工单位\r\n")
                                 .replace(",垭口", ",垭口,一标");
    const QString path = gui->write("road.csv", bytes);
    QVERIFY(window().openPath(path));
    gui->dialogs.paths = {path};
    gui->dialogs.replaceAnswers = {agreed};
    QCOMPARE(window().save(), agreed);
    QCOMPARE(gui->dialogs.asked.size(), 2);
    QVERIFY(QFileInfo(gui->dialogs.suggested) != QFileInfo(path));
    QVERIFY2(gui->dialogs.asked[1].contains(QStringLiteral("“施工单位”列")),
             qPrintable(gui->dialogs.asked[1]));
    QCOMPARE(testing::WindowHarness::read(path) == bytes, !agreed);
  }

  // A road opened as LandXML is saved as LandXML beside it under a name no
  // file has; over another file only when asked, told what goes.
  void landXmlIsSavedAsANewXmlFile_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("the file itself") << "road.xml" << QStringList{"平面线形"};
    QTest::newRow("another road's CSV")
        << "road.csv" << QStringList{"该文件原有的全部内容", "地面线"};
  }
  void landXmlIsSavedAsANewXmlFile() {
    QFETCH(QString, chosen);
    QFETCH(QStringList, told);
    const QString csv = gui->write("road.csv", kOtherCsv);
    gui->write("road-纵断面.xml", kGroundXml);
    QVERIFY(window().openPath(gui->write("road.xml", kGroundXml)));
    QVERIFY(model()->setData(model()->index(1, 1), "107", Qt::EditRole));
    gui->dialogs.paths = {gui->dir.filePath(chosen)};
    QVERIFY(!window().save());
    QCOMPARE(gui->dialogs.suggested, gui->dir.filePath(QStringLiteral("road-纵断面(2).xml")));
    QVERIFY(gui->dialogs.filters.startsWith(QStringLiteral("LandXML")));
    QCOMPARE(gui->dialogs.asked.size(), 2);
    for (const QString& part : told) {
      QVERIFY2(gui->dialogs.asked[1].contains(part), qPrintable(gui->dialogs.asked[1]));
    }
    QCOMPARE(testing::WindowHarness::read(csv), kOtherCsv);
    QCOMPARE(testing::WindowHarness::read(gui->dir.filePath("road.xml")), kGroundXml);
  }

  // What the user sets in the stake table and for the sheets is the
  // road's: it wants saving, and another road starts without it.
  void roadSettingsEditedElsewhereWantSaving_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("加桩") << "addStation"
                          << "K0+512.5"
                          << "加桩=K0+512.500";
    QTest::newRow("桩距") << "interval"
                          << "25"
                          << "桩距=25";
    QTest::newRow("项目") << ""
                          << "示例公路"
                          << "项目=示例公路";
  }
  void roadSettingsEditedElsewhereWantSaving() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const QString path = gui->write("road.csv", kRemarkedCsv);
    QVERIFY(window().openPath(path));
    StakePanel* stake = window().stakePanel();
    if (field.isEmpty()) {
      sheetui::SheetExportChoice choice;
      choice.settings.title.project = typed.toStdString();
      gui->dialogs.sheetChoice = choice;
      window().exportSheets();
      gui->dialogs.sheetChoice.reset();
    } else {
      auto* edit = stake->findChild<QLineEdit*>(field);
      edit->setText(typed);
      QTest::keyClick(edit, Qt::Key_Return);
    }
    QVERIFY(window().isWindowModified());
    QVERIFY(window().save());
    QVERIFY(QString::fromUtf8(testing::WindowHarness::read(path)).contains(kept));

    stake->findChild<QLineEdit*>("addStation")->setText("K0+100");
    QVERIFY(window().openPath(gui->write("other.csv", kOtherCsv)));
    QVERIFY(stake->findChild<QLineEdit*>("addStation")->text().isEmpty());
    QVERIFY(stake->addedStations().empty());
    QCOMPARE(stake->interval(), 20.0);
    window().exportSheets();
    QCOMPARE(gui->dialogs.offered.settings.title.project, std::string());
    QVERIFY(!window().isWindowModified());
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::ProfileFileTest)
#include "profile_file_test.moc"
