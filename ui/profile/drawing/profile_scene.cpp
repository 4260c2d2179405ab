#include "ui/profile/drawing/profile_scene.h"

#include <algorithm>

#include "profile/profile_text.h"
#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui {

namespace {

constexpr double kAxisPadding = 5;
constexpr double kTopMargin = 8;
constexpr double kRightMargin = 14;
constexpr double kLegendInset = 8;

QString problemText(const profile::Profile& profile) {
  const profile::InputError& first = profile.inputErrors().front();
  std::string text = "数据有误，不能计算设计线：";
  if (first.row) text += profile::rowText(*first.row) + " ";
  return scene::qText(text + first.message);
}

void addLegend(Scene& scene, const SceneInput& input, LabelLayout& layout,
               const QFontMetricsF& metrics) {
  scene.legendEntries = {LegendEntry::Design, LegendEntry::Pvi};
  if (input.ground != nullptr && !input.ground->empty()) {
    scene.legendEntries.insert(scene.legendEntries.begin() + 1, LegendEntry::Ground);
  }
  if (input.findings != nullptr) {
    for (const auto& [severity, entry] :
         {std::pair{profile::Severity::Error, LegendEntry::Error},
          std::pair{profile::Severity::Warning, LegendEntry::Warning},
          std::pair{profile::Severity::Note, LegendEntry::Note}}) {
      if (std::any_of(input.findings->begin(), input.findings->end(),
                      [&](const profile::Finding& f) { return f.severity == severity; })) {
        scene.legendEntries.push_back(entry);
      }
    }
  }
  double widest = 0;
  for (const LegendEntry entry : scene.legendEntries) {
    widest = std::max(widest, metrics.horizontalAdvance(legendText(entry)));
  }
  const double width = 2 * kLegendPadding + kLegendSwatch + kLegendPadding + widest;
  const double height = 2 * kLegendPadding +
                        legendRowHeight(metrics) * static_cast<double>(scene.legendEntries.size());
  scene.legend = QRectF(scene.plot.right() - kLegendInset - width, scene.plot.top() + kLegendInset,
                        width, height);
  layout.reserve(scene.legend);
}

// Top left, where the eye starts, and kept clear of labels.
void placeMessage(Scene& scene, LabelLayout& layout, const QFontMetricsF& metrics) {
  if (scene.message.isEmpty()) return;
  const double right = scene.legend.isValid() ? scene.legend.left() : scene.plot.right();
  const double room = right - scene.plot.left() - 2 * kLegendInset - 2 * kLegendPadding;
  scene.message = metrics.elidedText(scene.message, Qt::ElideRight, std::max(0.0, room));
  scene.messageBox = QRectF(scene.plot.left() + kLegendInset, scene.plot.top() + kLegendInset,
                            metrics.horizontalAdvance(scene.message) + 2 * kLegendPadding,
                            metrics.height() + 2 * kLegendPadding);
  layout.reserve(scene.messageBox);
}

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
      break;
  }
  return QStringLiteral("提示");
}

double legendRowHeight(const QFontMetricsF& metrics) { return metrics.height() + 3; }

QRectF plotArea(const QSizeF& widget, const QFontMetricsF& metrics) {
  const double left = metrics.horizontalAdvance(QStringLiteral("0000.00")) + 2 * kAxisPadding;
  const double bottom = metrics.height() + 2 * kAxisPadding;
  return QRectF(left, kTopMargin, widget.width() - left - kRightMargin,
                widget.height() - kTopMargin - bottom);
}

Scene buildScene(const SceneInput& input, const ViewTransform& view, const QFontMetricsF& metrics) {
  Scene scene;
  scene.plot = view.plot();
  const profile::Profile* profile = input.profile;
  const bool hasPoints = profile != nullptr && profile->size() > 0;
  const bool hasGround = input.ground != nullptr && !input.ground->empty();
  if (!hasPoints && !hasGround) {
    scene.message = QStringLiteral("尚无纵断面：请在纵坡竖曲线表中输入变坡点，或打开文件");
    scene.messageBox = scene.plot;
    return scene;
  }
  LabelLayout layout;
  scene::addGrid(scene, view, metrics, hasPoints ? &profile->chainage() : nullptr);
  addLegend(scene, input, layout, metrics);
  if (hasGround) scene::addGroundLine(scene, *input.ground, view);
  if (!hasPoints) return scene;

  if (!profile->usable()) {
    scene.message = problemText(*profile);
    scene::addPointLine(scene, *profile, view);
    scene::addPoints(scene, *profile, {}, input.selected, view);
    placeMessage(scene, layout, metrics);
    return scene;
  }
  if (!profile->overfullGrades().empty()) {
    scene.message = QStringLiteral("竖曲线重叠处无设计高程，未画设计线");
  }
  const scene::RowRange rows = scene::rowsInView(*profile, view);
  scene::addDesignLine(scene, *profile, view);
  if (!rows.empty()) {
    scene::addCurveMarks(scene, *profile, rows, view);
    scene::addPoints(scene, *profile, rows, input.selected, view);
  }
  if (input.findings != nullptr) scene::addFindings(scene, *profile, *input.findings, view);
  placeMessage(scene, layout, metrics);
  for (const QPolygonF& bracket : scene.brackets) layout.reserve(bracket.boundingRect());
  scene::addLabels(scene, layout, *profile, rows, input.selected, view, metrics);

  if (input.hoverStation) {
    const double station = *input.hoverStation;
    scene.hoverX = view.mapStation(station);
    if (auto z = profile->elevationAt(station)) scene.hoverDesign = view.map(station, *z);
    if (hasGround) {
      if (auto z = input.ground->elevationAt(station)) scene.hoverGround = view.map(station, *z);
    }
  }
  return scene;
}

}  // namespace vcurve::profileui
