#include "ui/profile/drawing/scene_painter.h"

#include <QImage>
#include <array>
#include <cmath>
#include <optional>

#include "ui/profile/drawing/drawing_style.h"

namespace vcurve::profileui {

namespace {

QPen pen(const QColor& colour, double width, Qt::PenStyle line = Qt::SolidLine) {
  QPen result(colour, width, line, Qt::RoundCap, Qt::RoundJoin);
  result.setCosmetic(true);
  return result;
}

QColor faded(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

// The raster painter draws one-pixel cosmetic lines on a fast path and
// strokes anything wider join by join, which for the thousands of segments
// of a long profile costs milliseconds. The design line is therefore drawn
// three times a pixel wide, a little apart, which looks the same as a pen
// of two pixels at a tenth of the cost.
void paintBold(QPainter& painter, const std::vector<QPolygonF>& lines, const QColor& colour) {
  painter.setPen(pen(colour, 1));
  for (const QPointF offset : {QPointF(0, 0), QPointF(0.6, 0), QPointF(0, 0.6)}) {
    painter.save();
    painter.translate(offset);
    for (const QPolygonF& line : lines) painter.drawPolyline(line);
    painter.restore();
  }
}

// Marks drawn once into an image and stamped where they go: hundreds of
// antialiased circles cost far more than as many small copies.
class Stamp {
 public:
  template <typename Draw>
  Stamp(const QPainter& painter, double radius, Draw draw) : half_(radius + 2) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const int side = static_cast<int>(std::ceil(2 * half_ * ratio));
    image_ = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::transparent);
    QPainter stamp(&image_);
    stamp.setRenderHint(QPainter::Antialiasing);
    stamp.translate(half_, half_);
    draw(stamp);
  }
  void at(QPainter& painter, const QPointF& centre) const {
    painter.drawImage(centre - QPointF(half_, half_), image_);
  }

