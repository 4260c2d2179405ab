// Form1 against its layout: every control's kind, container, caption,
// geometry, colours and tab index, the window's own properties and the menus.

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "gui_harness.h"
#include "ui/colours.h"

using namespace vcurve;
using vcurve::testing::GuiHarness;

namespace {

int px(int twips) { return qRound(twips / 15.0); }

const QColor kButtonFace(0xFF, 0xFF, 0xC0);

QColor textColourOf(const QWidget* w) {
  if (qobject_cast<const QPushButton*>(w)) return w->palette().color(QPalette::ButtonText);
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QListWidget*>(w)) {
    return w->palette().color(QPalette::Text);
  }
  if (qobject_cast<const QGroupBox*>(w)) return w->palette().color(QPalette::Text);
  return w->palette().color(QPalette::WindowText);
}

QColor backgroundOf(const QWidget* w) {
  if (qobject_cast<const QPushButton*>(w)) return w->palette().color(QPalette::Button);
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QListWidget*>(w)) {
    return w->palette().color(QPalette::Base);
  }
  return w->palette().color(QPalette::Window);
}

QColor systemTextColourOf(const QWidget* w) {
  const QPalette system = QApplication::palette();
  if (qobject_cast<const QPushButton*>(w)) return system.color(QPalette::ButtonText);
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QListWidget*>(w)) {
    return system.color(QPalette::Text);
  }
  return system.color(QPalette::WindowText);
}

QString captionOf(const QWidget* w) {
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  return {};
}

}  // namespace

class LayoutTest : public vcurve::testing::GuiTestCase {
  Q_OBJECT

