#pragma once

// The pieces buildScene() assembles, each in a file of its own. Internal to
// the drawing.

#include <QFontMetricsF>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "profile/profile.h"
#include "ui/profile/drawing/label_layout.h"
#include "ui/profile/drawing/profile_scene.h"
#include "ui/profile/drawing/view_transform.h"

namespace vcurve::profileui::scene {

inline QString qText(const std::string& text) { return QString::fromStdString(text); }

// A point far outside the widget is pulled in to this distance, which
// changes nothing on screen and keeps the painter's arithmetic finite.
inline constexpr double kFarAway = 1e5;
QPointF mapClamped(const ViewTransform& view, double station, double elevation);

// The part of a line inside a rectangle; none when it misses it.
std::optional<QLineF> clipped(QLineF line, const QRectF& box);

// Rows whose point, curve or grade may show in view: first..last inclusive.
// Empty (first > last) when the profile has no points in view.
struct RowRange {
  std::size_t first = 1;
  std::size_t last = 0;
  bool empty() const { return first > last; }
};
RowRange rowsInView(const profile::Profile& profile, const ViewTransform& view);

// With equations, the axis is labelled in field stations.
void addGrid(Scene& scene, const ViewTransform& view, const QFontMetricsF& metrics,
             const profile::ChainageEquations* chainage = nullptr);
void addDesignLine(Scene& scene, const profile::Profile& profile, const ViewTransform& view);
void addPointLine(Scene& scene, const profile::Profile& profile, const ViewTransform& view);
void addGroundLine(Scene& scene, const profile::GroundLine& ground, const ViewTransform& view);
void addPoints(Scene& scene, const profile::Profile& profile, RowRange rows,
               std::optional<std::size_t> selected, const ViewTransform& view);
void addCurveMarks(Scene& scene, const profile::Profile& profile, RowRange rows,
                   const ViewTransform& view);
void addFindings(Scene& scene, const profile::Profile& profile,
                 const std::vector<profile::Finding>& findings, const ViewTransform& view);
// The rows in view whose point label (or curve label) and whose grade
// label found no room, in station order.
struct HiddenLabels {
  std::vector<std::size_t> points;
  std::vector<std::size_t> grades;
};
// The annotations, the selected row's first, each only where it overlaps
// nothing placed before it; those that fit nowhere are marked and counted.
HiddenLabels addLabels(Scene& scene, LabelLayout& layout, const profile::Profile& profile,
                       RowRange rows, std::optional<std::size_t> selected,
                       const ViewTransform& view, const QFontMetricsF& metrics);
// The hidden label of the point or grade at the pointer, over the rest.
void addHoverLabel(Scene& scene, const HiddenLabels& hidden, const profile::Profile& profile,
                   double station, const ViewTransform& view, const QFontMetricsF& metrics);

// The legend across the top, above the plot; and, once the labels are
// placed, the count of those that found no room, at its left.
double legendTop();
void addLegend(Scene& scene, const SceneInput& input, const QFontMetricsF& metrics);
void addHiddenNote(Scene& scene, const QFontMetricsF& metrics);

// Curves narrower than this get no bracket: it would read as a glyph, not
// as the curve's extent. And how far a bracket stands off its PVI, in pixels.
inline constexpr double kBracketWidth = 24;
inline constexpr double kBracketGap = 22;
inline constexpr double kBracketTick = 6;

}  // namespace vcurve::profileui::scene
