#include <algorithm>
#include <cmath>

#include "profile/profile_text.h"
#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui::scene {

namespace {

// Room between two chainage labels, and the least distance between two
// elevation grid lines, in pixels.
constexpr double kChainageGap = 28;
constexpr double kElevationSpacing = 1.9;  // in text heights
constexpr double kAxisPadding = 5;
// More lines than this means the scale went wrong; draw none rather than hang.
constexpr double kMostLines = 400;

}  // namespace

void addGrid(Scene& scene, const ViewTransform& view, const QFontMetricsF& metrics) {
  const QRectF plot = view.plot();
  const double height = metrics.height();

  const double left = view.leftStation();
  const double right = view.rightStation();
  const double widest =
      std::max(metrics.horizontalAdvance(qText(profile::gridChainageText(left))),
               metrics.horizontalAdvance(qText(profile::gridChainageText(right))));
  // Grid chainage is printed to the metre: a finer step would print one
  // label twice.
  const double stationStep =
      profile::gridStep(std::max(1.0, (widest + kChainageGap) * view.metresPerPixel()));
  if ((right - left) / stationStep < kMostLines) {
    for (double k = std::ceil(left / stationStep); k * stationStep <= right; ++k) {
      const double station = k * stationStep;
      const double x = view.mapStation(station);
      scene.gridX.push_back(x);
      const QString text = qText(profile::gridChainageText(station));
      const double width = metrics.horizontalAdvance(text);
      if (x - width / 2 < plot.left() - kAxisPadding || x + width / 2 > plot.right() + 10) continue;
      scene.texts.push_back({text, QPointF(x, plot.bottom() + kAxisPadding + height / 2), 0,
                             QRectF(-width / 2, -height / 2, width, height), TextRole::Axis});
    }
  }

  const double top = view.topElevation();
  const double bottom = view.bottomElevation();
  const double elevationStep =
      profile::gridStep(kElevationSpacing * height * view.elevationPerPixel());
  if ((top - bottom) / elevationStep < kMostLines) {
    for (double k = std::ceil(bottom / elevationStep); k * elevationStep <= top; ++k) {
      const double elevation = k * elevationStep;
      const double y = view.mapElevation(elevation);
      scene.gridY.push_back(y);
      if (y - height / 2 < plot.top() - 4 || y + height / 2 > plot.bottom() + 4) continue;
      const QString text = qText(profile::axisText(elevation, elevationStep));
      const double width = metrics.horizontalAdvance(text);
      scene.texts.push_back({text, QPointF(plot.left() - kAxisPadding, y), 0,
                             QRectF(-width, -height / 2, width, height), TextRole::Axis,
                             Qt::AlignRight | Qt::AlignVCenter});
    }
  }
}

}  // namespace vcurve::profileui::scene
