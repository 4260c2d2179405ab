// The window driven from the keyboard, as a user drives it.

#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QStyleHints>

#include "gui_harness.h"
#include "ui/steady_cursor.h"

using namespace vcurve;
using vcurve::testing::GuiHarness;
using vcurve::testing::Message;

class KeyboardTest : public vcurve::testing::GuiTestCase {
  Q_OBJECT

  QWidget* focus() const { return QApplication::focusWidget(); }
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focus(), static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
  }

 private Q_SLOTS:
  void tabVisitsTheControlsInTabOrder() {
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    const QStringList forward{"Text1", "Text2", "Text3",    "Text4",    "Text5",  "Text6",
                              "Text7", "List1", "Command3", "Command1", "Option1"};
    QCOMPARE(focus()->objectName(), QStringLiteral("Option1"));
    for (const QString& next : forward) {
      press(Qt::Key_Tab);
      QCOMPARE(focus()->objectName(), next);
    }
    press(Qt::Key_Backtab);
    QCOMPARE(focus()->objectName(), QStringLiteral("Command1"));
    QVERIFY(gui->messages.empty());
  }

  // The option group is one stop; the arrows move the choice, and with it
  // the visible calculate button, and Tab then reaches Command2.
  void arrowsChooseTheCurveType() {
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    press(Qt::Key_Right);
    const auto& c = gui->form().controls();
    QVERIFY(c.Option2->isChecked());
    QVERIFY(c.Command2->isVisible());
    QVERIFY(!c.Command1->isVisible());
    for (int i = 0; i < 10; ++i) press(Qt::Key_Tab);
    QCOMPARE(focus()->objectName(), QStringLiteral("Command2"));
  }

  void wholeCalculationTyped_data() {
    QTest::addColumn<bool>("concave");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crest") << false
                           << QStringList{"第1待求点高程480=99.15", "第2待求点高程520=99.35"};
    QTest::newRow("sag") << true
                         << QStringList{"第1待求点高程480=100.85", "第2待求点高程520=100.65"};
  }
  void wholeCalculationTyped() {
    QFETCH(bool, concave);
    QFETCH(QStringList, lines);
    if (concave) press(Qt::Key_Right);
    gui->typeWorkedExample("480");
    for (int i = 0; i < 3; ++i) press(Qt::Key_Tab);  // List1, Command3, the calculate button
    press(Qt::Key_Space);
    QTest::mouseClick(gui->text(7), Qt::LeftButton);
    QCOMPARE(focus(), gui->text(7));
    press(Qt::Key_End);
    for (int i = 0; i < 3; ++i) press(Qt::Key_Backspace);
    QTest::keyClicks(gui->text(7), "520");
    for (int i = 0; i < 3; ++i) press(Qt::Key_Tab);
    press(Qt::Key_Space);
    QCOMPARE(gui->lines(), lines);
    QVERIFY(gui->messages.empty());
  }

  void ctrlCInATextBoxStartsTheCalculatorAndCopiesNothing() {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    gui->text(1)->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(gui->text(1), "5030.25");
    gui->text(1)->selectAll();
    press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(gui->starter.started, std::vector<std::string>{"calc.exe"});
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QCOMPARE(gui->text(1)->text(), QStringLiteral("5030.25"));
  }

  void menuShortcutsWinEverywhere_data() {
    QTest::addColumn<QString>("from");
    QTest::newRow("text box") << "Text4";
    QTest::newRow("results list") << "List1";
    QTest::newRow("option") << "Option1";
  }
  void menuShortcutsWinEverywhere() {
    QFETCH(QString, from);
    gui->form().centralWidget()->findChild<QWidget*>(from)->setFocus(Qt::MouseFocusReason);
    gui->text(4)->setText(QStringLiteral("100"));
    press(Qt::Key_N, Qt::ControlModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_A, Qt::ControlModifier);
    press(Qt::Key_F1);
    QCOMPARE(gui->starter.started, (std::vector<std::string>{"notepad.exe", "calc.exe"}));
    QCOMPARE(gui->messages.size(), std::size_t{1});
    QCOMPARE(gui->messages[0].title, std::string("关于"));
    QCOMPARE(gui->messages[0].style, MessageStyle::Information);
    QVERIFY(gui->text(4)->selectedText().isEmpty());
    QVERIFY(gui->form().isVisible());
    press(Qt::Key_E, Qt::ControlModifier);
    QVERIFY(!gui->form().isVisible());
  }

  // Each blink repaints the whole line: with a pasted megabyte it would keep
  // a core busy. The cursor stands still only while such a field has the focus.
  void cursorStandsStillInAHugeText() {
    QStyleHints* hints = QGuiApplication::styleHints();
    const int desktop = hints->cursorFlashTime();
    QVERIFY(desktop > 0);
    gui->text(1)->setFocus(Qt::MouseFocusReason);
    gui->text(1)->setText(QString(kSteadyCursorLength, QLatin1Char('9')));
    QCOMPARE(hints->cursorFlashTime(), desktop);
    QTest::keyClick(gui->text(1), Qt::Key_9);
    QCOMPARE(hints->cursorFlashTime(), 0);
    gui->text(2)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(hints->cursorFlashTime(), desktop);
    gui->text(1)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(hints->cursorFlashTime(), 0);
    gui->text(1)->clear();
    QCOMPARE(hints->cursorFlashTime(), desktop);
  }

  void altOpensTheMenus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Alt+F") << int(Qt::Key_F) << "file";
    QTest::newRow("Alt+H") << int(Qt::Key_H) << "help";
  }
  void altOpensTheMenus() {
    QFETCH(int, key);
    QFETCH(QString, menu);
    gui->text(1)->setFocus(Qt::MouseFocusReason);
    vcurve::harness::expectModal();
    press(key, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(QApplication::activePopupWidget()->objectName(), menu);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QVERIFY(gui->messages.empty());
  }
};

VCURVE_GUI_TEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
