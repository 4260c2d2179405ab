// The stake table handed out: CSV, Excel and PDF files that read back, and
// failures that leave nothing behind.

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "qt_harness.h"
#include "support/zip_member.h"
#include "ui/profile/stake/stake_pages.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

std::shared_ptr<const profile::Profile> crest(double length = 200) {
  return std::make_shared<const profile::Profile>(
      std::vector<profile::ProfilePoint>{{0, 100, 0}, {length / 2, 102, 2000}, {length, 101, 0}});
}

// What a workbook holds under one name.
QByteArray zipMember(const QByteArray& zip, const char* name) {
  return QByteArray::fromStdString(vcurve::testing::zipMember(zip.toStdString(), name));
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qsizetype pdfPages(const QByteArray& pdf) { return pdf.count("/Type /Page\n"); }

// What a user has open: the crest over level ground at 101 m.
void fill(StakePanel& panel, double length = 200, double interval = 50) {
  panel.setProfile(crest(length));
  panel.setGroundLine(std::make_shared<const profile::GroundLine>(
      std::vector<profile::GroundPoint>{{0, 101}, {length, 101}}));
  panel.setDocumentInfo("示例.csv", "80 km/h");
  QVERIFY(panel.setInterval(interval));
}

bool save(const StakePanel& panel, const QString& format, const QString& path, QString* error) {
  if (format == "csv") return panel.exportCsv(path, error);
  if (format == "xlsx") return panel.exportXlsx(path, error);
  return panel.savePdf(path, error);
}

}  // namespace

class StakeOutputTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder;
  QStringList leftInFolder() const {
    return QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
  }

 private Q_SLOTS:
  void init() { QVERIFY(folder.isValid()); }
  void cleanup() {
    QDir(folder.path()).removeRecursively();
    QDir().mkpath(folder.path());
  }

  void csvHasBomHeadersAndTheRows() {
    StakePanel panel;
    fill(panel);
    const QString path = folder.filePath("逐桩.csv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) &&
            old.write("old table, much longer than the new one") > 0);
    old.close();
    QString error;
    QVERIFY2(panel.exportCsv(path, &error), qPrintable(error));
    const QByteArray expected =
        "\xEF\xBB\xBF桩号,设计高程(m),地面高程(m),填高(m),挖深(m),纵坡(%),备注\r\n"
        "K0+000.000,100.000,101.000,,1.000,2.00,起点\r\n"
        "K0+050.000,101.000,101.000,0.000,,2.00,\r\n"
        "K0+070.000,101.400,101.000,0.400,,2.00,竖曲线起点\r\n";
    QCOMPARE(fileBytes(path).left(expected.size()), expected);
    QCOMPARE(fileBytes(path).count("\r\n"), 1 + 7);
    QCOMPARE(leftInFolder(), QStringList{"逐桩.csv"});
  }

  // The workbook the table program writes too: the table as the screen
  // shows it, 备注 included, then the 纵坡竖曲线表 and the findings, each
  // set up to print with its heading across the table.
  void xlsxIsTheProfilesWorkbook() {
    StakePanel panel;
    fill(panel);
    profile::Finding finding;
    finding.rule = profile::Rule::CurveLength;
    finding.found = 120;
    panel.setFindings({finding}, QStringLiteral("检查结果（不检查）：错误 0 项"));
    const QString path = folder.filePath("逐桩.xlsx");
    QString error;
    QVERIFY2(panel.exportXlsx(path, &error), qPrintable(error));
    QCOMPARE(leftInFolder(), QStringList{"逐桩.xlsx"});
    const QByteArray zip = fileBytes(path);
    const QString book = QString::fromUtf8(zipMember(zip, "xl/workbook.xml"));
    QCOMPARE(book.count("<sheet name="), 3);
    for (const char* name : {"逐桩高程表", "纵坡竖曲线表", "检查结果"}) {
      QVERIFY2(book.contains(QStringLiteral("<sheet name=\"%1\"").arg(QString::fromUtf8(name))),
               qPrintable(book));
    }
    QCOMPARE(book.count("_xlnm.Print_Titles"), 3);
    const QString sheet = QString::fromUtf8(zipMember(zip, "xl/worksheets/sheet1.xml"));
    QVERIFY(sheet.contains("<mergeCell ref=\"A1:G1\"/>"));
    QVERIFY(sheet.contains(QRegularExpression(
        R"(<c r="A2"[^>]*><is><t>文件：示例\.csv　设计速度：80 km/h　桩距：50 m</t>)")));
    // A4 upright, as wide as the page.
    QVERIFY(
        sheet.contains("<pageSetup paperSize=\"9\" fitToHeight=\"0\" orientation=\"portrait\"/>"));
    QVERIFY(sheet.contains("<t>备注</t>"));
    // Row 4, under the heading's two rows and the header: the start, in cut.
    QVERIFY(sheet.contains(
        QRegularExpression(R"(<c r="A4"[^>]*t="inlineStr"><is><t>K0\+000\.000</t>)")));
    QVERIFY(sheet.contains(QRegularExpression(R"(<c r="B4"[^>]*><v>100</v>)")));
    QVERIFY(sheet.contains(QRegularExpression(R"(<c r="E4"[^>]*><v>1</v>)")));
    QVERIFY(!sheet.contains(QRegularExpression(R"(<c r="D4")")));
    QVERIFY(sheet.contains(QRegularExpression(R"(<c r="G4"[^>]*><is><t>起点</t>)")));
    const QString findings = QString::fromUtf8(zipMember(zip, "xl/worksheets/sheet3.xml"));
    QVERIFY2(findings.contains("<t>L = 120.000 m</t>"), qPrintable(findings));
    QVERIFY(findings.contains("检查结果（不检查）：错误 0 项"));
  }

  void aFailedExportLeavesNoFile_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("problem");
    for (const char* format : {"csv", "xlsx", "pdf"}) {
      QTest::addRow("%s, no profile", format) << format << "no profile";
      QTest::addRow("%s, no such folder", format) << format << "no folder";
      QTest::addRow("%s, a folder in the way", format) << format << "folder in the way";
    }
  }
  void aFailedExportLeavesNoFile() {
    QFETCH(QString, format);
    QFETCH(QString, problem);
    StakePanel panel;
    if (problem != "no profile") fill(panel);
    QString path = folder.filePath("逐桩." + format);
    if (problem == "no folder") path = folder.filePath("无此文件夹/逐桩." + format);
    if (problem == "folder in the way")
      QVERIFY(QDir(folder.path()).mkdir(QFileInfo(path).fileName()));
    QString error;
    QVERIFY(!save(panel, format, path, &error));
    QVERIFY(!error.isEmpty());
    if (problem == "folder in the way") {
      QVERIFY(QFileInfo(path).isDir());
      QCOMPARE(leftInFolder(), QStringList{QFileInfo(path).fileName()});
    } else {
      QCOMPARE(leftInFolder(), QStringList{});
    }
  }

  void pdfOfALongTableHasAPagePerFortyOddRows() {
    StakePanel panel;
    fill(panel, 10'000, 5);  // 2,001 rows
    QPdfWriter a4(folder.filePath("layout.pdf"));
    setStakePageLayout(a4);
    const int rowsPerPage = StakePages(nullptr, {}, a4).rowsPerPage();
    QVERIFY2(rowsPerPage >= 45 && rowsPerPage <= 50, qPrintable(QString::number(rowsPerPage)));
    const QString path = folder.filePath("逐桩.pdf");
    QString error;
    // Forty-odd pages may take long enough on a slow machine for the
    // progress window to show; it is left to run.
    vcurve::harness::expectModal();
    QVERIFY2(panel.savePdf(path, &error), qPrintable(error));
    const QByteArray pdf = fileBytes(path);
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdfPages(pdf), (2001 + rowsPerPage - 1) / rowsPerPage);
#ifdef Q_OS_WIN
    // Offscreen Qt on Windows finds no font file behind its fonts; the
    // Windows smoke test checks the embedding with the real platform.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
#endif
    QVERIFY(pdf.contains("/FontFile"));  // the glyphs travel with the file
  }

  void printsOnlyThePagesChosen() {
    StakePanel panel;
    fill(panel, 10'000, 5);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("printed.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    panel.print(&printer);
    QCOMPARE(pdfPages(fileBytes(printer.outputFileName())), 2);
  }
};

}  // namespace vcurve::profileui

VCURVE_QT_TEST_MAIN(vcurve::profileui::StakeOutputTest)
#include "stake_output_test.moc"
