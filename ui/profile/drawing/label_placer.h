#pragma once

// Where a label of the drawing goes: blocks of lines over or under a
// point, as near as they fit and aside or further out with a leader where
// they do not, and grade labels along their line. Nothing is placed over
// what is placed already. Internal to the drawing.

#include <QFontMetricsF>
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

#include "ui/profile/drawing/label_layout.h"
#include "ui/profile/drawing/profile_scene.h"
#include "ui/profile/drawing/view_transform.h"

namespace vcurve::profileui::scene {

// Where a block lies across its point: centred on it, moved aside so that
// only its near end still covers the point, or clear of the point to one
// side, a slanting leader back to it.
struct Aside {
  double side = 0;   // -1 to the left of the point, 1 to its right, 0 centred on it
  double clear = 0;  // from the point to the block's near end; below 0 it covers the point
};

class Placer {
 public:
  Placer(Scene& scene, LabelLayout& layout, const LabelLayout& lines, const ViewTransform& view,
         const QFontMetricsF& metrics);

  // Whether a block of `count` lines at least `characters` long could go
  // there: a look before the texts are made, which for a thousand points
  // mostly says no.
  bool roomFor(qsizetype characters, qsizetype count, double x, double y, bool up,
               Aside aside = {}) const;

  // Lines stacked across x, growing up from y or down from it.
  bool block(const std::vector<QString>& lines, double x, double y, bool up, TextRole role,
             Aside aside = {});

  // Lines stacked over or under a point, as near as they fit; moved aside,
  // then further out with a leader back to the point, where nearer they
  // would cover a line or another label. The texts are made only once a
  // place is found.
  template <typename MakeLines>
  bool nearest(QPointF from, double gap, double clearance, bool up, qsizetype shortest,
               qsizetype count, TextRole role, MakeLines makeLines) {
    std::optional<std::vector<QString>> lines;
    const double side = up ? -1 : 1;
    for (const double extra : kLeaderLengths) {
      const double y = from.y() + side * (gap + extra);
      for (const Aside aside : kAsides) {
        const double offset = aside.clear > 0 ? aside.side * aside.clear : 0;
        const QLineF leader(from.x(), from.y() + side * clearance, from.x() + offset, y);
        const bool led = extra > 0 || offset != 0;
        if (led && !leaderFree(leader)) continue;
        if (!roomFor(shortest, count, from.x(), y, up, aside)) continue;
        if (!lines) lines = makeLines();
        if (!block(*lines, from.x(), y, up, role, aside)) continue;
        if (led) {
          scene_.leaders.push_back(leader);
          reserveLeader(leader);
        }
        return true;
      }
    }
    return false;
  }

  bool roomAlong(qsizetype characters, double room) const;
  double widthOf(const QString& text) const { return metrics_.horizontalAdvance(text); }

  // A text `width` wide along a line from a to b, just above or below it,
  // centred at x; only where `room` pixels of the line are free for it.
  bool along(const QString& text, double width, QPointF a, QPointF b, double x, double room,
             bool above);
  // Two texts along the line at x, one above it and one below, or neither.
  bool astride(const QString& above, const QString& below, QPointF a, QPointF b, double x,
               double room);

 private:
  // How far beyond its nearest place a block may stand, in pixels: the
  // further ones stagger crowded labels in rows, each with its leader.
  static constexpr double kLeaderLengths[] = {0, 12, 24, 36, 48, 64, 80, 98, 116};
  // Centred, then aside but still over the point, then further aside.
  static constexpr Aside kAsides[] = {{0, 0},   {-1, -10}, {1, -10},  {-1, 18}, {1, 18},
                                      {-1, 56}, {1, 56},   {-1, 110}, {1, 110}};

  bool leaderFree(const QLineF& leader) const;
  void reserveLeader(const QLineF& leader);

  // Where a text `width` wide goes along the line at x: its centre, its
  // angle and the pieces of its extent on the screen.
  struct Along {
    QPointF centre;
    double angle = 0;
    QRectF box;
    std::vector<QRectF> extent;
  };
  bool fitsAll(const std::vector<QRectF>& boxes) const;
  void takeAll(const std::vector<QRectF>& boxes);
  Along alongAt(double width, QPointF a, QPointF b, double x, bool above) const;
  QRectF boxAt(double x, double y, bool up, double width, double height, Aside aside) const;
  double guess(qsizetype characters) const;
  bool fits(const QRectF& box, bool clearOfLines = true) const;
  bool take(const QRectF& box, bool clearOfLines = true);

  Scene& scene_;
  LabelLayout& layout_;
  const LabelLayout& lines_;
  const ViewTransform& view_;
  const QFontMetricsF& metrics_;
  double perCharacter_;
};

// Clear space around every label, and a grade label's distance above its
// line, in pixels.
inline constexpr double kPad = 2;
inline constexpr double kGradeOffset = 3;

}  // namespace vcurve::profileui::scene
