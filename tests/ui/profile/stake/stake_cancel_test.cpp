// Long exports of the stake table: the window keeps answering while they
// run, and Cancel stops them leaving the old file as it was.

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "qt_harness.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {

class StakeCancelTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cancelLeavesTheOldFile_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("csv") << "csv";
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("pdf") << "pdf";
  }

  // 200,001 rows, some 5,000 pages: seconds of work, cancelled at once.
  void cancelLeavesTheOldFile() {
    QFETCH(QString, format);
    QTemporaryDir folder;
    StakePanel panel;
    panel.setProfile(std::make_shared<const profile::Profile>(
        std::vector<profile::ProfilePoint>{{0, 100, 0}, {1000, 102, 20000}, {2000, 101, 0}}));
    QVERIFY(panel.setInterval(0.01));
    const QString path = folder.filePath("逐桩." + format);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();

    // The progress dialog is modal and meant to be open; on a busy machine
    // the harness's watchdog can look before the click below cancels it.
    vcurve::harness::expectModal();
    // What a user clicking Cancel does, as soon as the work lets events in.
    int cancels = 0;
    QTimer click;
    QObject::connect(&click, &QTimer::timeout, &panel, [&] {
      for (QProgressDialog* dialog : panel.findChildren<QProgressDialog*>()) {
        dialog->cancel();
        ++cancels;
      }
    });
    click.start(0);
    QString error;
    const bool saved = format == "csv"    ? panel.exportCsv(path, &error)
                       : format == "xlsx" ? panel.exportXlsx(path, &error)
                                          : panel.savePdf(path, &error);
    click.stop();
    QVERIFY(!saved);
    QVERIFY(cancels > 0);
    QVERIFY2(error.contains("已取消"), qPrintable(error));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"逐桩." + format});
  }
};

}  // namespace vcurve::profileui

VCURVE_QT_TEST_MAIN(vcurve::profileui::StakeCancelTest)
#include "stake_cancel_test.moc"
