// Draws the profile window's icon at 16, 32 and 48 pixels: a design line
// with a crest curve over a ground line, on a sheet of drawing paper.
// Usage: draw_profile_icons FOLDER

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

QImage drawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 48.0, size / 48.0);

  // The sheet, with a few grid lines at the larger sizes.
  painter.setPen(QPen(QColor(70, 90, 120), 2));
  painter.setBrush(QColor(250, 252, 255));
  painter.drawRoundedRect(QRectF(2, 4, 44, 40), 4, 4);
  if (size >= 32) {
    painter.setPen(QPen(QColor(200, 214, 232), 1));
    for (const double x : {13.0, 24.0, 35.0}) painter.drawLine(QPointF(x, 6), QPointF(x, 42));
    for (const double y : {15.0, 26.0, 35.0}) painter.drawLine(QPointF(4, y), QPointF(44, y));
  }

  // The ground line, brown and irregular.
  QPainterPath ground;
  ground.moveTo(4, 36);
  ground.lineTo(11, 31);
  ground.lineTo(16, 33);
  ground.lineTo(23, 20);
  ground.lineTo(28, 23);
  ground.lineTo(34, 30);
  ground.lineTo(39, 29);
  ground.lineTo(44, 35);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(150, 100, 50), size >= 32 ? 2.0 : 3.0));
  painter.drawPath(ground);

  // The design line: two grades joined by a parabola.
  QPainterPath design;
  design.moveTo(4, 34);
  design.lineTo(15, 22);
  design.quadTo(24, 12, 33, 22);
  design.lineTo(44, 33);
  painter.setPen(QPen(QColor(200, 30, 40), size >= 32 ? 3.0 : 4.0, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(design);

  // The PVI above the curve.
  if (size >= 32) {
    painter.setPen(QPen(QColor(200, 30, 40), 1, Qt::DashLine));
    painter.drawLine(QPointF(15, 22), QPointF(24, 12));
    painter.drawLine(QPointF(24, 12), QPointF(33, 22));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 60, 160));
    painter.drawEllipse(QPointF(24, 12), 2.5, 2.5);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  for (const int size : {16, 32, 48}) {
    const QString path =
        QStringLiteral("%1/vcurve-profile-%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (!drawIcon(size).save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
