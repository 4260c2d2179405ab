#include "ui/profile/drawing/profile_scene.h"

#include <algorithm>

#include "profile/profile_text.h"
#include "ui/profile/drawing/scene_parts.h"

namespace vcurve::profileui {

namespace {

constexpr double kAxisPadding = 5;
constexpr double kLegendGap = 4;  // between the legend and the plot
constexpr double kRightMargin = 14;
constexpr double kMessageInset = 8;
constexpr double kMessagePadding = 6;

QString problemText(const profile::Profile& profile) {
  const profile::InputError& first = profile.inputErrors().front();
  std::string text = "数据有误，不能计算设计线：";
  if (first.row) text += profile::rowText(*first.row) + " ";
  return scene::qText(text + first.message);
}

// Top left, where the eye starts, and kept clear of labels.
void placeMessage(Scene& scene, LabelLayout& layout, const QFontMetricsF& metrics) {
  if (scene.message.isEmpty()) return;
  const double room = scene.plot.width() - 2 * kMessageInset - 2 * kMessagePadding;
  scene.message = metrics.elidedText(scene.message, Qt::ElideRight, std::max(0.0, room));
  scene.messageBox = QRectF(scene.plot.left() + kMessageInset, scene.plot.top() + kMessageInset,
                            metrics.horizontalAdvance(scene.message) + 2 * kMessagePadding,
                            metrics.height() + 2 * kMessagePadding);
  layout.reserve(scene.messageBox);
}

}  // namespace

QRectF plotArea(const QSizeF& widget, const QFontMetricsF& metrics) {
  const double left = metrics.horizontalAdvance(QStringLiteral("0000.00")) + 2 * kAxisPadding;
  const double bottom = metrics.height() + 2 * kAxisPadding;
  const double top = scene::legendTop() + legendRowHeight(metrics) + kLegendGap;
  return QRectF(left, top, widget.width() - left - kRightMargin, widget.height() - top - bottom);
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
  scene::addLegend(scene, input, metrics);
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
  const scene::HiddenLabels hidden =
      scene::addLabels(scene, layout, *profile, rows, input.selected, view, metrics);
  scene::addHiddenNote(scene, metrics);

  if (input.hoverStation) {
    const double station = *input.hoverStation;
    scene.hoverX = view.mapStation(station);
    if (auto z = profile->elevationAt(station)) scene.hoverDesign = view.map(station, *z);
    scene::addHoverLabel(scene, hidden, *profile, station, view, metrics);
    if (hasGround) {
      if (auto z = input.ground->elevationAt(station)) scene.hoverGround = view.map(station, *z);
    }
  }
  return scene;
}

}  // namespace vcurve::profileui
