// The page offers CSV only: libxlsxwriter is not built for WebAssembly.

#include "profile/xlsx_workbook.h"

namespace vcurve::profile {

std::string writeXlsx(const std::string&, const std::vector<Sheet>&, const XlsxProgress&) {
  return "网页版不能写 Excel 工作簿，请用 CSV";
}

}  // namespace vcurve::profile
