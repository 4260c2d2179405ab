// The PDF of the sheets through the toolkit, which needs an application
// object for its fonts: one without a display, made here when the program
// has none.

#include <QGuiApplication>
#include <memory>

#include "app/table/sheet_command.h"
#include "ui/sheet/sheet_painter.h"

namespace vcurve::table {

std::string writeSheetsPdfFile(const profile::sheet::SheetLayout& layout, const std::string& path) {
  static int argc = 3;
  static char name[] = "vcurve-table", option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  std::unique_ptr<QGuiApplication> application;
  if (QCoreApplication::instance() == nullptr) {
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  QString error;
  if (sheetui::writeSheetsPdf(layout, QString::fromStdString(path), &error)) return {};
  return error.toStdString();
}

}  // namespace vcurve::table
