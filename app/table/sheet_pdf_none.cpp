// A build without the toolkit writes the sheets as DXF only.

#include "app/table/sheet_command.h"

namespace vcurve::table {

std::string writeSheetsPdfFile(const profile::sheet::SheetLayout&, const std::string&) {
  return "此版本不含 PDF 输出；请用 .dxf";
}

}  // namespace vcurve::table
