#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "profile/profile_text.h"
#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui::scene {

namespace {

constexpr double kPad = 2;             // clear space around every label, pixels
constexpr double kGradeOffset = 3;     // a grade label's distance above its line
constexpr double kMarkClearance = 11;  // a leader stops clear of its point's mark or ring
constexpr double kLabelSpacing = 16;   // pixels between points whose labels are tried
constexpr double kPointOffset = 12;    // a point label's distance from its point, clear of a ring
// A first guess at a label's width, per character, in widths of a digit:
// digits fill most labels, and the guess must not exceed the truth.
constexpr double kFirstGuess = 0.7;
// The fewest characters each kind of label has: "R=500  T=1.000  E=0.001",
// "K0+100.000  H=1.000", "i=0.00%  L=10.000".
constexpr qsizetype kShortestCurveLabel = 22;
constexpr qsizetype kShortestPointLabel = 19;
constexpr qsizetype kShortestGradeLabel = 17;

class Placer {
 public:
  Placer(Scene& scene, LabelLayout& layout, const LabelLayout& lines, const ViewTransform& view,
         const QFontMetricsF& metrics)
      : scene_(scene),
        layout_(layout),
        lines_(lines),
        view_(view),
        metrics_(metrics),
        perCharacter_(metrics.horizontalAdvance(QLatin1Char('0')) * kFirstGuess) {}

  // Whether a block of `count` lines at least `characters` long could go
  // there: a look before the texts are made, which for a thousand points
  // mostly says no.
  bool roomFor(qsizetype characters, qsizetype count, double x, double y, bool up) const {
    return fits(boxAt(x, y, up, guess(characters), metrics_.height() * static_cast<double>(count)));
  }

