#include "ui/profile/drawing/station_mark.h"

#include <QFontMetricsF>
#include <algorithm>

#include "core/station_text.h"

namespace vcurve::profileui {
namespace {

const QColor kMark{214, 40, 160};
constexpr double kMarkRadius = 4.5;

}  // namespace

void paintStationMark(QPainter& painter, const ViewTransform& view, const profile::Profile& profile,
                      const profile::GroundLine* ground, double station, const QFont& font) {
  const QRectF plot = view.plot();
  const double x = view.mapStation(station);
  if (x < plot.left() || x > plot.right()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kMark, 1.5, Qt::DashLine));
  painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(kMark);
  if (const auto z = profile.elevationAt(station)) {
    painter.drawEllipse(view.map(station, *z), kMarkRadius, kMarkRadius);
  }
  if (ground != nullptr) {
    if (const auto z = ground->elevationAt(station)) {
      painter.drawEllipse(view.map(station, *z), kMarkRadius - 1, kMarkRadius - 1);
    }
  }
  // The chainage on a white ground at the top of the line, kept inside the
  // plot at either end.
  const QString text = QString::fromStdString(chainageText(station));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  QRectF box(0, plot.top() + 2, metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
  box.moveLeft(std::clamp(x - box.width() / 2, plot.left(), plot.right() - box.width()));
  painter.setPen(QPen(kMark, 1));
  painter.setBrush(QColor(255, 255, 255, 230));
  painter.drawRect(box);
  painter.drawText(box, Qt::AlignCenter, text);
  painter.restore();
}

std::optional<QPointF> offsetToShow(const ViewTransform& view, const profile::Profile& profile,
                                    double station) {
  const QRectF plot = view.plot();
  QPointF offset;
  const double x = view.mapStation(station);
  if (x < plot.left() || x > plot.right()) offset.setX(plot.center().x() - x);
  if (const auto z = profile.elevationAt(station)) {
    const double y = view.mapElevation(*z);
    if (y < plot.top() || y > plot.bottom()) offset.setY(plot.center().y() - y);
  }
  if (offset.isNull()) return std::nullopt;
  return offset;
}

}  // namespace vcurve::profileui
