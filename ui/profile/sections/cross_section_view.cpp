#include "ui/profile/sections/cross_section_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vcurve::profileui {
namespace {

// Heights drawn up to this many times their width's scale: a crown of 2 %
// on a 5 m lane would otherwise be a pixel.
constexpr double kExaggeration = 10;

}  // namespace

CrossSectionView::CrossSectionView(QWidget* parent) : QWidget(parent) { setMinimumHeight(90); }

void CrossSectionView::setSection(std::optional<sections::CrossSection> section,
                                  const QString& station) {
  section_ = std::move(section);
  station_ = station;
  update();
}

void CrossSectionView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().color(QPalette::Text));
  if (!section_) {
    painter.drawText(rect(), Qt::AlignCenter,
                     QStringLiteral("将指针移到纵断面上，此处显示该桩号的横断面"));
    return;
  }
  const sections::CrossSection& s = *section_;
  // Outward from the centre on each side: the centre, then the edges.
  std::vector<QPointF> points;
  for (std::size_t e = sections::kEdges; e-- > 0;)
    points.push_back({-s.left.offset[e], s.left.height[e]});
  points.push_back({0, s.centre});
  for (std::size_t e = 0; e < sections::kEdges; ++e)
    points.push_back({s.right.offset[e], s.right.height[e]});
  double half = 1, low = s.centre, high = s.centre;
  for (const QPointF& p : points) {
    half = std::max(half, std::abs(p.x()));
    low = std::min(low, p.y());
    high = std::max(high, p.y());
  }
  const QRectF area = QRectF(rect()).adjusted(12, 24, -12, -6);
  const double scale = area.width() / (2 * half);
  // A full superelevation would leave the view at ten times: less, in whole
  // steps, so that the caption says what is drawn.
  const double fits = high > low ? area.height() / ((high - low) * scale) : kExaggeration;
  const double exaggeration = std::clamp(std::floor(fits), 1.0, kExaggeration);
  const double middle = (low + high) / 2;
  const auto map = [&](const QPointF& p) {
    return QPointF(area.center().x() + p.x() * scale,
                   area.center().y() - (p.y() - middle) * scale * exaggeration);
  };
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath line;
  line.moveTo(map(points.front()));
  for (const QPointF& p : points) line.lineTo(map(p));
  painter.setPen(QPen(palette().color(QPalette::Text), 2));
  painter.drawPath(line);
  painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
  painter.drawLine(QPointF(area.center().x(), area.top()),
                   QPointF(area.center().x(), area.bottom()));
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(QRectF(rect()).adjusted(6, 4, -6, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("横断面 %1（高差放大 %2 倍）%3")
                       .arg(station_)
                       .arg(exaggeration)
                       .arg(s.superelevated ? QStringLiteral("　超高") : QString()));
}

}  // namespace vcurve::profileui