  // Lines stacked and centred on x, growing up from y or down from it.
  bool block(const std::vector<QString>& lines, double x, double y, bool up, TextRole role) {
    const double height = metrics_.height() * static_cast<double>(lines.size());
    const auto box = [&](double width) { return boxAt(x, y, up, width, height); };
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

  // Lines stacked over or under a point, as near as they fit; further out
  // with a leader back to the point where nearer they would cover a line
  // or another label. The texts are made only once a place is found.
  template <typename MakeLines>
  bool nearest(QPointF from, double gap, double clearance, bool up, qsizetype shortest,
               qsizetype count, TextRole role, MakeLines makeLines) {
    std::optional<std::vector<QString>> lines;
    const double side = up ? -1 : 1;
    for (const double extra : {0.0, 24.0, 48.0, 80.0}) {
      const double y = from.y() + side * (gap + extra);
      if (!roomFor(shortest, count, from.x(), y, up)) continue;
      const QLineF leader(from.x(), from.y() + side * clearance, from.x(), y);
      const QRectF room = QRectF(leader.p1(), leader.p2()).normalized().adjusted(-1, 0, 1, 0);
      if (extra > 0 && !layout_.isFree(room)) continue;
      if (!lines) lines = makeLines();
      if (!block(*lines, from.x(), y, up, role)) continue;
      if (extra > 0) {
        scene_.leaders.push_back(leader);
        layout_.reserve(room);
      }
      return true;
    }
    return false;
  }

  bool roomAlong(qsizetype characters, double room) const { return guess(characters) <= room; }

  double widthOf(const QString& text) const { return metrics_.horizontalAdvance(text); }

  // A text `width` wide along a line from a to b, just above or below it,
  // centred at x; only where `room` pixels of the line are free for it.
  bool along(const QString& text, double width, QPointF a, QPointF b, double x, double room,
             bool above) {
    if (width + 2 * kPad > room || b.x() <= a.x()) return false;
    const QPointF direction = b - a;
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF on = a + direction * ((x - a.x()) / direction.x());
    const QPointF up(direction.y() / length, -direction.x() / length);
    const QPointF centre = on + up * ((above ? 1 : -1) * (metrics_.height() / 2 + kGradeOffset));
    const double angle = std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi;
    const QRectF box(-width / 2, -metrics_.height() / 2, width, metrics_.height());
    if (!take(QTransform().translate(centre.x(), centre.y()).rotate(angle).mapRect(box), false)) {
      return false;
    }
    scene_.texts.push_back({text, centre, angle, box, TextRole::Grade});
    return true;
  }

 private:
  // A box centred on x, over or under y; near the plot's sides, moved
  // inside it as long as it still covers x.
  QRectF boxAt(double x, double y, bool up, double width, double height) const {
    const QRectF plot = view_.plot();
    double left = x - width / 2;
    if (left < plot.left() && x >= plot.left()) left = std::min(plot.left() + kPad, x);
    if (left + width > plot.right() && x <= plot.right()) {
      left = std::max(plot.right() - kPad - width, x - width);
    }
    return QRectF(left, up ? y - height : y, width, height);
  }

  double guess(qsizetype characters) const {
    return static_cast<double>(characters) * perCharacter_;
  }
  bool fits(const QRectF& box, bool clearOfLines = true) const {
    const QRectF padded = box.adjusted(-kPad, -kPad, kPad, kPad);
    return view_.plot().contains(box) && layout_.isFree(padded) &&
           (!clearOfLines || lines_.isFree(padded));
  }
  // A grade's label lies along its own line, so only the block labels keep
  // clear of the lines.
  bool take(const QRectF& box, bool clearOfLines = true) {
    return fits(box, clearOfLines) && layout_.place(box.adjusted(-kPad, -kPad, kPad, kPad));
  }

  Scene& scene_;
  LabelLayout& layout_;
  const LabelLayout& lines_;
  const ViewTransform& view_;
  const QFontMetricsF& metrics_;
  double perCharacter_;
};

QString pointText(const profile::Profile& profile, std::size_t row) {
  const profile::ProfilePoint& p = profile.points()[row];
  std::string text = profile.stationText(p.station) + "  H=" + profile::fixed3(p.elevation);
  if (row == 0)
    text = std::string(profile::keyPointText(profile::KeyPointKind::Start)) + " " + text;
  if (row + 1 == profile.size()) {
    text = std::string(profile::keyPointText(profile::KeyPointKind::End)) + " " + text;
  }
  return qText(text);
}

bool curveLabel(Placer& placer, const profile::Profile& profile, std::size_t row,
                const ViewTransform& view) {
  const auto& curve = *profile.rows()[row].curve;
  const profile::ProfilePoint& p = profile.points()[row];
  const QPointF pvi = mapClamped(view, p.station, p.elevation);
  const bool crest = curve.kind == profile::CurveKind::Crest;
  const double width = view.mapStation(curve.endStation) - view.mapStation(curve.startStation);
  // From the bracket where there is one: a leader from the PVI would cross it.
  const bool bracketed = width >= kBracketWidth;
  const QPointF from = bracketed ? pvi + QPointF(0, (crest ? -1 : 1) * kBracketGap) : pvi;
  const double gap = bracketed ? kPad : kPointOffset;
  // The elements next to the bracket, the PVI beyond them.
  return placer.nearest(from, gap, bracketed ? 0 : kMarkClearance, crest, kShortestCurveLabel, 2,
                        TextRole::Curve, [&] {
                          const QString elements = qText(profile::curveLabel(curve));
                          const QString where =
                              qText(std::string(profile::curveKindText(curve.kind)) + "  " +
                                    pointText(profile, row).toStdString());
                          return crest ? std::vector<QString>{where, elements}
                                       : std::vector<QString>{elements, where};
                        });
}

bool pointLabel(Placer& placer, const profile::Profile& profile, std::size_t row,
                const ViewTransform& view) {
  const profile::ProfilePoint& p = profile.points()[row];
  const QPointF at = mapClamped(view, p.station, p.elevation);
  const auto text = [&] { return std::vector<QString>{pointText(profile, row)}; };
  return placer.nearest(at, kPointOffset, kMarkClearance, true, kShortestPointLabel, 1,
                        TextRole::Point, text) ||
         placer.nearest(at, kPointOffset, kMarkClearance, false, kShortestPointLabel, 1,
                        TextRole::Point, text);
}

void gradeLabel(Placer& placer, const profile::Profile& profile, std::size_t row,
                const ViewTransform& view) {
  const auto& grade = profile.rows()[row].gradeAfter;
  if (!grade) return;
  const profile::ProfilePoint& p1 = profile.points()[row];
  const profile::ProfilePoint& p2 = profile.points()[row + 1];
  const auto& before = profile.rows()[row].curve;
  const auto& after = profile.rows()[row + 1].curve;
  const QPointF a = mapClamped(view, p1.station, p1.elevation);
  const QPointF b = mapClamped(view, p2.station, p2.elevation);
  const double room = view.mapStation(p2.station) - view.mapStation(p1.station);
  if (!placer.roomAlong(kShortestGradeLabel, room)) return;
  const QString text = qText(profile::gradeLabel(*grade));
  const double width = placer.widthOf(text);
  // On the straight between the curves where there is room, else anywhere
  // on the grade line; in either case the part in view. The middle above
  // the line reads best; either side of it, or below, when something is in
  // the way.
  const auto tryStretch = [&](double from, double to) {
    const double left = std::max(view.mapStation(from), view.plot().left());
    const double right = std::min(view.mapStation(to), view.plot().right());
    if (!(right - left > width)) return false;
    for (const bool above : {true, false}) {
      for (const double at : {0.5, 0.25, 0.75}) {
        const double room = 2 * std::min(at, 1 - at) * (right - left);
        if (placer.along(text, width, a, b, left + at * (right - left), room, above)) return true;
      }
    }
    return false;
  };
  if (tryStretch(before ? before->endStation : p1.station,
                 after ? after->startStation : p2.station)) {
    return;
  }
  tryStretch(p1.station, p2.station);
}

// The design line cut into pieces short enough that their boxes hug it:
// runs of short segments share a box, long ones are split.
LabelLayout linesOf(const Scene& scene) {
  constexpr double kPiece = 12;
  LabelLayout lines;
  const auto hug = [&](const QRectF& box) { lines.reserve(box.adjusted(-1, -1, 1, 1)); };
  for (const auto* polylines : {&scene.design, &scene.pointLine}) {
    for (const QPolygonF& line : *polylines) {
      if (line.isEmpty()) continue;
      QRectF run(line[0], QSizeF(0, 0));
      for (qsizetype i = 1; i < line.size(); ++i) {
        const QLineF segment(line[i - 1], line[i]);
        const int pieces = std::clamp(static_cast<int>(segment.length() / kPiece) + 1, 1, 1000);
        for (int j = 1; j <= pieces; ++j) {
          const QPointF to = segment.pointAt(double(j) / pieces);
          const QRectF grown = run.united(QRectF(to, QSizeF(0, 0)));
          if (grown.width() > kPiece || grown.height() > kPiece) {
            hug(run);
            run = QRectF(segment.pointAt(double(j - 1) / pieces), to).normalized();
          } else {
            run = grown;
          }
        }
      }
      hug(run);
    }
  }
  return lines;
}

}  // namespace

void addLabels(Scene& scene, LabelLayout& layout, const profile::Profile& profile, RowRange rows,
               std::optional<std::size_t> selected, const ViewTransform& view,
               const QFontMetricsF& metrics) {
  if (!profile.usable() || rows.empty()) return;
  const LabelLayout lines = linesOf(scene);
  // No label covers a point or a finding's ring.
  for (const QPointF& p : scene.points) layout.reserve(QRectF(p.x() - 4, p.y() - 4, 8, 8));
  for (const SceneMark& ring : scene.rings) {
    layout.reserve(QRectF(ring.at.x() - 10, ring.at.y() - 10, 20, 20));
  }
  Placer placer(scene, layout, lines, view, metrics);
  const auto& derived = profile.rows();
  const auto annotate = [&](std::size_t k) {
    return derived[k].curve ? curveLabel(placer, profile, k, view)
                            : pointLabel(placer, profile, k, view);
  };
  if (selected && *selected < profile.size()) annotate(*selected);
  // Points closer than a fraction of a label to the last one tried could
  // seldom show a label of their own; trying each of a thousand costs more
  // than the whole drawing.
  const auto eachSpaced = [&](bool curves, auto label) {
    double last = -INFINITY;
    for (std::size_t k = rows.first; k <= rows.last; ++k) {
      if (derived[k].curve.has_value() != curves || k == selected) continue;
      const double x = view.mapStation(profile.points()[k].station);
      if (x - last < kLabelSpacing) continue;
      last = x;
      label(placer, profile, k, view);
    }
  };
  eachSpaced(true, curveLabel);
  for (std::size_t k = rows.first; k < rows.last; ++k) gradeLabel(placer, profile, k, view);
  eachSpaced(false, pointLabel);
  for (const SceneTurn& turn : scene.turns) {
    const QString text = turn.high ? QStringLiteral("最高点") : QStringLiteral("最低点");
    placer.block({text}, turn.at.x(), turn.at.y() + (turn.high ? kPointOffset : -kPointOffset),
                 !turn.high, TextRole::Turn);
  }
}

}  // namespace vcurve::profileui::scene
