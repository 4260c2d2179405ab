#include "ui/profile/design_pages.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <algorithm>
#include <memory>
#include <vector>

namespace vcurve::profileui {
namespace {

// Millimetres and points, as the stake table's pages have them but for
// rows a little taller; the header has room for a title that wraps onto a
// second line.
constexpr double kHeaderHeight = 11;
constexpr double kRowHeight = 5.5;
constexpr double kCellPadding = 1.5;
constexpr double kTextPoints = 9;

pageui::PageHeading pageHeading(const DesignHeading& heading) {
  pageui::PageHeading page;
  page.title = QStringLiteral("纵坡竖曲线表");
  page.left = QStringLiteral("文件：%1")
                  .arg(heading.fileName.isEmpty() ? QStringLiteral("未命名") : heading.fileName);
  if (!heading.checkedAgainst.isEmpty()) {
    page.left += QStringLiteral("　　检查依据：%1").arg(heading.checkedAgainst);
  }
  page.right = heading.extent;
  page.headerHeight = kHeaderHeight;
  page.rowHeight = kRowHeight;
  page.headerPoints = kTextPoints;
  return page;
}

pageui::TablePages designPages(const QAbstractItemModel& model, const DesignHeading& heading,
                               const QPagedPaintDevice& device) {
  const double millimetre = device.logicalDpiY() / 25.4;
  const int columnCount = model.columnCount();
  const QFontMetricsF text(pageui::pageFont(kTextPoints), &device);
  const QFontMetricsF bold(pageui::pageFont(kTextPoints, true), &device);
  // Each column as wide as its widest cell or half its title, whichever
  // is more, the titles wrapping, though one as short as 凸/凹 is never
  // broken; then all of them scaled to the page.
  constexpr qsizetype kShortTitle = 4;
  std::vector<pageui::PageColumn> columns(static_cast<std::size_t>(columnCount));
  std::vector<double> widths(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    columns[c].title = model.headerData(int(c), Qt::Horizontal, Qt::DisplayRole).toString();
    const double title = bold.horizontalAdvance(columns[c].title);
    widths[c] = columns[c].title.size() <= kShortTitle ? title : title / 2;
  }
  auto rows = std::make_shared<std::vector<QStringList>>();
  for (int r = 0; r < model.rowCount(); ++r) {
    QStringList cells;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const QModelIndex index = model.index(r, int(c));
      cells << index.data(Qt::DisplayRole).toString();
      widths[c] = std::max(widths[c], text.horizontalAdvance(cells.back()));
      if (r == 0) {
        const QVariant alignment = index.data(Qt::TextAlignmentRole);
        if (alignment.isValid()) {
          columns[c].alignment = Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask;
        }
      }
    }
    rows->push_back(std::move(cells));
  }
  double total = 0;
  for (double& width : widths) total += (width += 2 * kCellPadding * millimetre);
  for (std::size_t c = 0; c < columns.size(); ++c) columns[c].share = widths[c] / total;
  const std::size_t count = rows->size();
  return pageui::TablePages(
      std::move(columns), count, [rows](std::size_t i, QStringList& cells) { cells = (*rows)[i]; },
      pageHeading(heading), device);
}

}  // namespace

void setDesignPageLayout(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                   QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

DesignPages::DesignPages(const QAbstractItemModel& model, DesignHeading heading,
                         const QPagedPaintDevice& device)
    : pages_(designPages(model, heading, device)) {}

}  // namespace vcurve::profileui