 private:
  double half_;
  QImage image_;
};

void paintGrid(QPainter& painter, const Scene& scene) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(pen(style::kGrid, 1));
  const QRectF& plot = scene.plot;
  for (const double x : scene.gridX)
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  for (const double y : scene.gridY)
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  painter.setPen(pen(style::kFrame, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  painter.setRenderHint(QPainter::Antialiasing, true);
}

// Annotations get a light backing so that a ground line or a grid line
// behind them does not cut through the digits.
void paintText(QPainter& painter, const SceneText& text) {
  painter.save();
  painter.translate(text.centre);
  if (text.angle != 0) painter.rotate(text.angle);
  if (text.role != TextRole::Axis) {
    painter.fillRect(text.box.adjusted(-1, 0, 1, 0), faded(style::kPaper, 200));
  }
  painter.drawText(text.box, static_cast<int>(text.align), text.text);
  painter.restore();
}

QColor textColour(TextRole role) {
  switch (role) {
    case TextRole::Axis:
      return style::kAxisText;
    case TextRole::Grade:
      return style::kDesign;
    default:
      break;
  }
  return style::kAnnotation;
}

void paintRing(QPainter& painter, QPointF at, profile::Severity severity, double radius) {
  const bool note = severity == profile::Severity::Note;
  painter.setPen(pen(style::severityColour(severity), note ? 1.5 : 2.5));
  painter.setBrush(note ? Qt::NoBrush : QBrush(faded(style::severityColour(severity), 40)));
  painter.drawEllipse(at, radius, radius);
}

// A point whose label found no room: filled, where others are hollow.
void paintHiddenPoint(QPainter& painter, QPointF at) {
  painter.setPen(pen(style::kDesign, 1.5));
  painter.setBrush(style::kHidden);
  painter.drawEllipse(at, style::kPointRadius, style::kPointRadius);
}

void paintLegend(QPainter& painter, const Scene& scene) {
  for (const LegendItem& item : scene.legendItems) {
    const QRectF& swatch = item.swatch;
    const double middle = swatch.center().y();
    const QPointF centre = swatch.center();
    const double radius = swatch.height() / 2 - 2;
    switch (item.entry) {
      case LegendEntry::Design:
        paintBold(painter,
                  {QPolygonF{QPointF(swatch.left(), middle), QPointF(swatch.right(), middle)}},
                  style::kDesign);
        break;
      case LegendEntry::Ground:
        painter.setPen(pen(style::kGround, 1));
        painter.drawLine(QPointF(swatch.left(), middle), QPointF(swatch.right(), middle));
        break;
      case LegendEntry::Pvi:
        painter.setPen(pen(style::kDesign, 1.5));
        painter.setBrush(style::kPaper);
        painter.drawEllipse(centre, style::kPointRadius, style::kPointRadius);
        break;
      case LegendEntry::Error:
        paintRing(painter, centre, profile::Severity::Error, radius);
        break;
      case LegendEntry::Warning:
        paintRing(painter, centre, profile::Severity::Warning, radius);
        break;
      case LegendEntry::Note:
        paintRing(painter, centre, profile::Severity::Note, radius);
        break;
      case LegendEntry::Hidden:
        paintHiddenPoint(painter, centre);
        break;
    }
    painter.setPen(style::kAnnotation);
    painter.drawText(item.textBox, Qt::AlignLeft | Qt::AlignVCenter, item.text);
  }
}

// Shown at the pointer over everything else, so on a solid backing.
void paintHoverLabels(QPainter& painter, const Scene& scene) {
  painter.setPen(pen(style::kAnnotation, 1));
  for (const QLineF& leader : scene.hoverLeaders) painter.drawLine(leader);
  QRectF extent;
  for (const SceneText& text : scene.hoverTexts) {
    extent = extent.united(text.box.translated(text.centre));
  }
  if (extent.isEmpty()) return;
  painter.setPen(pen(style::kFrame, 1));
  painter.setBrush(style::kPaper);
  painter.drawRect(extent.adjusted(-3, -1, 3, 1));
  for (const SceneText& text : scene.hoverTexts) {
    painter.setPen(textColour(text.role));
    paintText(painter, text);
  }
}

}  // namespace

void paintScene(QPainter& painter, const Scene& scene) {
  painter.fillRect(painter.window(), style::kPaper);
  if (scene.plot.isEmpty()) return;
  if (scene.gridX.empty() && scene.design.empty() && scene.pointLine.empty() &&
      scene.ground.empty()) {
    painter.setPen(style::kAxisText);
    painter.drawText(scene.messageBox, Qt::AlignCenter | Qt::TextWordWrap, scene.message);
    return;
  }
  paintGrid(painter, scene);

  painter.save();
  painter.setClipRect(scene.plot.adjusted(-1, -1, 1, 1));
  painter.setBrush(Qt::NoBrush);
  if (scene.selected) {
    painter.setPen(pen(faded(style::kSelection, 120), 1, Qt::DashLine));
    painter.drawLine(QPointF(scene.selected->x(), scene.plot.top()),
                     QPointF(scene.selected->x(), scene.plot.bottom()));
  }
  // A soft wide highlight: without antialiasing and with flat ends it costs
  // a tenth as much, and nobody can tell.
  painter.setRenderHint(QPainter::Antialiasing, false);
  std::optional<profile::Severity> bandPen;
  for (const SceneBand& band : scene.bands) {
    if (band.severity != bandPen) {
      QPen wide = pen(faded(style::severityColour(band.severity),
                            band.severity == profile::Severity::Note ? 60 : 90),
                      style::kBandWidth);
      wide.setCapStyle(Qt::FlatCap);
      painter.setPen(wide);
      bandPen = band.severity;
    }
    painter.drawLine(band.line);
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(pen(style::kGround, 1));
  for (const QPolygonF& line : scene.ground) painter.drawPolyline(line);
  painter.setPen(pen(faded(style::kDesign, 150), 1, Qt::DashLine));
  for (const QPolygonF& line : scene.tangents) painter.drawPolyline(line);
  painter.setPen(pen(faded(style::kDesign, 170), 1.5, Qt::DashLine));
  for (const QPolygonF& line : scene.pointLine) painter.drawPolyline(line);
  paintBold(painter, scene.design, style::kDesign);

  painter.setPen(pen(style::kDesign, 1.2));
  for (const QLineF& tick : scene.curveTicks) painter.drawLine(tick);
  painter.setPen(pen(style::kAnnotation, 1));
  for (const QPolygonF& bracket : scene.brackets) painter.drawPolyline(bracket);
  for (const QLineF& leader : scene.leaders) painter.drawLine(leader);
  painter.setPen(Qt::NoPen);
  painter.setBrush(style::kDesign);
  for (const SceneTurn& turn : scene.turns) {
    // A small triangle pointing at the turn from outside the curve.
    const double s = 4;
    const double d = turn.high ? -1 : 1;
    const QPointF tip = turn.at + QPointF(0, d * 2);
    painter.drawPolygon(
        QPolygonF{tip, tip + QPointF(-s, d * 1.6 * s), tip + QPointF(s, d * 1.6 * s)});
  }

  if (scene.selected) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(faded(style::kSelection, 90));
    painter.drawEllipse(*scene.selected, 8, 8);
  }
  const Stamp point(painter, style::kPointRadius, [](QPainter& stamp) {
    stamp.setPen(pen(style::kDesign, 1.5));
    stamp.setBrush(style::kPaper);
    stamp.drawEllipse(QPointF(), style::kPointRadius, style::kPointRadius);
  });
  for (const QPointF& p : scene.points) point.at(painter, p);
  if (scene.selected) {
    painter.setBrush(style::kSelection);
    painter.setPen(pen(style::kDesign, 1.5));
    painter.drawEllipse(*scene.selected, style::kPointRadius + 1, style::kPointRadius + 1);
  }
  std::array<std::optional<Stamp>, 3> rings;
  for (const SceneMark& ring : scene.rings) {
    auto& stamp = rings[static_cast<std::size_t>(ring.severity)];
    if (!stamp) {
      stamp.emplace(painter, style::kRingRadius + 1.5, [&](QPainter& p) {
        paintRing(p, QPointF(), ring.severity, style::kRingRadius);
      });
    }
    stamp->at(painter, ring.at);
  }
  // Over the rings, so that a point with a finding still shows its label is hidden.
  const Stamp hiddenPoint(painter, style::kPointRadius,
                          [](QPainter& stamp) { paintHiddenPoint(stamp, QPointF()); });
  for (const QPointF& p : scene.hiddenPoints) hiddenPoint.at(painter, p);
  painter.setPen(Qt::NoPen);
  painter.setBrush(style::kHidden);
  for (const QPointF& p : scene.hiddenGrades) painter.drawEllipse(p, 2.5, 2.5);

  if (scene.hoverX) {
    painter.setPen(pen(faded(style::kHover, 140), 1, Qt::DotLine));
    painter.drawLine(QPointF(*scene.hoverX, scene.plot.top()),
                     QPointF(*scene.hoverX, scene.plot.bottom()));
    painter.setPen(pen(style::kPaper, 1.5));
    painter.setBrush(style::kDesign);
    if (scene.hoverDesign) painter.drawEllipse(*scene.hoverDesign, 3.5, 3.5);
    painter.setBrush(style::kGround);
    if (scene.hoverGround) painter.drawEllipse(*scene.hoverGround, 3.5, 3.5);
  }
  painter.restore();

  for (const SceneText& text : scene.texts) {
    painter.setPen(textColour(text.role));
    paintText(painter, text);
  }
  paintHoverLabels(painter, scene);
  paintLegend(painter, scene);
  if (!scene.message.isEmpty()) {
    painter.setPen(pen(style::kError, 1));
    painter.setBrush(faded(style::kPaper, 230));
    painter.drawRect(scene.messageBox);
    painter.setPen(style::kError);
    painter.drawText(scene.messageBox, Qt::AlignCenter, scene.message);
  }
}

}  // namespace vcurve::profileui
