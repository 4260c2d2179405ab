// Opening a large LandXML export in the window: read on a thread of its
// own with progress, cancelled without a trace, and read once even when
// the user must choose among its profiles.

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <mutex>

#include "profile_harness.h"
#include "ui/profile/profile_opening.h"

namespace vcurve::profileui {
namespace {

const QByteArray kRoadCsv =
    "变坡点桩号,高程(m),竖曲线半径R(m)\r\nK0+000,100,\r\nK0+500,104,6000\r\nK1+000,101,\r\n";

// A suite's export: megabytes of TIN before two alignments, the second
// with a ground line.
QByteArray largeExport() {
  QByteArray xml =
      "<?xml version=\"1.0\"?><LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
      "version=\"1.2\"><Units><Metric linearUnit=\"meter\"/></Units><Surfaces><Surface "
      "name=\"原地面\"><Definition surfType=\"TIN\"><Faces>\n";
  xml += QByteArray("<F>101 102 103</F>\n").repeated(10 << 20 >> 4);
  xml +=
      "</Faces></Definition></Surface></Surfaces><Alignments>"
      "<Alignment name=\"左线\"><Profile name=\"左线\"><ProfAlign name=\"左线\">"
      "<PVI>0 100</PVI><PVI>1000 99</PVI></ProfAlign></Profile></Alignment>"
      "<Alignment name=\"右线\"><Profile name=\"右线\">"
      "<ProfSurf name=\"地面线\"><PntList2D>0 98 500 103 1000 97</PntList2D></ProfSurf>"
      "<ProfAlign name=\"右线\"><PVI>0 100</PVI><ParaCurve length=\"160\">300 106</ParaCurve>"
      "<PVI>1000 99</PVI></ProfAlign></Profile></Alignment></Alignments></LandXML>\n";
  return xml;
}

// What the reading thread said, kept for the test's thread.
class Reports {
 public:
  void add(qint64 read) {
    const std::lock_guard lock(mutex_);
    read_ << read;
  }
  QList<qint64> read() {
    const std::lock_guard lock(mutex_);
    return read_;
  }

 private:
  std::mutex mutex_;
  QList<qint64> read_;
};

}  // namespace

class ProfileOpeningTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;
  QString road;
  QString largeFile;
  qint64 largeSize = 0;

  ProfileWindow& window() { return gui->window(); }

 private Q_SLOTS:
  void init() {
    // The progress dialog is modal and meant to show whenever a reading
    // takes half a second, which a busy machine can make any of them do.
    vcurve::harness::expectModal();
    gui = std::make_unique<testing::WindowHarness>();
    road = gui->write("road.csv", kRoadCsv);
    const QByteArray bytes = largeExport();
    largeFile = gui->write("export.xml", bytes);
    largeSize = bytes.size();
    QVERIFY(window().openPath(road));
  }
  void cleanup() {
    setReadingObserver({});
    gui.reset();
  }

  // The reading is held at its first report until 取消 has been clicked
  // in the dialog that shows meanwhile.
  void cancelLeavesTheOldRoadOpen() {
    const auto before = window().document().points();
    Reports reports;
    std::atomic<bool> clicked{false};
    setReadingObserver([&](qint64 read) {
      reports.add(read);
      for (int waited = 0; !clicked && waited < 5000; waited += 10) QThread::msleep(10);
    });
    int shownValue = -1;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* dialog = window().findChild<QProgressDialog*>();
      if (dialog == nullptr || !dialog->isVisible() || clicked) return;
      shownValue = dialog->value();
      dialog->findChild<QPushButton*>()->click();
      clicked = true;
    });
    poll.start(20);

    QVERIFY(!window().openPath(largeFile));
    QVERIFY(clicked);
    QCOMPARE(reports.read().size(), 1);
    const qint64 first = reports.read().front();
    QVERIFY(first > 0 && first < largeSize);
    QCOMPARE(shownValue, static_cast<int>(first * 1000 / largeSize));
    QCOMPARE(window().document().filePath(), road);
    QCOMPARE(window().document().points(), before);
    QVERIFY(!window().isWindowModified());
    QCOMPARE(gui->dialogs.asked, QStringList());
  }

  void severalProfiles_data() {
    QTest::addColumn<int>("chosen");  // -1: the choice cancelled
    QTest::addColumn<int>("points");  // 0: the old road stays
    QTest::addColumn<bool>("ground");
    QTest::newRow("the second chosen") << 1 << 3 << true;
    QTest::newRow("the first chosen") << 0 << 2 << false;
    QTest::newRow("the choice cancelled") << -1 << 0 << false;
  }
  // The names come from the same pass as the profile: the reports run once
  // from the start to the file's end, and only then is the user asked.
  void severalProfiles() {
    QFETCH(int, chosen);
    QFETCH(int, points);
    QFETCH(bool, ground);
    gui->dialogs.chosenItem = chosen >= 0 ? std::optional<int>(chosen) : std::nullopt;
    Reports reports;
    setReadingObserver([&](qint64 read) { reports.add(read); });

    QCOMPARE(window().openPath(largeFile), points > 0);
    QCOMPARE(gui->dialogs.asked, QStringList{QStringLiteral("choose")});
    const QList<qint64> read = reports.read();
    QVERIFY(read.size() >= 2);
    QVERIFY(std::is_sorted(read.begin(), read.end()));
    QCOMPARE(read.back(), largeSize);
    QCOMPARE(window().document().filePath(), points > 0 ? largeFile : road);
    QCOMPARE(window().document().points().size(), std::size_t(points > 0 ? points : 3));
    QCOMPARE(window().document().ground() != nullptr, ground);
  }

  void groundImportReadsTheExportOnce() {
    gui->dialogs.paths = {largeFile};
    gui->dialogs.chosenItem = 1;
    Reports reports;
    setReadingObserver([&](qint64 read) { reports.add(read); });
    window().importGround();
    QCOMPARE(gui->dialogs.asked, (QStringList{"open", "choose"}));
    QCOMPARE(reports.read().back(), largeSize);
    QVERIFY(window().document().ground() != nullptr);
    QCOMPARE(window().document().ground()->points().size(), std::size_t{3});
    QCOMPARE(window().document().filePath(), road);
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::ProfileOpeningTest)
#include "profile_opening_test.moc"
