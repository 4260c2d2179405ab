#include "ui/profile/design_pages.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/profile/stake/stake_pages.h"

namespace vcurve::profileui {
namespace {

// Millimetres, as the stake table's pages have them; the header has room
// for a title that wraps onto a second line.
constexpr double kTitleHeight = 11;
constexpr double kInfoHeight = 6;
constexpr double kGap = 1.5;
constexpr double kHeaderHeight = 11;
constexpr double kRowHeight = 5.5;
constexpr double kFooterHeight = 8;
constexpr double kCellPadding = 1.5;
constexpr double kThinLine = 0.15;
constexpr double kThickLine = 0.35;
constexpr double kTextPoints = 9;

}  // namespace

void setDesignPageLayout(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                   QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

DesignPages::DesignPages(const QAbstractItemModel& model, DesignHeading heading,
                         const QPagedPaintDevice& device)
    : heading_(std::move(heading)) {
  millimetre_ = device.logicalDpiY() / 25.4;
  width_ = device.width();
  height_ = device.height();
  const int columns = model.columnCount();
  const QFontMetricsF text(pageFont(kTextPoints), &device);
  const QFontMetricsF bold(pageFont(kTextPoints, true), &device);
  // Each column as wide as its widest cell or half its title, whichever
  // is more, the titles wrapping, though one as short as 凸/凹 is never
  // broken; then all of them scaled to the page.
  constexpr qsizetype kShortTitle = 4;
  std::vector<double> widths(static_cast<std::size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    titles_ << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const double title = bold.horizontalAdvance(titles_.back());
    widths[static_cast<std::size_t>(c)] = titles_.back().size() <= kShortTitle ? title : title / 2;
    alignments_.push_back(Qt::AlignRight);
  }
  for (int r = 0; r < model.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < columns; ++c) {
      const QModelIndex index = model.index(r, c);
      cells << index.data(Qt::DisplayRole).toString();
      auto& width = widths[static_cast<std::size_t>(c)];
      width = std::max(width, text.horizontalAdvance(cells.back()));
      if (r == 0) {
        const QVariant alignment = index.data(Qt::TextAlignmentRole);
        if (alignment.isValid()) {
          alignments_[static_cast<std::size_t>(c)] =
              Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask;
        }
      }
    }
    rows_.push_back(std::move(cells));
  }
  double total = 0;
  for (double& width : widths) total += (width += 2 * kCellPadding * millimetre_);
  edges_.assign(1, 0);
  for (const double width : widths) edges_.push_back(edges_.back() + width * width_ / total);

  const double body =
      height_ / millimetre_ - kTitleHeight - kInfoHeight - kGap - kHeaderHeight - kFooterHeight;
  rowsPerPage_ = std::max(1, static_cast<int>(std::floor(body / kRowHeight)));
  const int rows = static_cast<int>(rows_.size());
  pageCount_ = std::max(1, (rows + rowsPerPage_ - 1) / rowsPerPage_);
}

void DesignPages::paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const {
  first = std::max(first, 1);
  last = std::min(last, pageCount_);
  for (int page = first; page <= last; ++page) {
    if (page != first) device.newPage();
    paintPage(painter, page);
  }
}

void DesignPages::paintPage(QPainter& painter, int page) const {
  const double mm = millimetre_;
  const QPen thin(Qt::black, kThinLine * mm);
  const QPen thick(Qt::black, kThickLine * mm);
  const QPen plain(Qt::black);

  double y = 0;
  painter.setFont(pageFont(15, true));
  painter.drawText(QRectF(0, y, width_, kTitleHeight * mm), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("纵坡竖曲线表"));
  y += kTitleHeight * mm;

  painter.setFont(pageFont(kTextPoints));
  QString left =
      QStringLiteral("文件：%1")
          .arg(heading_.fileName.isEmpty() ? QStringLiteral("未命名") : heading_.fileName);
  if (!heading_.checkedAgainst.isEmpty()) {
    left += QStringLiteral("　　检查依据：%1").arg(heading_.checkedAgainst);
  }
  const QRectF info(0, y, width_, kInfoHeight * mm);
  painter.drawText(info, Qt::AlignLeft | Qt::AlignVCenter, left);
  painter.drawText(info, Qt::AlignRight | Qt::AlignVCenter, heading_.extent);
  y += (kInfoHeight + kGap) * mm;

  const double padding = kCellPadding * mm;
  const auto cell = [&](std::size_t c, double top, double height) {
    return QRectF(edges_[c] + padding, top, edges_[c + 1] - edges_[c] - 2 * padding, height);
  };
  const double tableTop = y;
  const double header = kHeaderHeight * mm;
  painter.setFont(pageFont(kTextPoints, true));
  for (std::size_t c = 0; c < static_cast<std::size_t>(titles_.size()); ++c) {
    painter.drawText(cell(c, y, header), Qt::AlignCenter | Qt::TextWordWrap,
                     titles_[static_cast<qsizetype>(c)]);
  }
  y += header;

  painter.setFont(pageFont(kTextPoints));
  const std::size_t perPage = static_cast<std::size_t>(rowsPerPage_);
  const std::size_t begin = static_cast<std::size_t>(page - 1) * perPage;
  const std::size_t end = std::min(rows_.size(), begin + perPage);
  const double rowHeight = kRowHeight * mm;
  for (std::size_t r = begin; r < end; ++r, y += rowHeight) {
    const QStringList& cells = rows_[r];
    for (std::size_t c = 0; c < static_cast<std::size_t>(cells.size()); ++c) {
      painter.drawText(cell(c, y, rowHeight), alignments_[c] | Qt::AlignVCenter,
                       cells[static_cast<qsizetype>(c)]);
    }
    if (r + 1 < end) {
      painter.setPen(thin);
      painter.drawLine(QLineF(0, y + rowHeight, width_, y + rowHeight));
      painter.setPen(plain);
    }
  }

  painter.setPen(thin);
  for (std::size_t c = 1; c + 1 < edges_.size(); ++c) {
    painter.drawLine(QLineF(edges_[c], tableTop, edges_[c], y));
  }
  painter.setPen(thick);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0, tableTop, width_, y - tableTop));
  painter.drawLine(QLineF(0, tableTop + header, width_, tableTop + header));
  painter.setPen(plain);
  painter.drawText(QRectF(0, height_ - kFooterHeight * mm, width_, kFooterHeight * mm),
                   Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pageCount_));
}

}  // namespace vcurve::profileui
