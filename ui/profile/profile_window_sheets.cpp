// 文件 ▸ 导出纵断面图…: the sheets' settings, where to write them, and the
// writing itself with a progress dialog that can stop it.

#include <QFileInfo>
#include <stdexcept>

#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_window.h"
#include "ui/sheet/sheet_settings_store.h"

namespace vcurve::profileui {

void ProfileWindow::exportSheets() {
  commitPendingEdit();
  const QString caption = QStringLiteral("导出纵断面图");
  const auto profile = document_.profile();
  if (!profile || !profile->usable() || profile->size() < 2) {
    services_.dialogs->showError(
        this, caption, QStringLiteral("纵断面至少要有起点和终点，且没有错误，才能出图。"));
    return;
  }
  sheetui::SheetExportChoice initial;
  if (services_.settings != nullptr) {
    initial.settings = sheetui::loadSheetSettings(*services_.settings);
    if (services_.settings->value(QStringLiteral("sheets/format")).toString() ==
        QStringLiteral("dxf")) {
      initial.format = sheetui::SheetFileFormat::Dxf;
    }
  }
  const auto choice =
      services_.dialogs->chooseSheetExport(this, profile, document_.ground(), initial);
  if (!choice) return;
  const bool dxf = choice->format == sheetui::SheetFileFormat::Dxf;
  if (services_.settings != nullptr) {
    sheetui::storeSheetSettings(*services_.settings, choice->settings);
    services_.settings->setValue(QStringLiteral("sheets/format"),
                                 dxf ? QStringLiteral("dxf") : QStringLiteral("pdf"));
  }
  const QString path = withChosenSuffix(
      services_.dialogs->savePath(
          this, caption,
          suggestedPath(dxf ? QStringLiteral("-纵断面图.dxf") : QStringLiteral("-纵断面图.pdf")),
          dxf ? QStringLiteral("DXF 图形 (*.dxf)") : QStringLiteral("PDF 文件 (*.pdf)")),
      dxf ? QStringLiteral("*.dxf") : QStringLiteral("*.pdf"));
  if (path.isEmpty()) return;
  // A name typed with the other type's suffix is a choice of that type:
  // a PDF under a .dxf name would open in no CAD program.
  sheetui::SheetFileFormat format = choice->format;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QStringLiteral("dxf")) format = sheetui::SheetFileFormat::Dxf;
  if (suffix == QStringLiteral("pdf")) format = sheetui::SheetFileFormat::Pdf;
  std::unique_ptr<profile::sheet::SheetLayout> layout;
  try {
    layout = std::make_unique<profile::sheet::SheetLayout>(profile, document_.ground(),
                                                           choice->settings);
  } catch (const std::invalid_argument& error) {
    services_.dialogs->showError(this, caption, QString::fromUtf8(error.what()));
    return;
  }
  QString error;
  switch (sheetui::exportSheets(this, *layout, path, format, &error)) {
    case sheetui::ExportOutcome::Written:
      say(QStringLiteral("纵断面图已导出到“%1”，共 %2 页")
              .arg(QFileInfo(path).fileName())
              .arg(layout->count()));
      break;
    case sheetui::ExportOutcome::Cancelled:
      say(QStringLiteral("已取消导出纵断面图，未写出文件"));
      break;
    case sheetui::ExportOutcome::Failed:
      services_.dialogs->showError(this, caption, error);
      break;
  }
}

}  // namespace vcurve::profileui
