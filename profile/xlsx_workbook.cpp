#include "profile/xlsx_workbook.h"

#include <xlsxwriter.h>

#include <clocale>
#include <map>
#include <string>

namespace vcurve::profile {
namespace {

std::string problemText(lxw_error error) {
  switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
      return "无法创建文件（文件夹不存在或没有写入权限）";
    case LXW_ERROR_CREATING_TMPFILE:
      return "无法创建临时文件";
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
      return "内存不足";
    default:
      return "写入 XLSX 失败（libxlsxwriter 错误 " + std::to_string(int(error)) + "）";
  }
}

std::string numberFormat(int decimals) {
  return decimals <= 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

// libxlsxwriter prints numbers with the C library's printf, which follows
// the process's numeric locale: under a decimal-comma locale (which a Qt
// program or the table program takes from the user's settings) 812.4 would
// be written as "812,4" and Excel would read a different number or none.
// The locale is process-wide; the programs write workbooks from one thread.
class ClassicNumbers {
 public:
  ClassicNumbers() {
    if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) saved_ = current;
    std::setlocale(LC_NUMERIC, "C");
  }
  ~ClassicNumbers() {
    if (!saved_.empty()) std::setlocale(LC_NUMERIC, saved_.c_str());
  }
  ClassicNumbers(const ClassicNumbers&) = delete;
  ClassicNumbers& operator=(const ClassicNumbers&) = delete;

 private:
  std::string saved_;
};

}  // namespace

std::string writeXlsx(const std::string& path, const std::vector<Sheet>& sheets,
                      const XlsxProgress& progress) {
  for (const Sheet& sheet : sheets) {
    const std::size_t extra = sheet.title.empty() ? 1 : 2;
    if (sheet.rows + extra > kXlsxMaximumRows) {
      return "“" + sheet.name + "”有 " + std::to_string(sheet.rows) +
             " 行，超过 Excel 一张工作表的上限 " + std::to_string(kXlsxMaximumRows) +
             " 行；请加大桩距或分段导出";
    }
  }
  const ClassicNumbers classicNumbers;
  // Rows go out in order and are not kept: a sheet of a hundred thousand
  // rows takes no more memory than one of ten.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
  if (workbook == nullptr) return problemText(LXW_ERROR_CREATING_XLSX_FILE);

  lxw_format* header = workbook_add_format(workbook);
  format_set_bold(header);
  format_set_align(header, LXW_ALIGN_CENTER);
  format_set_bottom(header, LXW_BORDER_THIN);
  format_set_text_wrap(header);
  lxw_format* title = workbook_add_format(workbook);
  format_set_bold(title);
  format_set_font_size(title, 14);
  std::map<int, lxw_format*> numberFormats;
  const auto formatFor = [&](int decimals) {
    lxw_format*& format = numberFormats[decimals];
    if (format == nullptr) {
      format = workbook_add_format(workbook);
      format_set_num_format(format, numberFormat(decimals).c_str());
    }
    return format;
  };

  lxw_error failure = LXW_NO_ERROR;
  bool stopped = false;
  std::size_t total = 0;
  for (const Sheet& sheet : sheets) total += sheet.rows;
  std::size_t done = 0;
  std::vector<SheetCell> cells;
  for (const Sheet& sheet : sheets) {
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
    if (worksheet == nullptr) {
      failure = LXW_ERROR_MEMORY_MALLOC_FAILED;
      break;
    }
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
      worksheet_set_column(worksheet, lxw_col_t(c), lxw_col_t(c), sheet.columns[c].width, nullptr);
    }
    lxw_row_t row = 0;
    if (!sheet.title.empty())
      worksheet_write_string(worksheet, row++, 0, sheet.title.c_str(), title);
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
      worksheet_write_string(worksheet, row, lxw_col_t(c), sheet.columns[c].title.c_str(), header);
    }
    ++row;
    worksheet_freeze_panes(worksheet, row, 0);
    for (std::size_t i = 0; i < sheet.rows && failure == LXW_NO_ERROR && !stopped; ++i, ++row) {
      constexpr std::size_t kRowsBetweenReports = 1024;
      if (progress && ++done % kRowsBetweenReports == 0) stopped = !progress(done, total);
      sheet.row(i, cells);
      for (std::size_t c = 0; c < cells.size() && c < sheet.columns.size(); ++c) {
        const SheetCell& cell = cells[c];
        const auto column = lxw_col_t(c);
        if (cell.kind == SheetCell::Kind::Number) {
          failure = worksheet_write_number(worksheet, row, column, cell.number,
                                           formatFor(sheet.columns[c].decimals));
        } else if (cell.kind == SheetCell::Kind::Text) {
          failure = worksheet_write_string(worksheet, row, column, cell.text.c_str(), nullptr);
        }
        if (failure != LXW_NO_ERROR) break;
      }
    }
    if (failure != LXW_NO_ERROR || stopped) break;
  }
  const lxw_error closed = workbook_close(workbook);
  if (stopped) return std::string(kXlsxStopped);
  if (failure == LXW_NO_ERROR) failure = closed;
  return failure == LXW_NO_ERROR ? std::string() : problemText(failure);
}

}  // namespace vcurve::profile