 private Q_SLOTS:
  void controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("tabIndex");
    QTest::addColumn<QColor>("background");  // invalid: the system's colour
    QTest::addColumn<QColor>("text");
    const QColor system;
    const QColor window(0xFF, 0xE0, 0xC0), button(0xFF, 0xFF, 0xC0), teal(0x00, 0x80, 0x80),
        green(0x00, 0x80, 0x00), red(0xFF, 0x00, 0x00);
    auto row = [&](const char* name, const char* kind, const char* container, const char* caption,
                   QRect twips, int tab, QColor background, QColor text) {
      QTest::newRow(name) << kind << container << QString::fromUtf8(caption) << twips << tab
                          << background << text;
    };
    row("Command2", "QPushButton", "Form1", "计 算", {4080, 4200, 1575, 495}, 22, button, system);
    row("Command1", "QPushButton", "Form1", "计 算", {4080, 4200, 1575, 495}, 21, button, system);
    row("Command3", "QPushButton", "Form1", "重 算", {5880, 4200, 1575, 495}, 19, button, system);
    row("List1", "QListWidget", "Form1", "", {3960, 480, 3495, 3450}, 9, system, system);
    row("Frame2", "QGroupBox", "Form1", "曲线要素", {0, 1560, 3735, 3375}, 11, window, teal);
    row("Frame1", "QGroupBox", "Form1", "请选择竖曲线类型", {0, 240, 3735, 1095}, 10, window, teal);
    row("Label8", "QLabel", "Form1", "计算结果", {3960, 120, 720, 180}, 20, window, green);
    row("Text1", "QLineEdit", "Frame2", "", {1320, 450, 2300, 315}, 2, system, system);
    row("Text2", "QLineEdit", "Frame2", "", {1320, 840, 2300, 315}, 3, system, system);
    row("Text3", "QLineEdit", "Frame2", "", {1320, 1200, 2300, 315}, 4, system, system);
    row("Text4", "QLineEdit", "Frame2", "", {1320, 1600, 2300, 315}, 5, system, system);
    row("Text5", "QLineEdit", "Frame2", "", {1320, 2060, 2300, 315}, 6, system, system);
    row("Text6", "QLineEdit", "Frame2", "", {1320, 2450, 2300, 315}, 7, system, system);
    row("Text7", "QLineEdit", "Frame2", "", {1320, 2820, 2300, 315}, 8, system, red);
    row("Label7", "QLabel", "Frame2", "中点桩号ZH：", {120, 495, 1080, 180}, 18, window, system);
    row("Label6", "QLabel", "Frame2", "切线长度L：", {120, 900, 990, 180}, 17, window, system);
    row("Label5", "QLabel", "Frame2", "曲线半径R：", {120, 1320, 990, 180}, 16, window, system);
    row("Label4", "QLabel", "Frame2", "顶点高程H：", {120, 1720, 990, 180}, 15, window, system);
    row("Label2", "QLabel", "Frame2", "第一纵坡%：", {120, 2120, 990, 180}, 13, window, system);
    row("Label1", "QLabel", "Frame2", "第二纵坡%：", {120, 2520, 990, 180}, 12, window, system);
    row("Label3", "QLabel", "Frame2", "待求点桩号H0：", {120, 2880, 1260, 180}, 14, window, green);
    row("Option1", "QRadioButton", "Frame1", "凸曲线", {480, 360, 975, 375}, 0, window, system);
    row("Option2", "QRadioButton", "Frame1", "凹曲线", {2400, 360, 975, 450}, 1, window, system);
  }

  void controls() {
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(int, tabIndex);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    const QWidget* client = gui->form().centralWidget();
    const auto* w = client->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(w != nullptr);
    QVERIFY(w->inherits(kind.toLatin1()));
    QCOMPARE(
        w->parentWidget() == client ? QStringLiteral("Form1") : w->parentWidget()->objectName(),
        container);
    QCOMPARE(captionOf(w), caption);
    QCOMPARE(w->pos(), QPoint(px(twips.x()), px(twips.y())));
    if (kind == "QLabel") {
      // Auto-sized: the caption in the window's font decides, and in the
      // font the window uses it is the table's size to the pixel in width.
      QCOMPARE(w->size(), w->sizeHint());
#ifdef Q_OS_WIN
      // Offscreen Qt on Windows has no real font behind the look's: the
      // widths would be a stand-in font's. Wine on Xvfb shows the real ones.
      const bool realFont = QGuiApplication::platformName() != QLatin1String("offscreen");
#else
      const bool realFont = true;
#endif
      if (realFont) QCOMPARE(w->width(), px(twips.width()));
    } else {
      QCOMPARE(w->size(), QSize(px(twips.width()), px(twips.height())));
    }
    QCOMPARE(w->property("tabIndex").toInt(), tabIndex);
    if (background.isValid()) QCOMPARE(backgroundOf(w), background);
    QCOMPARE(textColourOf(w), text.isValid() ? text : systemTextColourOf(w));
  }

  void controlsAtStart() {
    const auto& c = gui->form().controls();
    QVERIFY(c.Option1->isChecked());
    QVERIFY(!c.Option2->isChecked());
    QVERIFY(c.Command1->isVisible());
    QVERIFY(c.Command3->isVisible());
    QVERIFY(!c.Command2->isVisible());
    QCOMPARE(QApplication::focusWidget(), c.Option1);
    for (int n = 1; n <= 7; ++n) QVERIFY(gui->text(n)->text().isEmpty());
    QCOMPARE(c.List1->count(), 0);
    QCOMPARE(c.List1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(c.List1->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QVERIFY(!c.List1->isSortingEnabled());
    QCOMPARE(c.List1->textElideMode(), Qt::ElideNone);
    for (int n = 1; n <= 7; ++n) QVERIFY(gui->text(n)->maxLength() >= 1'000'000);
    const QList<QLabel*> labels = gui->form().centralWidget()->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 8);
    for (const QLabel* label : labels) QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QCOMPARE(c.Frame1->focusPolicy(), Qt::NoFocus);
    QCOMPARE(c.Frame2->focusPolicy(), Qt::NoFocus);
  }

  // The window system's frame is nil offscreen, so the outer size is the
  // widget's; the client area under the menu bar is never smaller than laid out.
  void window() {
    Form1& form = gui->form();
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorlik软件系列---Quentaro"));
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.frameGeometry().size(), QSize(513, 388));
    QVERIFY(form.centralWidget()->width() >= 505);
    QVERIFY(form.centralWidget()->height() >= 342);
    QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0xFF, 0xE0, 0xC0));
    const QList<QSize> sizes = form.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
    const QRect screen = form.screen()->availableGeometry();
    QVERIFY(qAbs(form.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(form.frameGeometry().center().y() - screen.center().y()) <= 1);
  }

  // What the user sees, pixel by pixel: a face filled flat with the button
  // colour, an option's dot in the text colour rather than the frame
  // caption's teal, and the focus on a results list that has no line yet.
  void buttonFacesAreFlat() {
    for (QPushButton* button : {gui->form().controls().Command1, gui->form().controls().Command3}) {
      const QImage face = button->grab().toImage();
      for (int x = 4; x < face.width() - 4; ++x) QCOMPARE(face.pixelColor(x, 4), kButtonFace);
      for (int y = 4; y < face.height() - 4; ++y) QCOMPARE(face.pixelColor(4, y), kButtonFace);
    }
  }

  void optionDotIsNotTeal() {
    const QImage option = gui->form().controls().Option1->grab().toImage();
    for (int y = 0; y < option.height(); ++y) {
      for (int x = 0; x < option.width(); ++x) {
        const QColor c = option.pixelColor(x, y);
        const bool teal =
            c.red() < 120 && c.green() > c.red() + 40 && qAbs(c.green() - c.blue()) < 30;
        QVERIFY2(!teal, qPrintable(QStringLiteral("teal at %1,%2").arg(x).arg(y)));
      }
    }
  }

  void emptyListShowsTheFocus() {
    QListWidget* list = gui->form().controls().List1;
    const QImage unfocused = list->grab().toImage();
    list->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), list);
    QVERIFY(list->grab().toImage() != unfocused);
  }

  void menus() {
    const QList<QAction*> bar = gui->form().menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), QStringLiteral("文件[&F]"));
    QCOMPARE(bar[1]->text(), QStringLiteral("帮助[&H]"));
    struct Item {
      const char* caption;
      const char* shortcut;
    };
    const std::vector<std::vector<Item>> expected{
        {{"记事本   ", "Ctrl+N"}, {"计算器   ", "Ctrl+C"}, {"-", ""}, {"退出    ", "Ctrl+E"}},
        {{"使用说明    ", "F1"}, {"关于    ", "Ctrl+A"}}};
    for (int m = 0; m < 2; ++m) {
      const QList<QAction*> items = bar[m]->menu()->actions();
      QCOMPARE(items.size(), static_cast<qsizetype>(expected[m].size()));
      for (qsizetype i = 0; i < items.size(); ++i) {
        const Item& item = expected[m][static_cast<std::size_t>(i)];
        if (QString::fromUtf8(item.caption) == "-") {
          QVERIFY(items[i]->isSeparator());
          continue;
        }
        QCOMPARE(items[i]->text(), QString::fromUtf8(item.caption));
        QCOMPARE(items[i]->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
      }
    }
  }
};

VCURVE_GUI_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
