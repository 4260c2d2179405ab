#include "profile/xlsx_workbook.h"

#include <xlsxwriter.h>

#include <clocale>
#include <cstdint>
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

std::vector<const std::string*> headingLines(const Sheet& sheet) {
  std::vector<const std::string*> lines;
  for (const std::string* line : {&sheet.title, &sheet.subtitle}) {
    if (!line->empty()) lines.push_back(line);
  }
  return lines;
}

// Excel's numbers for the papers.
constexpr std::uint8_t kPaperA4 = 9;
constexpr std::uint8_t kPaperA3 = 8;

void setUpPrinting(lxw_worksheet* worksheet, const Sheet& sheet, lxw_row_t headerRow) {
  worksheet_set_paper(worksheet, sheet.paper == SheetPaper::A3 ? kPaperA3 : kPaperA4);
  if (sheet.landscape) {
    worksheet_set_landscape(worksheet);
  } else {
    worksheet_set_portrait(worksheet);
  }
  // Inches, as Excel counts them: 2 cm at the binding edge, 1.5 cm elsewhere.
  worksheet_set_margins(worksheet, 0.79, 0.59, 0.59, 0.59);
  worksheet_center_horizontally(worksheet);
  worksheet_fit_to_pages(worksheet, 1, 0);
  worksheet_repeat_rows(worksheet, 0, headerRow);
  worksheet_set_footer(worksheet, "&C第 &P 页 共 &N 页");
}

}  // namespace

std::string writeXlsx(const std::string& path, const std::vector<Sheet>& sheets,
                      const XlsxProgress& progress) {
  for (const Sheet& sheet : sheets) {
    const std::size_t extra = 1 + headingLines(sheet).size();
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
  format_set_align(title, LXW_ALIGN_CENTER);
  format_set_align(title, LXW_ALIGN_VERTICAL_CENTER);
  lxw_format* subtitle = workbook_add_format(workbook);
  format_set_align(subtitle, LXW_ALIGN_LEFT);
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
    const auto lastColumn = lxw_col_t(sheet.columns.empty() ? 0 : sheet.columns.size() - 1);
    for (const std::string* line : headingLines(sheet)) {
      lxw_format* format = line == &sheet.title ? title : subtitle;
      if (line == &sheet.title) worksheet_set_row(worksheet, row, 24, nullptr);
      // Across the table, so that it stays centred over it however wide.
      failure = lastColumn > 0 ? worksheet_merge_range(worksheet, row, 0, row, lastColumn,
                                                       line->c_str(), format)
                               : worksheet_write_string(worksheet, row, 0, line->c_str(), format);
      ++row;
    }
    if (failure != LXW_NO_ERROR) break;
    setUpPrinting(worksheet, sheet, row);
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
