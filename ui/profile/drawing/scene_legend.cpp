#include <algorithm>

#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui {

namespace {

constexpr double kSwatch = 26;        // a sample line's length, pixels
constexpr double kNarrowSwatch = 14;  // where the row would not fit otherwise
constexpr double kSwatchGap = 5;      // between a sample and its text
constexpr double kItemGap = 16;       // between one entry and the next
constexpr double kNarrowItemGap = 8;

}  // namespace

QString legendText(LegendEntry entry) {
  switch (entry) {
    case LegendEntry::Design:
      return QStringLiteral("设计线");
    case LegendEntry::Ground:
      return QStringLiteral("地面线");
    case LegendEntry::Pvi:
      return QStringLiteral("变坡点");
    case LegendEntry::Error:
      return QStringLiteral("错误");
    case LegendEntry::Warning:
      return QStringLiteral("警告");
    case LegendEntry::Note:
      return QStringLiteral("提示");
    case LegendEntry::Hidden:
      break;
  }
  return QStringLiteral("标注放不下，指向可见");
}

double legendRowHeight(const QFontMetricsF& metrics) { return metrics.height() + 3; }

namespace scene {

double legendTop() { return 3; }

void addLegend(Scene& scene, const SceneInput& input, const QFontMetricsF& metrics) {
  std::vector<LegendEntry> entries{LegendEntry::Design, LegendEntry::Pvi};
  if (input.ground != nullptr && !input.ground->empty()) {
    entries.insert(entries.begin() + 1, LegendEntry::Ground);
  }
  if (input.findings != nullptr) {
    for (const auto& [severity, entry] :
         {std::pair{profile::Severity::Error, LegendEntry::Error},
          std::pair{profile::Severity::Warning, LegendEntry::Warning},
          std::pair{profile::Severity::Note, LegendEntry::Note}}) {
      if (std::any_of(input.findings->begin(), input.findings->end(),
                      [&](const profile::Finding& f) { return f.severity == severity; })) {
        entries.push_back(entry);
      }
    }
  }
  const auto widthOf = [&](double swatch, double gap) {
    double width = 0;
    for (const LegendEntry entry : entries) {
      width += swatch + kSwatchGap + metrics.horizontalAdvance(legendText(entry)) + gap;
    }
    return width - gap;
  };
  // A narrow window gets shorter samples, then fewer entries, the findings'
  // first: the table names them too.
  double swatch = kSwatch;
  double gap = kItemGap;
  if (widthOf(swatch, gap) > scene.plot.width()) {
    swatch = kNarrowSwatch;
    gap = kNarrowItemGap;
  }
  while (entries.size() > 1 && widthOf(swatch, gap) > scene.plot.width()) entries.pop_back();
  const double row = legendRowHeight(metrics);
  double left = scene.plot.right() - widthOf(swatch, gap);
  scene.legend = QRectF(left, legendTop(), widthOf(swatch, gap), row);
  for (const LegendEntry entry : entries) {
    const double width = metrics.horizontalAdvance(legendText(entry));
    scene.legendItems.push_back({entry, legendText(entry), QRectF(left, legendTop(), swatch, row),
                                 QRectF(left + swatch + kSwatchGap, legendTop(), width, row)});
    left += swatch + kSwatchGap + width + gap;
  }
}

void addHiddenNote(Scene& scene, const QFontMetricsF& metrics) {
  if (scene.hiddenLabels == 0) return;
  const double right = scene.legendItems.empty() ? scene.plot.right() : scene.legend.left();
  const double room = right - kItemGap - scene.plot.left() - kNarrowSwatch - kSwatchGap;
  const QString text = metrics.elidedText(
      QStringLiteral("%1 处").arg(scene.hiddenLabels) + legendText(LegendEntry::Hidden),
      Qt::ElideRight, std::max(0.0, room));
  if (text.isEmpty()) return;
  const double row = legendRowHeight(metrics);
  const double left = scene.plot.left();
  scene.legendItems.push_back({LegendEntry::Hidden, text,
                               QRectF(left, legendTop(), kNarrowSwatch, row),
                               QRectF(left + kNarrowSwatch + kSwatchGap, legendTop(),
                                      metrics.horizontalAdvance(text), row)});
}

}  // namespace scene

}  // namespace vcurve::profileui
