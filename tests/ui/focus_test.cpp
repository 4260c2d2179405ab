// When the leave checks run, and what a press on the way out of a failing
// field does, with Qt's real focus machinery.

#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>

#include "gui_harness.h"

using namespace vcurve;
using vcurve::testing::GuiHarness;
using vcurve::testing::Message;

namespace {

const Message kRadiusMessage{"你输入的曲线半径太小，请重新检查一遍再输入。", MessageStyle::Warning,
                             "错误"};
const Message kStationMessage{"你输入的桩号错误，请重新输入。", MessageStyle::Warning, "错误"};
const Message kGradeNotice{"你输入的值已大于规定的最大纵坡，你确认吗?", MessageStyle::Information,
                           "提示"};

void settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

}  // namespace

class FocusTest : public vcurve::testing::GuiTestCase {
  Q_OBJECT

  QWidget* focus() const { return QApplication::focusWidget(); }
  QWidget* control(const char* name) const {
    return gui->form().centralWidget()->findChild<QWidget*>(QString::fromLatin1(name));
  }
  // A radius of 100 in Text3, which has the focus; the rest of the curve is good.
  void inFailingRadius() {
    gui->fill({"500", "40", "100", "100", "3", "2", "480"});
    gui->text(3)->setFocus(Qt::MouseFocusReason);
    settle();
  }
  void expectRadiusRejected() {
    QTRY_COMPARE(gui->messages.size(), std::size_t{1});
    QCOMPARE(gui->messages[0], kRadiusMessage);
    QCOMPARE(gui->text(3)->text(), QString());
    QCOMPARE(focus(), gui->text(3));
  }

