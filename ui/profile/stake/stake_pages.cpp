#include "ui/profile/stake/stake_pages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/station_text.h"
#include "ui/profile/stake/stake_model.h"

namespace vcurve::profileui {
namespace {

// Millimetres. With A4's 267 mm between the margins these leave room for
// 48 rows: tall enough to read and to write on, few enough pages to carry.
constexpr double kTitleHeight = 11;
constexpr double kInfoHeight = 6;
constexpr double kGap = 1.5;
constexpr double kHeaderHeight = 8;
constexpr double kRowHeight = 4.9;
constexpr double kFooterHeight = 8;
constexpr double kCellPadding = 1.5;
constexpr double kThinLine = 0.15;
constexpr double kThickLine = 0.35;

// Shares of the width, in the model's column order; the note takes what a
// 竖曲线终点、竖曲线起点 needs.
constexpr std::array<double, StakeModel::kColumns> kColumnShares{0.17, 0.13, 0.13, 0.11,
                                                                 0.11, 0.11, 0.24};

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

void setStakePageLayout(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter));
}

StakePages::StakePages(const profile::StakeTable* table, StakeHeading heading,
                       const QPagedPaintDevice& device)
    : table_(table), heading_(std::move(heading)) {
  millimetre_ = device.logicalDpiY() / 25.4;
  width_ = device.width();
  height_ = device.height();
  const double body =
      height_ / millimetre_ - kTitleHeight - kInfoHeight - kGap - kHeaderHeight - kFooterHeight;
  rowsPerPage_ = std::max(1, static_cast<int>(std::floor(body / kRowHeight)));
  const std::size_t rows = table_ ? table_->size() : 0;
  const std::size_t perPage = static_cast<std::size_t>(rowsPerPage_);
  pageCount_ = static_cast<int>(std::max<std::size_t>(1, (rows + perPage - 1) / perPage));
}

void StakePages::paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const {
  first = std::max(first, 1);
  last = std::min(last, pageCount_);
  for (int page = first; page <= last; ++page) {
    if (page != first) device.newPage();
    paintPage(painter, page);
  }
}

void StakePages::paintPage(QPainter& painter, int page) const {
  const double mm = millimetre_;
  const QFont titleFont = pageFont(15, true);
  const QFont textFont = pageFont(9);
  const QFont headerFont = pageFont(9.5, true);
  const QFont boldFont = pageFont(9, true);
  QPen thin(Qt::black, kThinLine * mm);
  QPen thick(Qt::black, kThickLine * mm);

  double y = 0;
  painter.setFont(titleFont);
  painter.drawText(QRectF(0, y, width_, kTitleHeight * mm), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("逐桩高程表"));
  y += kTitleHeight * mm;

  painter.setFont(textFont);
  QString left =
      QStringLiteral("文件：%1")
          .arg(heading_.fileName.isEmpty() ? QStringLiteral("未命名") : heading_.fileName);
  if (!heading_.designSpeed.isEmpty()) {
    left += QStringLiteral("　　设计速度：%1").arg(heading_.designSpeed);
  }
  QString right;
  if (!heading_.interval.isEmpty()) right = QStringLiteral("桩距：%1").arg(heading_.interval);
  if (table_ && table_->profile().usable()) {
    const profile::Profile& profile = table_->profile();
    right += QStringLiteral("　　%1 至 %2")
                 .arg(QString::fromStdString(chainageText(profile.startStation())),
                      QString::fromStdString(chainageText(profile.endStation())));
  }
  const QRectF info(0, y, width_, kInfoHeight * mm);
  painter.drawText(info, Qt::AlignLeft | Qt::AlignVCenter, left);
  painter.drawText(info, Qt::AlignRight | Qt::AlignVCenter, right);
  y += (kInfoHeight + kGap) * mm;

  std::array<double, StakeModel::kColumns + 1> edges{};
  for (std::size_t c = 0; c < kColumnShares.size(); ++c) {
    edges[c + 1] = edges[c] + kColumnShares[c] * width_;
  }
  edges.back() = width_;
  const double padding = kCellPadding * mm;
  const auto cell = [&](int column, double top, double height) {
    const auto c = static_cast<std::size_t>(column);
    return QRectF(edges[c] + padding, top, edges[c + 1] - edges[c] - 2 * padding, height);
  };

  const double tableTop = y;
  const double header = kHeaderHeight * mm;
  painter.setFont(headerFont);
  for (int column = 0; column < StakeModel::kColumns; ++column) {
    painter.drawText(cell(column, y, header), Qt::AlignCenter, StakeModel::columnTitle(column));
  }
  y += header;

  const std::size_t rows = table_ ? table_->size() : 0;
  const std::size_t begin = static_cast<std::size_t>(page - 1) * std::size_t(rowsPerPage_);
  const std::size_t end = std::min(rows, begin + std::size_t(rowsPerPage_));
  const double rowHeight = kRowHeight * mm;
  const QFontMetricsF noteMetrics(boldFont, painter.device());
  for (std::size_t i = begin; i < end; ++i, y += rowHeight) {
    const profile::StakeRow row = table_->row(i);
    const QString note = StakeModel::cellText(*table_, row, i, StakeModel::kNoteColumn);
    painter.setFont(note.isEmpty() ? textFont : boldFont);
    for (int column = 0; column < StakeModel::kNoteColumn; ++column) {
      painter.drawText(cell(column, y, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       StakeModel::cellText(*table_, row, i, column));
    }
    const QRectF noteCell = cell(StakeModel::kNoteColumn, y, rowHeight);
    painter.drawText(noteCell, Qt::AlignLeft | Qt::AlignVCenter,
                     noteMetrics.elidedText(note, Qt::ElideRight, noteCell.width()));
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

}  // namespace vcurve::profileui
