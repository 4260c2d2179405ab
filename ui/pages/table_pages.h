#pragma once

// A table laid out on printed pages: a title, a line of particulars, the
// header row repeated at the top of every page, and 第 n 页 共 m 页 at the
// foot. Rows are asked for as their page is painted, so a table of any
// length prints in bounded memory.

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

class QFont;
class QPagedPaintDevice;
class QPainter;

namespace vcurve::pageui {

struct PageColumn {
  QString title;
  double share = 0;                          // of the width
  bool note = false;                         // text on the left, cut to fit; a row with one is bold
  Qt::Alignment alignment = Qt::AlignRight;  // of the cells of any other column
};

struct PageHeading {
  QString title;            // "逐桩高程表"
  QString left, right;      // the particulars' line, at either side
  double headerHeight = 8;  // mm; two lines of titles want about 11
  // mm. With the 267 mm between the margins of an upright A4 (or an A3
  // across) this leaves room for 48 rows: tall enough to read and to write
  // on, few enough pages to carry.
  double rowHeight = 4.9;
  double headerPoints = 9.5;  // the header row's bold text
};

// The texts of row i, one a column.
using PageRow = std::function<void(std::size_t i, QStringList& cells)>;

class TablePages {
 public:
  // The device's page size and margins fix the layout.
  TablePages(std::vector<PageColumn> columns, std::size_t rows, PageRow row, PageHeading heading,
             const QPagedPaintDevice& device);

  int pageCount() const { return pageCount_; }
  int rowsPerPage() const { return rowsPerPage_; }

  // Pages from first to last, 1-based and inclusive, each after the first
  // on a new page of the device the painter paints on.
  void paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const;

 private:
  void paintPage(QPainter& painter, int page) const;

  std::vector<PageColumn> columns_;
  std::size_t rows_ = 0;
  PageRow row_;
  PageHeading heading_;
  double millimetre_ = 1;  // device pixels
  double width_ = 0, height_ = 0;
  int rowsPerPage_ = 1;
  int pageCount_ = 1;
};

// The page with the margins the tables are designed for: A4 upright for the
// stake table, A3 across for the wider ones.
void setTablePageLayout(QPagedPaintDevice& device, QPageSize::PageSizeId size = QPageSize::A4,
                        bool landscape = false);

// Latin digits from a Latin font, the Chinese from one CJK font.
QFont pageFont(double points, bool bold = false);

// Told each page as it is painted; false stops the writing.
using PageProgress = std::function<bool(int page, int pages)>;

// Writes the pages to a PDF, complete or not at all; the error says why
// not (empty when progress stopped it).
bool writeTablePdf(const QString& path, const QString& title, QPageSize::PageSizeId size,
                   bool landscape, const std::function<TablePages(const QPagedPaintDevice&)>& pages,
                   QString* error, const PageProgress& progress = {});

}  // namespace vcurve::pageui
