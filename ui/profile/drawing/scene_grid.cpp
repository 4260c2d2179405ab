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

void addGrid(Scene& scene, const ViewTransform& view, const QFontMetricsF& metrics,
             const profile::ChainageEquations* chainage) {
  const QRectF plot = view.plot();
  const auto label = [chainage](double station) {
    return profile::gridChainageText(chainage ? chainage->field(station) : station);
  };
  const double height = metrics.height();

  const double left = view.leftStation();
  const double right = view.rightStation();
  const double widest = std::max(metrics.horizontalAdvance(qText(label(left))),
                                 metrics.horizontalAdvance(qText(label(right))));
  // Grid chainage is printed to the metre: a finer step would print one
  // label twice.
  const double stationStep =
      profile::gridStep(std::max(1.0, (widest + kChainageGap) * view.metresPerPixel()));
  if ((right - left) / stationStep < kMostLines) {
    for (double k = std::ceil(left / stationStep); k * stationStep <= right; ++k) {
      const double station = k * stationStep;
      const double x = view.mapStation(station);
      scene.gridX.push_back(x);
      const QString text = qText(label(station));
      const double width = metrics.horizontalAdvance(text);
      if (x - width / 2 < plot.left() - kAxisPadding || x + width / 2 > plot.right() + 10) continue;
      scene.texts.push_back({text, QPointF(x, plot.bottom() + kAxisPadding + height / 2), 0,
                             QRectF(-width / 2, -height / 2, width, height), TextRole::Axis});
    }
  }

  // Each 断链 where it lies: a line across the plot, and the equation
  // written up along it from the foot of the plot, below most labels.
  for (std::size_t i = 0; chainage != nullptr && i < chainage->size(); ++i) {
    const double at = chainage->distanceOf(i);
    if (at < left || at > right) continue;
    const double x = view.mapStation(at);
    scene.leaders.push_back(QLineF(x, plot.top(), x, plot.bottom()));
    const QString text = qText(chainage->equationText(i) + " " + chainage->kindText(i));
    const double width = metrics.horizontalAdvance(text);
    scene.texts.push_back({text, QPointF(x - height / 2 - 1, plot.bottom() - width / 2 - 4), -90,
                           QRectF(-width / 2, -height / 2, width, height), TextRole::Axis});
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
