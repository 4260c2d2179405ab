#include <algorithm>
#include <cmath>
#include <optional>

#include "profile/profile_text.h"
#include "ui/profile/drawing/label_placer.h"
#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui::scene {

namespace {

constexpr double kMarkClearance = 11;  // a leader stops clear of its point's mark or ring
constexpr double kLabelSpacing = 16;   // pixels between points whose labels are tried
constexpr double kPointOffset = 12;    // a point label's distance from its point, clear of a ring
// The fewest characters each kind of label has: "R=500  T=1.000  E=0.001",
// "K0+100.000  H=1.000".
constexpr qsizetype kShortestCurveLabel = 22;
constexpr qsizetype kShortestPointLabel = 19;
constexpr qsizetype kShortestNarrowLine = 9;   // "K0+100.000", split from the rest
constexpr qsizetype kShortestGradeLength = 8;  // "L=10.000", under the line
// How near the pointer must come to a point whose label found no room for
// the label to show, in pixels.
constexpr double kHoverReach = 10;

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
  // Where two lines fit nowhere, three narrower ones may.
  const auto narrowLines = [&] {
    const QStringList where = pointText(profile, row).split(QStringLiteral("  "));
    const QStringList elements = qText(profile::curveLabel(curve)).split(QStringLiteral("  "));
    if (where.size() != 2 || elements.size() != 3) return std::vector<QString>{};
    const QString kind = qText(std::string(profile::curveKindText(curve.kind)));
    return std::vector<QString>{kind + " " + where[0], where[1] + " " + elements[0],
                                elements[1] + " " + elements[2]};
  };
  const auto lines = [&] {
    // The elements next to the bracket, the PVI beyond them.
    // Single spaces: the labels crowd each other more than they need air.
    const QString elements =
        qText(profile::curveLabel(curve)).replace(QStringLiteral("  "), QStringLiteral(" "));
    const QString where = qText(std::string(profile::curveKindText(curve.kind)) + " " +
                                pointText(profile, row).toStdString())
                              .replace(QStringLiteral("  "), QStringLiteral(" "));
    return crest ? std::vector<QString>{where, elements} : std::vector<QString>{elements, where};
  };
  // Crowded on the PVI's side: on the curve's other side, the leader from
  // the curve itself so that it crosses no line.
  const auto onCurve = profile.elevationAt(p.station);
  const auto either = [&](qsizetype shortest, qsizetype count, const auto& make) {
    if (placer.nearest(from, gap, bracketed ? 0 : kMarkClearance, crest, shortest, count,
                       TextRole::Curve, make)) {
      return true;
    }
    return onCurve && placer.nearest(mapClamped(view, p.station, *onCurve), kPointOffset, 4, !crest,
                                     shortest, count, TextRole::Curve, make);
  };
  return either(kShortestCurveLabel, 2, lines) || either(kShortestNarrowLine, 3, narrowLines);
}

bool pointLabel(Placer& placer, const profile::Profile& profile, std::size_t row,
                const ViewTransform& view) {
  const profile::ProfilePoint& p = profile.points()[row];
  const QPointF at = mapClamped(view, p.station, p.elevation);
  const auto text = [&] { return std::vector<QString>{pointText(profile, row)}; };
  // Where one line fits nowhere, two narrower ones may.
  const auto narrow = [&] { return pointText(profile, row).split(QStringLiteral("  ")); };
  const auto narrowLines = [&] {
    const QStringList parts = narrow();
    return std::vector<QString>(parts.begin(), parts.end());
  };
  for (const bool up : {true, false}) {
    if (placer.nearest(at, kPointOffset, kMarkClearance, up, kShortestPointLabel, 1,
                       TextRole::Point, text)) {
      return true;
    }
  }
  for (const bool up : {true, false}) {
    if (placer.nearest(at, kPointOffset, kMarkClearance, up, kShortestNarrowLine, 2,
                       TextRole::Point, narrowLines)) {
      return true;
    }
  }
  return false;
}

