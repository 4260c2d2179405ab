// A build without the toolkit writes the sheets as DXF only, and the
// 路基设计表 as CSV or Excel.

#include "app/table/sections_command.h"
#include "app/table/sheet_command.h"

namespace vcurve::table {

std::string writeSheetsPdfFile(const profile::sheet::SheetLayout&, const std::string&) {
  return "此版本不含 PDF 输出；请用 .dxf";
}

std::string writeSubgradePdfFile(const SectionsInput&, const std::string&, const std::string&,
                                 const std::string&) {
  return "此版本不含 PDF 输出；请用 --format csv 或 xlsx";
}

}  // namespace vcurve::table
