#include "profile/sheet/sheet_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "core/station_text.h"
#include "profile/sheet/sheet_parts.h"

namespace vcurve::profile::sheet {
namespace {

std::vector<EquationMark> equationMarks(const ChainageEquations& chainage) {
  std::vector<EquationMark> marks;
  for (std::size_t i = 0; i < chainage.size(); ++i) {
    const ChainageEquation& e = chainage.equations()[i];
    marks.push_back(
        {chainage.distanceOf(i), chainageText(e.back), chainageText(e.ahead), e.back - e.ahead});
  }
  return marks;
}

constexpr std::array<std::string_view, kLayers> kLayerNames{"图框",   "资料表", "设计线", "地面线",
                                                            "竖曲线", "文字",   "网格",   "断链"};

// GB/T 14689 margins: a binding edge of 25 mm at the left, 5 mm elsewhere
// on A3 and A4, 10 mm on the larger sizes.
double edgeMargin(Paper paper) { return paper == Paper::A3 || paper == Paper::A4 ? 5 : 10; }

constexpr double kBindingMargin = 25;
constexpr double kTitleStrip = 10;
constexpr double kTitleColumn = 26;
constexpr double kPlotInset = 6;  // between the band's borders and its first and last station

}  // namespace

std::string_view layerName(Layer layer) { return kLayerNames[static_cast<std::size_t>(layer)]; }

double strokeWidth(Stroke stroke) {
  switch (stroke) {
    case Stroke::Thin:
      return 0.18;
    case Stroke::Medium:
      return 0.35;
    case Stroke::Thick:
      break;
  }
  return 0.7;
}

SheetGeometry sheetGeometry(const SheetSettings& settings) {
  const PaperSize paper = paperSize(settings.paper);
  SheetGeometry g;
  g.width = paper.width;
  g.height = paper.height;
  const double margin = edgeMargin(settings.paper);
  g.left = kBindingMargin;
  g.right = paper.width - margin;
  g.bottom = margin;
  g.top = paper.height - margin;
  g.stripTop = g.bottom + kTitleStrip;
  double band = 0;
  for (const BandRow& row : settings.rows) band += row.height;
  g.bandTop = g.stripTop + band;
  g.columnRight = g.left + kTitleColumn;
  g.plotLeft = g.columnRight + kPlotInset;
  g.plotRight = g.right - kPlotInset;
  g.areaBottom = g.bandTop;
  g.areaTop = g.top - 4;
  g.along = 1000 / settings.horizontalScale;
  g.up = 1000 / settings.verticalScale;
  return g;
}

double textLength(std::string_view text, double height) {
  double length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      length += 0.6;
    } else if (byte >= 0xE0) {
      length += 1.0;  // the lead byte of a three-byte sequence: CJK and full-width signs
    } else if (byte >= 0xC0) {
      length += 0.6;
    }
  }
  return length * height;
}

std::string fillCutText(const StakeRow& row) {
  if (row.fill) return StakeTable::cellText(row, StakeColumn::Fill);
  if (row.cut) {
    std::string cut = StakeTable::cellText(row, StakeColumn::Cut);
    // A cut that rounds to nothing is no cut: "-0.000" would read as one.
    if (cut.find_first_not_of("0.") == std::string::npos) return cut;
    return "-" + cut;
  }
  return {};
}

SheetLayout::SheetLayout(std::shared_ptr<const Profile> profile,
                         std::shared_ptr<const GroundLine> ground, SheetSettings settings)
    : profile_(std::move(profile)), ground_(std::move(ground)), settings_(std::move(settings)) {
  if (!profile_ || !profile_->usable() || profile_->size() < 2) {
    throw std::invalid_argument("纵断面不完整，不能出图");
  }
  if (const std::string problem = settingsProblem(settings_); !problem.empty()) {
    throw std::invalid_argument(problem);
  }
  // The profile's own 断链 are drawn unless the caller gave marks.
  if (settings_.equations.empty()) settings_.equations = equationMarks(profile_->chainage());
  start_ = std::max(settings_.from.value_or(profile_->startStation()), profile_->startStation());
  end_ = std::min(settings_.to.value_or(profile_->endStation()), profile_->endStation());
  if (!(start_ < end_)) throw std::invalid_argument("出图范围不在纵断面上");
  table_ = std::make_shared<const StakeTable>(profile_, ground_, settings_.interval);

  const SheetGeometry g = sheetGeometry(settings_);
  const double room = (g.plotRight - g.plotLeft) / g.along;
  // A sheet covers a whole number of intervals, so that each starts and
  // ends on a stake when the road does.
  stretch_ = std::floor(room / settings_.interval) * settings_.interval;
  if (stretch_ <= 0) stretch_ = room;
  const double overlap = std::min(settings_.overlap, stretch_ / 2);
  advance_ = stretch_ - overlap;
  const double length = end_ - start_;
  // A sheet whose new road is shorter than a millimetre of paper is the
  // previous sheet's overlap, not a sheet.
  const double slack = 1 / g.along;
  count_ = length <= stretch_ + slack
               ? 1
               : 1 + static_cast<int>(std::ceil((length - stretch_ - slack) / advance_));
}

double SheetLayout::sheetStart(int n) const { return start_ + (n - 1) * advance_; }
double SheetLayout::sheetEnd(int n) const {
  return n == count_ ? end_ : std::min(sheetStart(n) + stretch_, end_);
}

Sheet SheetLayout::sheet(int n) const {
  if (n < 1 || n > count_) throw std::out_of_range("no such sheet");
  SheetGeometry g = sheetGeometry(settings_);
  g.start = sheetStart(n);
  g.end = sheetEnd(n);
  Sheet sheet;
  sheet.width = g.width;
  sheet.height = g.height;
  sheet.number = n;
  sheet.count = count_;
  drawFrame(*this, g, sheet);
  drawBand(*this, *profile_, g, n == 1 || settings_.titlesOnEverySheet, sheet);
  drawProfile(*this, *profile_, ground_.get(), g, sheet);
  return sheet;
}

}  // namespace vcurve::profile::sheet