bool gradeLabel(Placer& placer, const profile::Profile& profile, std::size_t row,
                const ViewTransform& view) {
  const auto& grade = profile.rows()[row].gradeAfter;
  if (!grade) return true;
  const profile::ProfilePoint& p1 = profile.points()[row];
  const profile::ProfilePoint& p2 = profile.points()[row + 1];
  const auto& before = profile.rows()[row].curve;
  const auto& after = profile.rows()[row + 1].curve;
  const QPointF a = mapClamped(view, p1.station, p1.elevation);
  const QPointF b = mapClamped(view, p2.station, p2.elevation);
  const double room = view.mapStation(p2.station) - view.mapStation(p1.station);
  if (!placer.roomAlong(kShortestGradeLength, room)) return false;
  const QString text = qText(profile::gradeLabel(*grade));
  const double width = placer.widthOf(text);
  // On the straight between the curves where there is room, else anywhere
  // on the grade line; in either case the part in view. The middle above
  // the line reads best; either side of it, or below, when something is in
  // the way.
  const auto tryStretch = [&](double from, double to) {
    const double left = std::max(view.mapStation(from), view.plot().left());
    const double right = std::min(view.mapStation(to), view.plot().right());
    for (const bool above : {true, false}) {
      for (const double at : {0.5, 0.35, 0.65, 0.25, 0.75}) {
        const double room = 2 * std::min(at, 1 - at) * (right - left);
        if (placer.along(text, width, a, b, left + at * (right - left), room, above)) return true;
      }
    }
    // Too short for the label in one: the grade over the line, the length
    // under it, as profile drawings print them.
    const QStringList parts = text.split(QStringLiteral("  "));
    if (parts.size() != 2) return false;
    for (const double at : {0.5, 0.35, 0.65}) {
      const double room = 2 * std::min(at, 1 - at) * (right - left);
      if (placer.astride(parts[0], parts[1], a, b, left + at * (right - left), room)) return true;
    }
    return false;
  };
  return tryStretch(before ? before->endStation : p1.station,
                    after ? after->startStation : p2.station) ||
         tryStretch(p1.station, p2.station);
}

