#pragma once

// Writing the sheets from the window: a progress dialog with 取消 while
// the sheets are drawn, and no file at all when stopped or failed.

#include <QString>

#include "profile/sheet/sheet_layout.h"

class QPrinter;
class QWidget;

namespace vcurve::sheetui {

enum class SheetFileFormat { Pdf, Dxf, Print };
enum class ExportOutcome { Written, Cancelled, Failed };

struct SheetExportChoice {
  profile::sheet::SheetSettings settings;
  SheetFileFormat format = SheetFileFormat::Pdf;
};

// *error in Chinese when Failed.
ExportOutcome exportSheets(QWidget* parent, const profile::sheet::SheetLayout& layout,
                           const QString& path, SheetFileFormat format, QString* error);
// The sheets on a printer already set up, one page each.
ExportOutcome printSheets(QWidget* parent, const profile::sheet::SheetLayout& layout,
                          QPrinter& printer);

}  // namespace vcurve::sheetui
