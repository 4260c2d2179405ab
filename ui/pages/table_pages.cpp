#include "ui/pages/table_pages.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace vcurve::pageui {
namespace {

// Millimetres.
constexpr double kTitleHeight = 11;
constexpr double kInfoHeight = 6;
constexpr double kGap = 1.5;
constexpr double kFooterHeight = 8;
constexpr double kCellPadding = 1.5;
constexpr double kThinLine = 0.15;
constexpr double kThickLine = 0.35;

}  // namespace

QFont pageFont(double points, bool bold) {
  QFont font;
  // Digits and Latin letters from a Latin font: through Windows's font
  // engine a CJK font's digits reach the PDF with no way back to text, and
  // the stations could not be searched or copied. The Chinese comes from
  // one CJK font, so that the PDF embeds it rather than whatever a fallback
  // finds on the machine.
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                    QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void setTablePageLayout(QPagedPaintDevice& device, QPageSize::PageSizeId size, bool landscape) {
  device.setPageLayout(QPageLayout(QPageSize(size),
                                   landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                   QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter));
}

TablePages::TablePages(std::vector<PageColumn> columns, std::size_t rows, PageRow row,
                       PageHeading heading, const QPagedPaintDevice& device)
    : columns_(std::move(columns)),
      rows_(rows),
      row_(std::move(row)),
      heading_(std::move(heading)) {
  millimetre_ = device.logicalDpiY() / 25.4;
  width_ = device.width();
  height_ = device.height();
  const double body = height_ / millimetre_ - kTitleHeight - kInfoHeight - kGap -
                      heading_.headerHeight - kFooterHeight;
  rowsPerPage_ = std::max(1, static_cast<int>(std::floor(body / heading_.rowHeight)));
  const auto perPage = static_cast<std::size_t>(rowsPerPage_);
  pageCount_ = static_cast<int>(std::max<std::size_t>(1, (rows_ + perPage - 1) / perPage));
}

void TablePages::paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const {
  first = std::max(first, 1);
  last = std::min(last, pageCount_);
  for (int page = first; page <= last; ++page) {
    if (page != first) device.newPage();
    paintPage(painter, page);
  }
}

void TablePages::paintPage(QPainter& painter, int page) const {
  const double mm = millimetre_;
  const QFont titleFont = pageFont(15, true);
  const QFont textFont = pageFont(9);
  const QFont headerFont = pageFont(heading_.headerPoints, true);
  const QFont boldFont = pageFont(9, true);
  const QPen thin(Qt::black, kThinLine * mm);
  const QPen thick(Qt::black, kThickLine * mm);

  double y = 0;
  painter.setFont(titleFont);
  painter.drawText(QRectF(0, y, width_, kTitleHeight * mm), Qt::AlignHCenter | Qt::AlignTop,
                   heading_.title);
  y += kTitleHeight * mm;

  painter.setFont(textFont);
  const QRectF info(0, y, width_, kInfoHeight * mm);
  painter.drawText(info, Qt::AlignLeft | Qt::AlignVCenter, heading_.left);
  painter.drawText(info, Qt::AlignRight | Qt::AlignVCenter, heading_.right);
  y += (kInfoHeight + kGap) * mm;

  std::vector<double> edges(columns_.size() + 1, 0.0);
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    edges[c + 1] = edges[c] + columns_[c].share * width_;
  }
  edges.back() = width_;
  const double padding = kCellPadding * mm;
  const auto cell = [&](std::size_t c, double top, double height) {
    return QRectF(edges[c] + padding, top, edges[c + 1] - edges[c] - 2 * padding, height);
  };

  const double tableTop = y;
  const double header = heading_.headerHeight * mm;
  painter.setFont(headerFont);
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    painter.drawText(cell(c, y, header), Qt::AlignCenter | Qt::TextWordWrap, columns_[c].title);
  }
  y += header;

  const std::size_t begin = static_cast<std::size_t>(page - 1) * std::size_t(rowsPerPage_);
  const std::size_t end = std::min(rows_, begin + std::size_t(rowsPerPage_));
  const double rowHeight = heading_.rowHeight * mm;
  const QFontMetricsF noteMetrics(boldFont, painter.device());
  QStringList cells;
  for (std::size_t i = begin; i < end; ++i, y += rowHeight) {
    cells.clear();
    row_(i, cells);
    bool marked = false;
    for (std::size_t c = 0; c < columns_.size() && c < std::size_t(cells.size()); ++c) {
      marked = marked || (columns_[c].note && !cells[qsizetype(c)].isEmpty());
    }
    painter.setFont(marked ? boldFont : textFont);
    for (std::size_t c = 0; c < columns_.size() && c < std::size_t(cells.size()); ++c) {
      const QRectF box = cell(c, y, rowHeight);
      const QString& text = cells[qsizetype(c)];
      if (columns_[c].note) {
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                         noteMetrics.elidedText(text, Qt::ElideRight, box.width()));
      } else {
        painter.drawText(box, columns_[c].alignment | Qt::AlignVCenter, text);
      }
    }
    if (i + 1 < end) {
      painter.setPen(thin);
      painter.drawLine(QLineF(0, y + rowHeight, width_, y + rowHeight));
      painter.setPen(QPen(Qt::black));
    }
  }

  // Rules: a frame and the header's underline heavier than the grid.
  painter.setPen(thin);
  for (std::size_t c = 1; c + 1 < edges.size(); ++c) {
    painter.drawLine(QLineF(edges[c], tableTop, edges[c], y));
  }
  painter.setPen(thick);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0, tableTop, width_, y - tableTop));
  painter.drawLine(QLineF(0, tableTop + header, width_, tableTop + header));
  painter.setPen(QPen(Qt::black));

  painter.setFont(textFont);
  painter.drawText(QRectF(0, height_ - kFooterHeight * mm, width_, kFooterHeight * mm),
                   Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pageCount_));
}

bool writeTablePdf(const QString& path, const QString& title, QPageSize::PageSizeId size,
                   bool landscape, const std::function<TablePages(const QPagedPaintDevice&)>& pages,
                   QString* error, const PageProgress& progress) {
  const QString name = QFileInfo(path).fileName();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(name, file.errorString());
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(600);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("纵断面设计"));
    setTablePageLayout(writer, size, landscape);
    const TablePages laid = pages(writer);
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      *error = QStringLiteral("无法生成 PDF“%1”").arg(name);
      return false;
    }
    for (int page = 1; page <= laid.pageCount(); ++page) {
      if (progress && !progress(page, laid.pageCount())) {
        painter.end();
        file.cancelWriting();
        error->clear();
        return false;
      }
      laid.paint(painter, writer, page, page);
      if (page < laid.pageCount()) writer.newPage();
    }
  }
  if (!file.commit()) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(name, file.errorString());
    return false;
  }
  return true;
}

}  // namespace vcurve::pageui
