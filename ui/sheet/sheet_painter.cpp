#include "ui/sheet/sheet_painter.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QSaveFile>
#include <array>
#include <cmath>
#include <deque>

namespace vcurve::sheetui {
namespace {

using namespace profile::sheet;

// A text's height on the sheet is its glyphs' height, as CAD takes it;
// the font's em is a little larger.
constexpr double kEmPerHeight = 1.25;

QFont sheetFont() {
  QFont font;
  // Latin digits from a Latin font: the CJK fonts' own digits reach the
  // PDF without the mapping back to text, and a sheet whose numbers cannot
  // be searched or copied is no use. The Chinese from one font with all
  // its glyphs, embedded rather than whatever a fallback finds.
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Zen Hei"),
                    QStringLiteral("SimSun")});
  font.setStyleHint(QFont::SansSerif);
  return font;
}

class SheetPainter {
 public:
  SheetPainter(QPainter& painter, const Sheet& sheet, QPointF origin, double scale)
      : painter_(painter), sheet_(sheet), origin_(origin), scale_(scale) {}

  void paint() {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setBrush(Qt::NoBrush);
    for (const Polyline& line : sheet_.lines) {
      painter_.setPen(pen(line.stroke, line.dash));
      if (line.points.size() == 2) {
        painter_.drawLine(device(line.points[0]), device(line.points[1]));
      } else {
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(line.points.size()));
        for (const Point& p : line.points) polygon << device(p);
        painter_.drawPolyline(polygon);
      }
    }
    painter_.setPen(pen(Stroke::Thin, Dash::Solid));
    for (const Circle& circle : sheet_.circles) {
      painter_.drawEllipse(device(circle.centre), circle.radius * scale_, circle.radius * scale_);
    }
    painter_.setPen(QPen(Qt::black));
    for (const Text& text : sheet_.texts) paintText(text);
    painter_.restore();
  }

 private:
  QPointF device(Point p) const { return {origin_.x() + p.x * scale_, origin_.y() - p.y * scale_}; }

  QPen pen(Stroke stroke, Dash dash) const {
    const double width = strokeWidth(stroke);
    QPen pen(Qt::black, width * scale_, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    if (dash == Dash::Dashed) pen.setDashPattern({3 / width, 1.5 / width});
    return pen;
  }

  struct Entry {
    double height;
    QFont font;
    QFontMetricsF metrics;
  };

  // The sheets use a handful of sizes; a font and its metrics for each.
  const Entry& fontFor(double height) {
    for (const Entry& entry : fonts_) {
      if (entry.height == height) return entry;
    }
    QFont font = sheetFont();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * kEmPerHeight * scale_))));
    fonts_.push_back({height, font, QFontMetricsF(font, painter_.device())});
    return fonts_.back();
  }

  void paintText(const Text& text) {
    const Entry& entry = fontFor(text.height);
    if (current_ != &entry) {
      painter_.setFont(entry.font);
      current_ = &entry;
    }
    const QFontMetricsF& metrics = entry.metrics;
    const QString string =
        QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
    const double width = metrics.horizontalAdvance(string);
    const double ascent = metrics.ascent(), descent = metrics.descent();
    double dx = 0, baseline = 0;
    switch (text.h) {
      case HAlign::Left:
        break;
      case HAlign::Centre:
        dx = -width / 2;
        break;
      case HAlign::Right:
        dx = -width;
        break;
    }
    switch (text.v) {
      case VAlign::Bottom:
        baseline = -descent;
        break;
      case VAlign::Middle:
        baseline = (ascent - descent) / 2;
        break;
      case VAlign::Top:
        baseline = ascent;
        break;
    }
    const QPointF anchor = device(text.at);
    QTransform transform = base_;
    transform.translate(anchor.x(), anchor.y());
    if (text.angle != 0) transform.rotate(-text.angle);
    painter_.setTransform(transform);
    painter_.drawText(QPointF(dx, baseline), string);
    painter_.setTransform(base_);
  }

  QPainter& painter_;
  const Sheet& sheet_;
  QPointF origin_;
  double scale_;
  QTransform base_ = painter_.transform();
  std::deque<Entry> fonts_;  // stays put as it grows
  const Entry* current_ = nullptr;
};

}  // namespace

void paintSheet(QPainter& painter, const Sheet& sheet, QPointF origin, double pixelsPerMm) {
  SheetPainter(painter, sheet, origin, pixelsPerMm).paint();
}

bool paintSheets(const SheetLayout& layout, QPagedPaintDevice& device, double resolution,
                 const std::function<bool(int, int)>& progress) {
  const PaperSize paper = paperSize(layout.settings().paper);
  device.setPageLayout(
      QPageLayout(QPageSize(QSizeF(paper.width, paper.height), QPageSize::Millimeter),
                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const double scale = resolution / 25.4;
  for (int n = 1; n <= layout.count(); ++n) {
    if (n > 1 && !device.newPage()) return false;
    paintSheet(painter, layout.sheet(n), QPointF(0, paper.height * scale), scale);
    if (progress && !progress(n, layout.count())) return false;
  }
  return painter.end();
}

bool writeSheetsPdf(const SheetLayout& layout, const QString& path, QString* error,
                    const std::function<bool(int, int)>& progress) {
  QString unused;
  if (error == nullptr) error = &unused;
  error->clear();
  QSaveFile file(path);
  const QString name = QFileInfo(path).fileName();
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(name, file.errorString());
    return false;
  }
  bool stopped = false;
  bool painted = false;
  {
    QPdfWriter writer(&file);
    constexpr int kResolution = 1200;
    writer.setResolution(kResolution);
    writer.setTitle(QString::fromStdString(layout.settings().title.drawingTitle));
    writer.setCreator(QStringLiteral("纵断面设计"));
    const auto counted = [&](int done, int total) {
      if (progress && !progress(done, total)) {
        stopped = true;
        return false;
      }
      return true;
    };
    painted = paintSheets(layout, writer, kResolution, counted);
  }
  if (!painted) {
    file.cancelWriting();
    if (!stopped) *error = QStringLiteral("无法生成 PDF“%1”").arg(name);
    return false;
  }
  if (!file.commit()) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(name, file.errorString());
    return false;
  }
  return true;
}

}  // namespace vcurve::sheetui