 private Q_SLOTS:
  void leavingForAnotherControlRunsTheCheck_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Tab") << "tab";
    QTest::newRow("Backtab") << "backtab";
    QTest::newRow("click on a field") << "click";
    QTest::newRow("click on the list") << "list";
    QTest::newRow("the program") << "program";
  }
  void leavingForAnotherControlRunsTheCheck() {
    QFETCH(QString, how);
    inFailingRadius();
    if (how == "tab") QTest::keyClick(focus(), Qt::Key_Tab);
    if (how == "backtab") QTest::keyClick(focus(), Qt::Key_Backtab);
    if (how == "click") QTest::mouseClick(gui->text(5), Qt::LeftButton);
    if (how == "list") QTest::mouseClick(control("List1"), Qt::LeftButton);
    if (how == "program") gui->text(1)->setFocus(Qt::OtherFocusReason);
    expectRadiusRejected();
    // Left again without typing: rejected again.
    QTest::keyClick(focus(), Qt::Key_Tab);
    QTRY_COMPARE(gui->messages.size(), std::size_t{2});
  }

  void leavingTheWindowRunsNoCheck_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("message box") << "message";
    QTest::newRow("menu") << "menu";
    QTest::newRow("another window") << "window";
    QTest::newRow("minimised") << "minimise";
    QTest::newRow("closed") << "close";
  }
  void leavingTheWindowRunsNoCheck() {
    QFETCH(QString, how);
    inFailingRadius();
    Form1& form = gui->form();
    if (how == "message") {
      vcurve::harness::expectModal();
      QTimer::singleShot(100, &form, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      });
      ShowMessageBox(&form, "提示", MessageStyle::Information, "关于");
    } else if (how == "menu") {
      vcurve::harness::expectModal();
      QTest::keyClick(focus(), Qt::Key_F, Qt::AltModifier);
      QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
      QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
      QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    } else if (how == "window") {
      QWidget other;
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
      other.close();
      form.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&form));
    } else if (how == "minimise") {
      form.showMinimized();
      settle();
      form.showNormal();
      form.activateWindow();
    } else if (how == "close") {
      form.close();
    }
    settle();
    QVERIFY(gui->messages.empty());
    QCOMPARE(gui->text(3)->text(), QStringLiteral("100"));
  }

  // The press is what moved the focus out of the failing field: the check
  // speaks, the command does not run, and the button is not left down.
  void buttonPressedOnTheWayOutDoesNotRun_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("checkBeforeRelease");
    QTest::newRow("calculate, quick click") << "Command1" << false;
    QTest::newRow("calculate, check before release") << "Command1" << true;
    QTest::newRow("reset, quick click") << "Command3" << false;
    QTest::newRow("reset, check before release") << "Command3" << true;
  }
  void buttonPressedOnTheWayOutDoesNotRun() {
    QFETCH(QString, button);
    QFETCH(bool, checkBeforeRelease);
    inFailingRadius();
    auto* pressed = static_cast<QPushButton*>(control(button.toLatin1()));
    if (checkBeforeRelease) {
      QTest::mousePress(pressed, Qt::LeftButton);
      QTRY_COMPARE(gui->messages.size(), std::size_t{1});
      QTest::mouseRelease(pressed, Qt::LeftButton);
    } else {
      QTest::mouseClick(pressed, Qt::LeftButton);
    }
    expectRadiusRejected();
    QVERIFY(!pressed->isDown());
    QVERIFY(gui->lines().isEmpty());
    QCOMPARE(gui->form().pointCount(), 0);
    QCOMPARE(gui->text(1)->text(), QStringLiteral("500"));  // no reset either
  }

  // A radius beyond the double range cannot be checked: the user is told,
  // the field and the focus stay where the user left them, and the press
  // that left the field does not run its command either.
  void buttonPressedOnTheWayOutOfAnUncheckableField_data() {
    QTest::addColumn<bool>("checkBeforeRelease");
    QTest::newRow("quick click") << false;
    QTest::newRow("check before release") << true;
  }
  void buttonPressedOnTheWayOutOfAnUncheckableField() {
    QFETCH(bool, checkBeforeRelease);
    gui->fill({"500", "40", "1E400", "100", "3", "2", "480"});
    gui->text(3)->setFocus(Qt::MouseFocusReason);
    auto* pressed = static_cast<QPushButton*>(control("Command1"));
    if (checkBeforeRelease) {
      QTest::mousePress(pressed, Qt::LeftButton);
      QTRY_COMPARE(gui->messages.size(), std::size_t{1});
      QTest::mouseRelease(pressed, Qt::LeftButton);
    } else {
      QTest::mouseClick(pressed, Qt::LeftButton);
    }
    settle();
    QCOMPARE(gui->messages.size(), std::size_t{1});
    QCOMPARE(gui->messages[0].title, std::string("错误"));
    QCOMPARE(gui->text(3)->text(), QStringLiteral("1E400"));
    QCOMPARE(focus(), pressed);
    QVERIFY(!pressed->isDown());
    QVERIFY(gui->lines().isEmpty());
  }

  void buttonPressedAfterAPassingFieldRuns() {
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    gui->text(7)->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    settle();
    QCOMPARE(gui->lines(), QStringList{"第1待求点高程480=99.15"});
  }

  // An option has already switched when Qt reports it; the visible button
  // follows it so that it always matches the chosen curve type.
  void optionChosenOnTheWayOutStillSwitches() {
    inFailingRadius();
    auto* option2 = static_cast<QRadioButton*>(control("Option2"));
    QTest::mouseClick(option2, Qt::LeftButton, {}, QPoint(6, option2->height() / 2));
    expectRadiusRejected();
    QVERIFY(option2->isChecked());
    QVERIFY(control("Command2")->isVisible());
    QVERIFY(!control("Command1")->isVisible());
  }

  // Both fields fail and each check would take the focus back from the other.
  void failingRadiusAndStationSettle() {
    gui->fill({"500", "40", "100", "100", "3", "2", "9999"});
    gui->text(3)->setFocus(Qt::MouseFocusReason);
    for (int round = 1; round <= 3; ++round) {
      QTest::mouseClick(gui->text(7), Qt::LeftButton);
      settle();
      QCOMPARE(gui->messages,
               std::vector<Message>(static_cast<std::size_t>(round), kRadiusMessage));
      QCOMPARE(focus(), gui->text(3));
      QCOMPARE(gui->text(7)->text(), QStringLiteral("9999"));
    }
    QTest::keyClicks(gui->text(3), "800");
    QTest::mouseClick(gui->text(7), Qt::LeftButton);
    settle();
    QCOMPARE(gui->messages.size(), std::size_t{3});
    QTest::mouseClick(gui->text(3), Qt::LeftButton);
    settle();
    QCOMPARE(gui->messages.back(), kStationMessage);
    QCOMPARE(gui->messages.size(), std::size_t{4});
    QCOMPARE(focus(), gui->text(7));
    QCOMPARE(gui->text(7)->text(), QString());
    QCOMPARE(gui->text(3)->text(), QStringLiteral("800"));
  }

  void gradeNoticeOnEveryChangeAboveTheLimit() {
    gui->text(5)->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(gui->text(5), "15.5");
    QCOMPARE(gui->messages, std::vector<Message>(3, kGradeNotice));
    QCOMPARE(gui->text(5)->text(), QStringLiteral("15.5"));
    QCOMPARE(focus(), gui->text(5));
  }
};

VCURVE_GUI_TEST_MAIN(FocusTest)
#include "focus_test.moc"
