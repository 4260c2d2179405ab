// The tables on paper: each previewed before it is printed, printed, or
// saved as PDF.

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include "core/station_text.h"
#include "ui/profile/code_chooser.h"
#include "ui/profile/design_pages.h"
#include "ui/profile/printed_range.h"
#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/profile_window.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

QString pdfPath(ProfileDialogs* dialogs, QWidget* parent, const QString& caption,
                const QString& suggested) {
  const QString path =
      dialogs->savePath(parent, caption, suggested, QStringLiteral("PDF 文件 (*.pdf)"));
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + QStringLiteral(".pdf");
}

}  // namespace

DesignHeading ProfileWindow::designHeading() const {
  DesignHeading heading{document_.displayName(), chooser_->summary(), {}};
  const auto& profile = document_.profile();
  if (profile->usable()) {
    heading.extent = QStringLiteral("%1 至 %2")
                         .arg(QString::fromStdString(chainageText(profile->startStation())),
                              QString::fromStdString(chainageText(profile->endStation())));
  }
  return heading;
}

void ProfileWindow::paintDesignTable(QPrinter* printer) const {
  const DesignPages pages(*model_, designHeading(), *printer);
  const auto [first, last] = printedRange(*printer, pages.pageCount());
  QPainter painter;
  if (painter.begin(printer)) pages.paint(painter, *printer, first, last);
}

void ProfileWindow::previewStakeTable() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QStringLiteral("逐桩高程表 - %1").arg(document_.displayName()));
  StakePanel* stake = stakePanel();
  services_.dialogs->previewPrint(this, &printer,
                                  [stake](QPrinter* target) { stake->print(target); });
}

void ProfileWindow::previewDesignTable() {
  QPrinter printer(QPrinter::HighResolution);
  setDesignPageLayout(printer);
  printer.setDocName(QStringLiteral("纵坡竖曲线表 - %1").arg(document_.displayName()));
  services_.dialogs->previewPrint(this, &printer,
                                  [this](QPrinter* target) { paintDesignTable(target); });
}

void ProfileWindow::printDesignTable() {
  QPrinter printer(QPrinter::HighResolution);
  setDesignPageLayout(printer);
  printer.setDocName(QStringLiteral("纵坡竖曲线表 - %1").arg(document_.displayName()));
  if (!services_.dialogs->setUpPrinter(this, &printer)) return;
  paintDesignTable(&printer);
  say(QStringLiteral("纵坡竖曲线表已送打印"));
}

void ProfileWindow::saveDesignPdf() {
  const QString caption = QStringLiteral("纵坡竖曲线表存为 PDF");
  const QString path =
      pdfPath(services_.dialogs, this, caption, suggestedPath(QStringLiteral("-纵坡竖曲线表.pdf")));
  if (path.isEmpty()) return;
  QSaveFile file(path);
  QString error;
  if (file.open(QIODevice::WriteOnly)) {
    QPdfWriter writer(&file);
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("纵坡竖曲线表 %1").arg(document_.displayName()));
    writer.setCreator(QStringLiteral("纵断面设计"));
    setDesignPageLayout(writer);
    const DesignPages pages(*model_, designHeading(), writer);
    QPainter painter;
    if (painter.begin(&writer)) {
      pages.paint(painter, writer, 1, pages.pageCount());
      painter.end();
    } else {
      error = QStringLiteral("无法生成 PDF“%1”").arg(QFileInfo(path).fileName());
    }
  }
  if (error.isEmpty() && !file.commit()) {
    error = QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
  }
  if (!error.isEmpty()) {
    services_.dialogs->showError(this, caption, error);
    return;
  }
  say(QStringLiteral("纵坡竖曲线表已存为“%1”").arg(QFileInfo(path).fileName()));
}

}  // namespace vcurve::profileui
