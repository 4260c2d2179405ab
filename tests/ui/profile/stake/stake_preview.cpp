// The panel alone in a window, to look at under a real window system, or
// its files written without a window:
//   stake_preview [km] [interval]            the panel, scrolled to the middle
//   stake_preview km interval out.pdf|csv|xlsx

#include <QApplication>
#include <QTableView>
#include <cstdio>

#include "stake_sample.h"
#include "ui/profile/stake/stake_panel.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  const double metres = args.size() > 1 ? args[1].toDouble() * 1000 : 100'000;
  const double interval = args.size() > 2 ? args[2].toDouble() : 1;
  vcurve::profileui::StakePanel panel;
  panel.setProfile(vcurve::testing::sampleProfile(metres));
  panel.setGroundLine(vcurve::testing::sampleGround(metres));
  panel.setDocumentInfo(QStringLiteral("示例路线.csv"), QStringLiteral("80 km/h"));
  QString problem;
  if (!panel.setInterval(interval, &problem)) {
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    return 1;
  }
  panel.setAddedStations({metres / 2 + 3.25});
  if (args.size() > 3) {
    const QString out = args[3];
    QString error;
    const bool ok = out.endsWith(".pdf")    ? panel.savePdf(out, &error)
                    : out.endsWith(".xlsx") ? panel.exportXlsx(out, &error)
                                            : panel.exportCsv(out, &error);
    if (!ok) std::fprintf(stderr, "%s\n", qPrintable(error));
    return ok ? 0 : 1;
  }
  QObject::connect(&panel, &vcurve::profileui::StakePanel::statusMessage, &panel,
                   [](const QString& text) {
                     std::printf("%s\n", qPrintable(text));
                     std::fflush(stdout);
                   });
  panel.setWindowTitle(QStringLiteral("逐桩高程表"));
  panel.resize(960, 640);
  panel.show();
  if (auto* view = panel.findChild<QTableView*>()) {
    const int middle = view->model()->rowCount() / 2;
    view->scrollTo(view->model()->index(middle, 0), QAbstractItemView::PositionAtTop);
  }
  return app.exec();
}
