// The window's commands as a user meets them: options, reset, the menu,
// the fixed size, message boxes and the results list's context menu.

#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>

#include "gui_harness.h"
#include "platform/qt/program_starter.h"

using namespace vcurve;
using vcurve::testing::GuiHarness;
using vcurve::testing::Message;

namespace {

void settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

QAction* menuItem(Form1& form, const char* name) {
  return form.menuBar()->findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

class CommandsTest : public vcurve::testing::GuiTestCase {
  Q_OBJECT

  const Form1Controls& c() const { return gui->form().controls(); }
  void choose(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    settle();
  }
  void calculate() {
    QPushButton* visible = c().Command1->isVisible() ? c().Command1 : c().Command2;
    QTest::mouseClick(visible, Qt::LeftButton);
    settle();
  }

 private Q_SLOTS:
  void optionsSwitchTheCalculateButton() {
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    choose(c().Option2);
    QVERIFY(!c().Option1->isChecked());
    QVERIFY(c().Command2->isVisible() && !c().Command1->isVisible());
    calculate();
    choose(c().Option1);
    QVERIFY(!c().Option2->isChecked());
    QVERIFY(c().Command1->isVisible() && !c().Command2->isVisible());
    choose(c().Option1);  // already chosen: nothing changes
    QVERIFY(c().Option1->isChecked() && c().Command1->isVisible());
    calculate();
    QCOMPARE(gui->lines(), (QStringList{"第1待求点高程480=100.85", "第2待求点高程480=99.15"}));
  }

  void resetEmptiesAndNumberingGoesOn() {
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    choose(c().Option2);
    for (int i = 0; i < 3; ++i) calculate();
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    settle();
    QVERIFY(gui->messages.empty());
    QVERIFY(gui->lines().isEmpty());
    for (int n = 1; n <= 7; ++n) QCOMPARE(gui->text(n)->text(), QString());
    QVERIFY(c().Option2->isChecked() && c().Command2->isVisible());
    gui->fill({"500", "40", "800", "100", "3", "2", "520"});
    calculate();
    QCOMPARE(gui->lines(), QStringList{"第4待求点高程520=100.65"});
  }

  void resetWarnsOnceWhenAFieldIsEmpty() {
    gui->fill({"500", "40", "800", "100", "12", "2", ""});
    QStringList emptied;
    for (int n = 1; n <= 6; ++n) {
      connect(gui->text(n), &QLineEdit::textChanged, this,
              [&emptied, n] { emptied << QStringLiteral("Text%1").arg(n); });
    }
    QTest::mouseClick(c().Command3, Qt::LeftButton);
    settle();
    QCOMPARE(emptied, (QStringList{"Text1", "Text2", "Text3", "Text4", "Text6", "Text5"}));
    // Emptying the grade of 12 runs its check on the empty text: no notice.
    QCOMPARE(gui->messages, (std::vector<Message>{{"你未作任何计算，请输入所有选项的数据！",
                                                   MessageStyle::Warning, "警告"}}));
    for (int n = 1; n <= 7; ++n) QCOMPARE(gui->text(n)->text(), QString());
  }

  void menuCommands() {
    Form1& form = gui->form();
    menuItem(form, "notepad")->trigger();
    menuItem(form, "calc")->trigger();
    menuItem(form, "shuoming")->trigger();
    QCOMPARE(gui->starter.started, (std::vector<std::string>{"notepad.exe", "calc.exe"}));
    QVERIFY(gui->messages.empty());
    menuItem(form, "about")->trigger();
    QCOMPARE(gui->messages.size(), std::size_t{1});
    QCOMPARE(gui->messages[0].title, std::string("关于"));
    QCOMPARE(gui->messages[0].style, MessageStyle::Information);
    QVERIFY(gui->messages[0].prompt.find('\n') == std::string::npos);
    QVERIFY(gui->messages[0].prompt.find("感谢") != std::string::npos);
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    calculate();
    menuItem(form, "exit")->trigger();
    QVERIFY(!form.isVisible());
  }

  void programsThatCannotStartAreIgnored() {
    gui->starter.succeeds = false;
    QTest::keyClick(&gui->form(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&gui->form(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(gui->messages.empty());
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    calculate();
    QCOMPARE(gui->lines(), QStringList{"第1待求点高程480=99.15"});
  }

  void realStarterFallsBackAndNeverBlocks() {
    const QStringList editors = QtProgramStarter::candidatesFor("notepad.exe");
    QCOMPARE(editors.first(), QStringLiteral("notepad.exe"));
    QVERIFY(editors.contains("gedit") && editors.contains("kate"));
    QVERIFY(QtProgramStarter::candidatesFor("calc.exe").contains("gnome-calculator"));
    QtProgramStarter starter;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!starter.StartProgram("no-such-program-vcurve.exe"));
    QVERIFY(timer.elapsed() < 5000);
  }

  void windowHoldsItsSize() {
    Form1& form = gui->form();
    const QSize fixed = form.frameGeometry().size();
    QCOMPARE(fixed, QSize(513, 388));
    form.resize(800, 600);
    settle();
    QCOMPARE(form.frameGeometry().size(), fixed);
    form.showMinimized();
    settle();
    QVERIFY(form.isMinimized());
    form.showNormal();
    settle();
    QCOMPARE(form.frameGeometry().size(), fixed);
  }

  // Decorations thicker than the ones the outer size was chosen for must not
  // cut controls off: the laid-out area under the menu bar is kept.
  void thickDecorationsKeepTheLaidOutArea() {
    Form1& form = gui->form();
    QFont large = form.menuBar()->font();
    large.setPixelSize(48);
    form.menuBar()->setFont(large);
    form.Form_Resize();
    settle();
    QVERIFY(form.menuBar()->height() > 388 - 342);
    QCOMPARE(form.centralWidget()->height(), 342);
    QVERIFY(form.frameGeometry().height() > 388);
    QCOMPARE(form.frameGeometry().width(), 513);
  }

  void messageBoxIsChineseWithOneButton_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("icon");
    QTest::newRow("warning") << int(MessageStyle::Warning) << int(QMessageBox::Warning);
    QTest::newRow("information") << int(MessageStyle::Information) << int(QMessageBox::Information);
  }
  void messageBoxIsChineseWithOneButton() {
    QFETCH(int, style);
    QFETCH(int, icon);
    vcurve::harness::expectModal();
    QString seen;
    QTimer::singleShot(50, &gui->form(), [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      const QList<QAbstractButton*> buttons = box->buttons();
      seen = QStringLiteral("%1|%2|%3|%4|%5")
                 .arg(box->windowTitle(), box->text())
                 .arg(buttons.size())
                 .arg(buttons.isEmpty() ? QString() : buttons[0]->text())
                 .arg(int(box->icon()));
      QTest::keyClick(box, Qt::Key_Return);
    });
    ShowMessage(style);
    QCOMPARE(seen, QStringLiteral("错误|你输入的桩号错误，请重新输入。|1|确定|%1").arg(icon));
  }

  void contextMenuCopiesLines_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<QString>("clipboard");
    const QString all = "第1待求点高程480=99.15\n第2待求点高程520=99.35\n第3待求点高程500=99";
    QTest::newRow("all, right mouse button") << "copyAll" << QList<int>{} << true << all;
    QTest::newRow("all, menu key") << "copyAll" << QList<int>{1} << false << all;
    QTest::newRow("selected, menu key") << "copySelected" << QList<int>{2, 0} << false
                                        << "第1待求点高程480=99.15\n第3待求点高程500=99";
  }
  void contextMenuCopiesLines() {
    QFETCH(QString, item);
    QFETCH(QList<int>, selected);
    QFETCH(bool, byMouse);
    QFETCH(QString, clipboard);
    gui->fill({"500", "40", "800", "100", "3", "2", "480"});
    calculate();
    gui->fill({"500", "40", "800", "100", "3", "2", "520"});
    calculate();
    gui->fill({"500", "40", "800", "100", "3", "2", "500"});
    calculate();
    QListWidget* list = c().List1;
    for (int row : selected) list->item(row)->setSelected(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    vcurve::harness::expectModal();
    bool selectedEnabled = false;
    QTimer::singleShot(50, &gui->form(), [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      selectedEnabled = menu->findChild<QAction*>("copySelected")->isEnabled();
      menu->findChild<QAction*>(item)->trigger();
      menu->close();
    });
    list->setFocus(Qt::MouseFocusReason);
    // What the window layer makes of a right click (below the last line,
    // so nothing is selected on the way) and of the menu key.
    if (byMouse) {
      const QPoint below(20, list->viewport()->height() - 20);
      QContextMenuEvent event(QContextMenuEvent::Mouse, below,
                              list->viewport()->mapToGlobal(below));
      QCoreApplication::sendEvent(list->viewport(), &event);
    } else {
      const QPoint corner(20, 20);
      QContextMenuEvent event(QContextMenuEvent::Keyboard, corner, list->mapToGlobal(corner));
      QCoreApplication::sendEvent(list, &event);
    }
    settle();
    QCOMPARE(selectedEnabled, !selected.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
  }

 private:
  void ShowMessage(int style) {
    ShowMessageBox(&gui->form(), "你输入的桩号错误，请重新输入。", static_cast<MessageStyle>(style),
                   "错误");
  }
};

VCURVE_GUI_TEST_MAIN(CommandsTest)
#include "commands_test.moc"
