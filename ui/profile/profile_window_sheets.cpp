// 文件 ▸ 导出纵断面图…: the sheets' settings, where they go (a file or the
// printer), and the writing itself with a progress dialog that can stop it.

#include <QFileInfo>
#include <QPrinter>
#include <array>
#include <stdexcept>

#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_window.h"
#include "ui/sheet/sheet_settings_store.h"

namespace vcurve::profileui {
namespace {

using sheetui::SheetFileFormat;

// As the settings file keeps the choice, by SheetFileFormat.
constexpr std::array<const char*, 3> kFormatNames{"pdf", "dxf", "print"};

}  // namespace

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
  const QString formatKey = QStringLiteral("sheets/format");
  if (services_.settings != nullptr) {
    initial.settings = sheetui::loadSheetSettings(*services_.settings);
    const QString kept = services_.settings->value(formatKey).toString();
    for (std::size_t f = 0; f < kFormatNames.size(); ++f) {
      if (kept == QLatin1String(kFormatNames[f])) initial.format = static_cast<SheetFileFormat>(f);
    }
  }
  // The project is the road's, kept in its file: another road's would be
  // wrong on every sheet.
  initial.settings.title.project = document_.roadSettings().project;
  const auto choice =
      services_.dialogs->chooseSheetExport(this, profile, document_.ground(), initial);
  if (!choice) return;
  if (choice->settings.title.project != document_.roadSettings().project) {
    profile::RoadSettings road = document_.roadSettings();
    road.project = choice->settings.title.project;
    document_.setRoadSettings(std::move(road));
    document_.markSettingsEdited();
  }
  if (services_.settings != nullptr) {
    sheetui::storeSheetSettings(*services_.settings, choice->settings);
    services_.settings->setValue(
        formatKey, QLatin1String(kFormatNames[static_cast<std::size_t>(choice->format)]));
  }
  std::unique_ptr<profile::sheet::SheetLayout> layout;
  try {
    layout = std::make_unique<profile::sheet::SheetLayout>(profile, document_.ground(),
                                                           choice->settings);
  } catch (const std::invalid_argument& error) {
    services_.dialogs->showError(this, caption, QString::fromUtf8(error.what()));
    return;
  }

  if (choice->format == SheetFileFormat::Print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(choice->settings.title.drawingTitle));
    if (!services_.dialogs->setUpPrinter(this, &printer)) return;
    if (sheetui::printSheets(this, *layout, printer) == sheetui::ExportOutcome::Written) {
      say(QStringLiteral("纵断面图已送打印，共 %1 页").arg(layout->count()));
    } else {
      say(QStringLiteral("纵断面图未打印完"));
    }
    return;
  }

  const bool dxf = choice->format == SheetFileFormat::Dxf;
  const QString path = withChosenSuffix(
      services_.dialogs->savePath(
          this, caption,
          suggestedPath(dxf ? QStringLiteral("-纵断面图.dxf") : QStringLiteral("-纵断面图.pdf")),
          dxf ? QStringLiteral("DXF 图形 (*.dxf)") : QStringLiteral("PDF 文件 (*.pdf)")),
      dxf ? QStringLiteral("*.dxf") : QStringLiteral("*.pdf"));
  if (path.isEmpty()) return;
  // A name typed with the other type's suffix is a choice of that type:
  // a PDF under a .dxf name would open in no CAD program.
  SheetFileFormat format = choice->format;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QStringLiteral("dxf")) format = SheetFileFormat::Dxf;
  if (suffix == QStringLiteral("pdf")) format = SheetFileFormat::Pdf;
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
