#include "ui/profile/drawing/label_placer.h"

#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vcurve::profileui::scene {

namespace {

// A first guess at a label's width, per character, in widths of a digit:
// digits fill most labels, and the guess must not exceed the truth.
constexpr double kFirstGuess = 0.7;
// The length of the pieces a turned label is covered by, in pixels.
constexpr double kPieceLength = 12;

}  // namespace

Placer::Placer(Scene& scene, LabelLayout& layout, const LabelLayout& lines,
               const ViewTransform& view, const QFontMetricsF& metrics)
    : scene_(scene),
      layout_(layout),
      lines_(lines),
      view_(view),
      metrics_(metrics),
      perCharacter_(metrics.horizontalAdvance(QLatin1Char('0')) * kFirstGuess) {}

bool Placer::roomFor(qsizetype characters, qsizetype count, double x, double y, bool up,
                     Aside aside) const {
  return fits(
      boxAt(x, y, up, guess(characters), metrics_.height() * static_cast<double>(count), aside));
}

bool Placer::block(const std::vector<QString>& lines, double x, double y, bool up, TextRole role,
                   Aside aside) {
  const double height = metrics_.height() * static_cast<double>(lines.size());
  const auto box = [&](double width) { return boxAt(x, y, up, width, height, aside); };
  qsizetype longest = 0;
  for (const QString& line : lines) longest = std::max(longest, line.size());
  if (!fits(box(guess(longest)))) return false;
  double width = 0;
  for (const QString& line : lines) width = std::max(width, metrics_.horizontalAdvance(line));
  if (!take(box(width))) return false;
  const QRectF taken = box(width);
  double top = taken.top();
  for (const QString& line : lines) {
    const double w = metrics_.horizontalAdvance(line);
    scene_.texts.push_back({line, QPointF(taken.center().x(), top + metrics_.height() / 2), 0,
                            QRectF(-w / 2, -metrics_.height() / 2, w, metrics_.height()), role});
    top += metrics_.height();
  }
  return true;
}

bool Placer::roomAlong(qsizetype characters, double room) const {
  return guess(characters) <= room;
}

Placer::Along Placer::alongAt(double width, QPointF a, QPointF b, double x, bool above) const {
  const QPointF direction = b - a;
  const double length = std::hypot(direction.x(), direction.y());
  const QPointF on = a + direction * ((x - a.x()) / direction.x());
  const QPointF up(direction.y() / length, -direction.x() / length);
  Along at;
  at.centre = on + up * ((above ? 1 : -1) * (metrics_.height() / 2 + kGradeOffset));
  at.angle = std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi;
  at.box = QRectF(-width / 2, -metrics_.height() / 2, width, metrics_.height());
  // The turned box cut in pieces along its length, so that their upright
  // covers hug it: one cover of a steep label would hold off the labels
  // around it.
  const QTransform turned = QTransform().translate(at.centre.x(), at.centre.y()).rotate(at.angle);
  const int pieces = std::clamp(static_cast<int>(std::ceil(width / kPieceLength)), 1, 64);
  const double piece = width / pieces;
  for (int i = 0; i < pieces; ++i) {
    at.extent.push_back(
        turned.mapRect(QRectF(at.box.left() + i * piece, at.box.top(), piece, at.box.height())));
  }
  return at;
}

bool Placer::fitsAll(const std::vector<QRectF>& boxes) const {
  return std::all_of(boxes.begin(), boxes.end(),
                     [&](const QRectF& box) { return fits(box, false); });
}

void Placer::takeAll(const std::vector<QRectF>& boxes) {
  for (const QRectF& box : boxes) layout_.reserve(box.adjusted(-kPad, -kPad, kPad, kPad));
}

bool Placer::along(const QString& text, double width, QPointF a, QPointF b, double x, double room,
                   bool above) {
  if (width + 2 * kPad > room || b.x() <= a.x()) return false;
  const Along at = alongAt(width, a, b, x, above);
  if (!fitsAll(at.extent)) return false;
  takeAll(at.extent);
  scene_.texts.push_back({text, at.centre, at.angle, at.box, TextRole::Grade});
  return true;
}

bool Placer::astride(const QString& above, const QString& below, QPointF a, QPointF b, double x,
                     double room) {
  const Along over = alongAt(widthOf(above), a, b, x, true);
  const Along under = alongAt(widthOf(below), a, b, x, false);
  if (std::max(over.box.width(), under.box.width()) + 2 * kPad > room || b.x() <= a.x() ||
      !fitsAll(over.extent) || !fitsAll(under.extent)) {
    return false;
  }
  takeAll(over.extent);
  takeAll(under.extent);
  scene_.texts.push_back({above, over.centre, over.angle, over.box, TextRole::Grade});
  scene_.texts.push_back({below, under.centre, under.angle, under.box, TextRole::Grade});
  return true;
}

// Near the plot's sides a centred box is moved inside it as long as it
// still covers x; a box moved aside covers x with its near end only.
QRectF Placer::boxAt(double x, double y, bool up, double width, double height, Aside aside) const {
  const QRectF plot = view_.plot();
  double left = x - width / 2;
  if (aside.side < 0) left = x - aside.clear - width;
  if (aside.side > 0) left = x + aside.clear;
  if (aside.side == 0) {
    if (left < plot.left() && x >= plot.left()) left = std::min(plot.left() + kPad, x);
    if (left + width > plot.right() && x <= plot.right()) {
      left = std::max(plot.right() - kPad - width, x - width);
    }
  }
  return QRectF(left, up ? y - height : y, width, height);
}

namespace {

// A leader covered by boxes short enough to hug it when it slants, bar its
// first pixels, which touch the mark it starts from.
template <typename Visit>
void leaderPieces(const QLineF& leader, Visit visit) {
  constexpr double kPiece = 8;
  constexpr double kStart = 3;
  const double length = leader.length();
  if (!(length > kStart)) return;
  const QLineF rest(leader.pointAt(kStart / length), leader.p2());
  const int pieces = std::clamp(static_cast<int>(std::ceil(rest.length() / kPiece)), 1, 64);
  for (int i = 0; i < pieces; ++i) {
    visit(QRectF(rest.pointAt(double(i) / pieces), rest.pointAt(double(i + 1) / pieces))
              .normalized()
              .adjusted(-1, -1, 1, 1));
  }
}

}  // namespace

bool Placer::leaderFree(const QLineF& leader) const {
  bool free = true;
  leaderPieces(leader, [&](const QRectF& piece) { free = free && layout_.isFree(piece); });
  return free;
}

void Placer::reserveLeader(const QLineF& leader) {
  leaderPieces(leader, [&](const QRectF& piece) { layout_.reserve(piece); });
}

double Placer::guess(qsizetype characters) const {
  return static_cast<double>(characters) * perCharacter_;
}

bool Placer::fits(const QRectF& box, bool clearOfLines) const {
  const QRectF padded = box.adjusted(-kPad, -kPad, kPad, kPad);
  return view_.plot().contains(box) && layout_.isFree(padded) &&
         (!clearOfLines || lines_.isFree(padded));
}

// A grade's label lies along its own line, so only the block labels keep
// clear of the lines.
bool Placer::take(const QRectF& box, bool clearOfLines) {
  return fits(box, clearOfLines) && layout_.place(box.adjusted(-kPad, -kPad, kPad, kPad));
}

}  // namespace vcurve::profileui::scene
