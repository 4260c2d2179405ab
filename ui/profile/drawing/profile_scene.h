#pragma once

// What the profile drawing shows at one zoom and pan, in widget pixels,
// built from the engine's numbers without painting anything: the widget
// paints it, the tests read it. Only what lies in view is built, curves are
// sampled to the pixel, and a label that fits nowhere is marked, counted
// and shown under the pointer instead, so a thousand-PVI profile costs no
// more than what fits on the screen.

#include <QFontMetricsF>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "profile/checks.h"
#include "profile/ground_line.h"
#include "profile/profile.h"
#include "ui/profile/drawing/view_transform.h"

namespace vcurve::profileui {

struct SceneInput {
  const profile::Profile* profile = nullptr;
  const profile::GroundLine* ground = nullptr;
  const std::vector<profile::Finding>* findings = nullptr;
  std::optional<std::size_t> selected;
  std::optional<double> hoverStation;
};

enum class TextRole { Axis, Grade, Curve, Point, Turn, Message };

// A text centred on `centre`, turned by `angle` degrees (clockwise, as the
// screen's y runs down); `box` is its extent around the centre before
// turning.
struct SceneText {
  QString text;
  QPointF centre;
  double angle = 0;
  QRectF box;
  TextRole role = TextRole::Axis;
  Qt::Alignment align = Qt::AlignCenter;
};

struct SceneMark {
  QPointF at;
  profile::Severity severity = profile::Severity::Note;
};
struct SceneBand {
  QLineF line;
  profile::Severity severity = profile::Severity::Note;
};
struct SceneTurn {
  QPointF at;
  bool high = true;  // a crest's high point, else a sag's low point
};

enum class LegendEntry { Design, Ground, Pvi, Error, Warning, Note, Hidden };

struct LegendItem {
  LegendEntry entry = LegendEntry::Design;
  QString text;
  QRectF swatch;
  QRectF textBox;
};

struct Scene {
  QRectF plot;
  std::vector<double> gridX, gridY;  // grid lines, widget pixels
  std::vector<SceneText> texts;      // axis labels and annotations, all free of overlap
  std::vector<QPolygonF> ground;
  std::vector<QPolygonF> design;     // broken where the engine computes no elevation
  std::vector<QPolygonF> tangents;   // the grade lines a curve replaces: start, PVI, end
  std::vector<QPolygonF> pointLine;  // the points joined straight, when nothing can be derived
  std::vector<QLineF> curveTicks;    // curve start and end
  std::vector<QPolygonF> brackets;   // the curve's extent above a crest or below a sag
  std::vector<QLineF> leaders;       // from the PVI to its bracket
  std::vector<SceneTurn> turns;
  std::vector<QPointF> points;  // PVIs, start and end
  std::optional<QPointF> selected;
  std::vector<SceneBand> bands;  // findings about a grade
  std::vector<SceneMark> rings;  // findings about a point
  std::optional<double> hoverX;
  std::optional<QPointF> hoverDesign, hoverGround;
  // Labels that fit nowhere: counted, their points and grades marked, and
  // the one at the pointer drawn over everything.
  std::size_t hiddenLabels = 0;
  std::vector<QPointF> hiddenPoints;
  std::vector<QPointF> hiddenGrades;  // over the middle of the grade's part in view
  std::vector<SceneText> hoverTexts;
  std::vector<QLineF> hoverLeaders;
  // Above the plot, where it covers no data: the legend on the right and
  // the count of hidden labels on the left.
  QRectF legend;
  std::vector<LegendItem> legendItems;
  QString message;  // why nothing or not everything is drawn
  QRectF messageBox;
};

// The area inside the axis labels and under the legend for a widget of this
// size and font.
QRectF plotArea(const QSizeF& widget, const QFontMetricsF& metrics);

Scene buildScene(const SceneInput& input, const ViewTransform& view, const QFontMetricsF& metrics);

QString legendText(LegendEntry entry);
// The legend's row height.
double legendRowHeight(const QFontMetricsF& metrics);

}  // namespace vcurve::profileui
