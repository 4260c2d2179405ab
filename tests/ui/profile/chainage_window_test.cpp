// A profile with 断链 in the window: its stations shown and typed as field
// stations, its equations kept through edits and saving.

#include <QTableWidget>
#include "profile_harness.h"

#include "ui/profile/equations_panel.h"
#include "ui/profile/profile_document.h"
#include "ui/profile/profile_table_model.h"

namespace vcurve::profileui {
namespace {

// A crest numbered with a 长链 of 10 m at K0+600 and a 短链 of 10 m at K0+790.
const QByteArray kBroken =
    "桩号,高程,半径\r\n0,100,\r\n500,110,10000\r\n断链,K0+600,K0+590\r\n断链,K0+790,K0+800\r\n"
    "K1+000,100,\r\n";

}  // namespace

class ChainageWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::WindowHarness> gui;
  ProfileWindow& window() { return gui->window(); }
  ProfileTableModel* model() { return window().tableModel(); }
  bool type(int row, const QString& text) {
    return model()->setData(model()->index(row, 0), text, Qt::EditRole);
  }

 private Q_SLOTS:
  void init() { gui = std::make_unique<testing::WindowHarness>(); }
  void cleanup() { gui.reset(); }

  void stationsTypedAsFieldStationsAndSavedWithTheEquations() {
    const QString path = gui->write("broken.csv", kBroken);
    QVERIFY(window().openPath(path));
    QCOMPARE(window().document().points().back().station, 1000.0);
    QCOMPARE(model()->data(model()->index(2, 0), Qt::DisplayRole).toString(),
             QStringLiteral("K1+000.000"));
    QVERIFY(!type(1, "K0+595"));  // two places
    QVERIFY(!type(1, "K0+795"));  // in the 短链's gap
    QVERIFY(type(1, "K0+595(2)"));
    QCOMPARE(window().document().points()[1].station, 605.0);
    QCOMPARE(model()->data(model()->index(1, 0), Qt::EditRole).toString(),
             QStringLiteral("K0+595.000(2)"));
    QVERIFY(window().save());
    const QByteArray saved = testing::WindowHarness::read(path);
    QVERIFY2(
        saved.contains("\r\n断链,K0+600.000,K0+590.000,长链 10 m\r\nK0+595.000,110.000,10000,"),
        saved.constData());
    QVERIFY(saved.contains("\r\n断链,K0+790.000,K0+800.000,短链 10 m\r\nK1+000.000,100.000,"));
  }

  // The points keep their true distances; the numbering after a new
  // equation follows it, one undo step each.
  void equationsAddedChangedAndDeletedUndoably() {
    QVERIFY(window().openPath(gui->write("broken.csv", kBroken)));
    auto* panel = window().findChild<EquationsPanel*>();
    QVERIFY(panel != nullptr);
    const auto points = window().document().points();
    const auto endText = [&] {
      return model()->data(model()->index(2, 0), Qt::DisplayRole).toString();
    };
    QCOMPARE(panel->add("K0+900=K0+880"), QString());
    QCOMPARE(window().document().profile()->chainage().size(), std::size_t{3});
    QCOMPARE(window().document().points(), points);
    QCOMPARE(endText(), QStringLiteral("K0+980.000"));
    QCOMPARE(panel->list()->rowCount(), 3);
    window().document().undoStack()->undo();
    QCOMPARE(endText(), QStringLiteral("K1+000.000"));

    // Refused, with the reason: no jump, a back in the 短链's gap, a 长链
    // reaching back over the one before.
    QVERIFY(panel->add("K0+300=K0+300").contains("不是断链"));
    QVERIFY(panel->add("K0+795=K0+700").contains("短链"));
    QVERIFY(panel->add("K0+700=K0+500").contains("后桩号"));
    QVERIFY(panel->add("K0+700").contains("前桩号=后桩号"));
    QCOMPARE(window().document().undoStack()->count(), 1);

    QCOMPARE(panel->change(1, "K0+790=K0+805"), QString());
    QCOMPARE(endText(), QStringLiteral("K1+005.000"));
    QCOMPARE(panel->remove(0), QString());
    QCOMPARE(window().document().profile()->chainage().equations(),
             (std::vector<profile::ChainageEquation>{{790, 805}}));
    QVERIFY(window().isWindowModified());
  }
};

}  // namespace vcurve::profileui

VCURVE_PROFILE_TEST_MAIN(vcurve::profileui::ChainageWindowTest)
#include "chainage_window_test.moc"