// The design line cut into pieces short enough that their boxes hug it:
// runs of short segments share a box, long ones are split.
LabelLayout linesOf(const Scene& scene) {
  constexpr double kPiece = 12;
  LabelLayout lines;
  const auto hug = [&](const QRectF& box) { lines.reserve(box.adjusted(-1, -1, 1, 1)); };
  // QRectF::united() passes over a rectangle of no size, as a point is.
  const auto grow = [](const QRectF& box, QPointF p) {
    return QRectF(QPointF(std::min(box.left(), p.x()), std::min(box.top(), p.y())),
                  QPointF(std::max(box.right(), p.x()), std::max(box.bottom(), p.y())));
  };
  for (const auto* polylines : {&scene.design, &scene.pointLine}) {
    for (const QPolygonF& line : *polylines) {
      if (line.isEmpty()) continue;
      QRectF run(line[0], QSizeF(0, 0));
      for (qsizetype i = 1; i < line.size(); ++i) {
        const QLineF segment(line[i - 1], line[i]);
        const int pieces = std::clamp(static_cast<int>(segment.length() / kPiece) + 1, 1, 1000);
        for (int j = 1; j <= pieces; ++j) {
          const QPointF to = segment.pointAt(double(j) / pieces);
          const QRectF grown = grow(run, to);
          if (grown.width() > kPiece || grown.height() > kPiece) {
            hug(run);
            run = grow(QRectF(segment.pointAt(double(j - 1) / pieces), QSizeF(0, 0)), to);
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

// Each label that found no room leaves a sign where it belongs: its point
// drawn filled, or a dot over the middle of its grade's part in view, off
// the line so that the line stays whole.
void markHidden(Scene& scene, const HiddenLabels& hidden, const profile::Profile& profile,
                const ViewTransform& view) {
  const auto& points = profile.points();
  const QRectF plot = view.plot();
  scene.hiddenLabels = hidden.points.size() + hidden.grades.size();
  const auto mark = [](std::vector<QPointF>& marks, QPointF at) {
    // Marks closer than this would only blot each other out, in pixels.
    constexpr double kSpacing = 5;
    if (!marks.empty() && std::fabs(marks.back().x() - at.x()) < kSpacing &&
        std::fabs(marks.back().y() - at.y()) < kSpacing) {
      return;
    }
    marks.push_back(at);
  };
  for (const std::size_t k : hidden.points) {
    mark(scene.hiddenPoints, mapClamped(view, points[k].station, points[k].elevation));
  }
  for (const std::size_t k : hidden.grades) {
    const QLineF grade(mapClamped(view, points[k].station, points[k].elevation),
                       mapClamped(view, points[k + 1].station, points[k + 1].elevation));
    constexpr double kOffLine = 6;
    if (auto part = clipped(grade, plot)) {
      mark(scene.hiddenGrades, part->center() - QPointF(0, kOffLine));
    }
  }
}

}  // namespace

namespace {

// One pass over the labels in view: `first` before all others, in order,
// then the points and curves, then the grades.
HiddenLabels placeOnce(Scene& scene, LabelLayout& layout, const LabelLayout& lines,
                       const profile::Profile& profile, RowRange rows,
                       const std::vector<std::size_t>& first, bool backwards,
                       const ViewTransform& view, const QFontMetricsF& metrics) {
  HiddenLabels hidden;
  Placer placer(scene, layout, lines, view, metrics);
  const auto& derived = profile.rows();
  const auto& points = profile.points();
  const QRectF plot = view.plot();
  const auto inView = [&](std::size_t k) {
    const double x = view.mapStation(points[k].station);
    return x >= plot.left() && x <= plot.right();
  };
  for (const std::size_t k : first) {
    const bool placed = derived[k].curve ? curveLabel(placer, profile, k, view)
                                         : pointLabel(placer, profile, k, view);
    if (!placed && inView(k)) hidden.points.push_back(k);
  }
  // Points closer than a fraction of a label to the last one tried could
  // seldom show a label of their own; trying each of a thousand costs more
  // than the whole drawing.
  double last[2] = {-INFINITY, -INFINITY};  // without a curve, with one
  for (std::size_t i = rows.first; i <= rows.last; ++i) {
    const std::size_t k = backwards ? rows.last - (i - rows.first) : i;
    if (!inView(k) || std::find(first.begin(), first.end(), k) != first.end()) continue;
    const double x = view.mapStation(points[k].station);
    double& previous = last[derived[k].curve ? 1 : 0];
    const bool tried = std::fabs(x - previous) >= kLabelSpacing;
    if (tried) previous = x;
    const bool placed = tried && (derived[k].curve ? curveLabel(placer, profile, k, view)
                                                   : pointLabel(placer, profile, k, view));
    if (!placed) hidden.points.push_back(k);
  }
  for (std::size_t k = rows.first; k < rows.last; ++k) {
    // Only grades with some of their length in view are missed.
    if (view.mapStation(points[k + 1].station) <= plot.left() ||
        view.mapStation(points[k].station) >= plot.right()) {
      continue;
    }
    if (!gradeLabel(placer, profile, k, view)) hidden.grades.push_back(k);
  }
  std::sort(hidden.points.begin(), hidden.points.end());
  for (const SceneTurn& turn : scene.turns) {
    const QString text = turn.high ? QStringLiteral("最高点") : QStringLiteral("最低点");
    placer.block({text}, turn.at.x(), turn.at.y() + (turn.high ? kPointOffset : -kPointOffset),
                 !turn.high, TextRole::Turn);
  }
  return hidden;
}

}  // namespace

HiddenLabels addLabels(Scene& scene, LabelLayout& layout, const profile::Profile& profile,
                       RowRange rows, std::optional<std::size_t> selected,
                       const ViewTransform& view, const QFontMetricsF& metrics) {
  if (!profile.usable() || rows.empty()) return {};
  const LabelLayout lines = linesOf(scene);
  // No label covers a point or a finding's ring.
  for (const QPointF& p : scene.points) layout.reserve(QRectF(p.x() - 4, p.y() - 4, 8, 8));
  for (const SceneMark& ring : scene.rings) {
    layout.reserve(QRectF(ring.at.x() - 10, ring.at.y() - 10, 20, 20));
  }
  // Greedy placement from the left or from the right, the selected row
  // first. Where it crowds a few points out, one of them is put first too,
  // then one the pass after crowds out, and so on; the pass that hides
  // fewest is kept. A view of hundreds of hidden labels gains
  // nothing from trying again.
  constexpr int kMostPasses = 4;
  constexpr std::size_t kFewHidden = 8;
  std::vector<std::size_t> first;
  if (selected && *selected < profile.size()) first.push_back(*selected);
  const LabelLayout empty = layout;
  const std::size_t texts = scene.texts.size();
  const std::size_t leaders = scene.leaders.size();
  std::vector<SceneText> bestTexts;
  std::vector<QLineF> bestLeaders;
  HiddenLabels hidden;
  int passes = 0;
  const auto count = [](const HiddenLabels& h) {
    return std::pair(h.points.size(), h.grades.size());
  };
  const auto pass = [&](const std::vector<std::size_t>& order, bool backwards) {
    ++passes;
    LabelLayout tried = empty;
    scene.texts.resize(texts);
    scene.leaders.resize(leaders);
    HiddenLabels missed =
        placeOnce(scene, tried, lines, profile, rows, order, backwards, view, metrics);
    if (passes == 1 || count(missed) < count(hidden)) {
      bestTexts.assign(scene.texts.begin() + static_cast<std::ptrdiff_t>(texts), scene.texts.end());
      bestLeaders.assign(scene.leaders.begin() + static_cast<std::ptrdiff_t>(leaders),
                         scene.leaders.end());
      layout = std::move(tried);
      hidden = missed;
    }
    return missed;
  };
  bool backwards = false;
  HiddenLabels now = pass(first, backwards);
  if (!now.points.empty() && now.points.size() <= kFewHidden) {
    const HiddenLabels other = pass(first, true);
    if (count(other) < count(now)) {
      now = other;
      backwards = true;
    }
  }
  while (!hidden.points.empty() && !now.points.empty() && now.points.size() <= kFewHidden &&
         passes < kMostPasses) {
    const auto next = std::find_if(now.points.begin(), now.points.end(), [&](std::size_t k) {
      return std::find(first.begin(), first.end(), k) == first.end();
    });
    if (next == now.points.end()) break;
    first.push_back(*next);
    HiddenLabels tried = pass(first, backwards);
    if (passes < kMostPasses) {
      const HiddenLabels other = pass(first, !backwards);
      if (count(other) < count(tried)) {
        tried = other;
        backwards = !backwards;
      }
    }
    // Even a worse pass is followed, since `first` only grows: putting the
    // next crowded label first may make room for all.
    now = tried;
  }
  scene.texts.resize(texts);
  scene.leaders.resize(leaders);
  scene.texts.insert(scene.texts.end(), bestTexts.begin(), bestTexts.end());
  scene.leaders.insert(scene.leaders.end(), bestLeaders.begin(), bestLeaders.end());
  markHidden(scene, hidden, profile, view);
  return hidden;
}

void addHoverLabel(Scene& scene, const HiddenLabels& hidden, const profile::Profile& profile,
                   double station, const ViewTransform& view, const QFontMetricsF& metrics) {
  const auto& points = profile.points();
  const double x = view.mapStation(station);
  std::optional<std::size_t> nearest;
  double best = kHoverReach;
  for (const std::size_t k : hidden.points) {
    const double distance = std::fabs(view.mapStation(points[k].station) - x);
    if (distance <= best) {
      best = distance;
      nearest = k;
    }
  }
  // Over everything else: a layout of its own, with nothing in the way.
  Scene shown;
  LabelLayout layout;
  const LabelLayout lines;
  Placer placer(shown, layout, lines, view, metrics);
  if (nearest) {
    if (profile.rows()[*nearest].curve) {
      curveLabel(placer, profile, *nearest, view);
    } else {
      pointLabel(placer, profile, *nearest, view);
    }
  } else {
    const auto grade = std::find_if(hidden.grades.begin(), hidden.grades.end(), [&](std::size_t k) {
      return points[k].station <= station && station <= points[k + 1].station;
    });
    const auto z = profile.elevationAt(station);
    if (grade == hidden.grades.end() || !z) return;
    const QString text = qText(profile::gradeLabel(*profile.rows()[*grade].gradeAfter));
    const QPointF at = mapClamped(view, station, *z);
    if (!placer.block({text}, at.x(), at.y() - kPointOffset, true, TextRole::Grade)) {
      placer.block({text}, at.x(), at.y() + kPointOffset, false, TextRole::Grade);
    }
  }
  scene.hoverTexts = std::move(shown.texts);
  scene.hoverLeaders = std::move(shown.leaders);
}

}  // namespace vcurve::profileui::scene
