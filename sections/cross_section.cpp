#include "sections/cross_section.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/numeric_text.h"
#include "core/station_text.h"

namespace vcurve::sections {
namespace {

// Steeper than any crown, shoulder or superelevation a road has (JTG's
// largest 超高 is 10 %); beyond it a slope is a slip of the decimal point.
constexpr double kSteepestSlope = 20;
// Wider than any part of any road's section; beyond it a width is a slip.
constexpr double kWidestPart = 100;

Side other(Side s) { return s == Side::Left ? Side::Right : Side::Left; }

// How far into its superelevation a station is, 0 at either end and 1 in
// full superelevation.
double progress(const Superelevation& c, double station) {
  if (station <= c.start || station >= c.end) return 0;
  if (station < c.fullStart) return (station - c.start) / (c.fullStart - c.start);
  if (station > c.fullEnd) return (c.end - station) / (c.end - c.fullEnd);
  return 1;
}

SectionSide buildSide(const SideWidths& w, double slope, double shoulderSlope, double widening) {
  SectionSide s;
  s.slope = slope;
  s.shoulderSlope = shoulderSlope;
  s.widening = widening;
  const double lanes = w.carriageway + widening;
  s.offset = {w.median, w.median + lanes, w.median + lanes + w.hardShoulder,
              w.median + lanes + w.hardShoulder + w.earthShoulder};
  s.height[0] = 0;  // the median stays level
  s.height[1] = slope / 100 * lanes;
  s.height[2] = s.height[1] + slope / 100 * w.hardShoulder;
  s.height[3] = s.height[2] + shoulderSlope / 100 * w.earthShoulder;
  return s;
}

// The normal-crown height of the design point above the centreline.
double designPointHeight(const SectionTemplate& t) {
  if (t.designPoint != DesignPoint::SubgradeEdge) return 0;
  // A section narrower on one side than the other is rare; the left edge
  // is then the one the profile was drawn for.
  const SideWidths& w = t.left;
  return -t.crown / 100 * (w.carriageway + w.hardShoulder) -
         t.earthShoulder / 100 * w.earthShoulder;
}

bool badNumber(double v) { return !std::isfinite(v); }

}  // namespace

double CrossSection::heightAt(Side s, double distance) const {
  const SectionSide& p = side(s);
  if (distance <= p.offset[0]) return centre;
  for (std::size_t k = 1; k < kEdges; ++k) {
    if (distance <= p.offset[k]) {
      const double span = p.offset[k] - p.offset[k - 1];
      const double f = span > 0 ? (distance - p.offset[k - 1]) / span : 1;
      return p.height[k - 1] + f * (p.height[k] - p.height[k - 1]);
    }
  }
  return p.height[kEdges - 1] + p.shoulderSlope / 100 * (distance - p.offset[kEdges - 1]);
}

CurveSlopes curveSlopes(const Superelevation& curve, double crown, double station) {
  const double t = progress(curve, station);
  const double ib = curve.rate;
  CurveSlopes s;
  s.widening = curve.widening * t;
  if (curve.axis == RotationAxis::Centreline) {
    s.outer = -crown + (crown + ib) * t;
    s.inner = s.outer < crown ? -crown : -s.outer;
    return s;
  }
  // About an edge, the outer edge rises against that edge by B·i_b over
  // the transition; it reaches the crown slope when t = i_G / i_b.
  if (ib * t < crown) {
    s.outer = -crown + 2 * ib * t;
    s.inner = -crown;
  } else {
    s.outer = ib * t;
    s.inner = -ib * t;
  }
  return s;
}

CrossSection sectionOf(const SectionTemplate& t, const Superelevation* curve, double station) {
  double leftSlope = -t.crown, rightSlope = -t.crown;
  double leftWidening = 0, rightWidening = 0;
  CurveSlopes slopes;
  const bool inCurve = curve != nullptr && station > curve->start && station < curve->end;
  if (inCurve) {
    slopes = curveSlopes(*curve, t.crown, station);
    const bool rightInner = curve->inner == Side::Right;
    leftSlope = rightInner ? slopes.outer : slopes.inner;
    rightSlope = rightInner ? slopes.inner : slopes.outer;
    (rightInner ? rightWidening : leftWidening) = slopes.widening;
  }
  // The 土路肩 falls outward at its own slope, or at the carriageway's
  // where that falls more steeply.
  CrossSection section;
  section.left = buildSide(t.left, leftSlope, std::min(leftSlope, -t.earthShoulder), leftWidening);
  section.right =
      buildSide(t.right, rightSlope, std::min(rightSlope, -t.earthShoulder), rightWidening);
  section.superelevated = inCurve;
  double pivotNormal = 0, pivotNow = 0;
  if (inCurve && curve->axis != RotationAxis::Centreline) {
    const Side s = curve->axis == RotationAxis::InnerEdge ? curve->inner : other(curve->inner);
    const double lanes = (s == Side::Left ? t.left : t.right).carriageway;
    pivotNormal = -t.crown / 100 * lanes;
    pivotNow = (s == curve->inner ? slopes.inner : slopes.outer) / 100 * lanes;
  }
  section.centre = pivotNormal - designPointHeight(t) - pivotNow;
  for (SectionSide* side : {&section.left, &section.right}) {
    for (double& h : side->height) h += section.centre;
  }
  return section;
}

Sections::Sections(std::vector<SectionTemplate> templates, std::vector<Superelevation> curves)
    : templates_(std::move(templates)), curves_(std::move(curves)) {
  if (const auto found = problems(templates_, curves_); !found.empty()) {
    throw std::invalid_argument(found.front().message);
  }
}

std::vector<SectionProblem> Sections::problems(const std::vector<SectionTemplate>& templates,
                                               const std::vector<Superelevation>& curves,
                                               const profile::ChainageEquations* chainage) {
  std::vector<SectionProblem> found;
  const auto chainageText = [chainage](double d) {
    return chainage != nullptr ? chainage->text(d) : vcurve::chainageText(d);
  };
  for (std::size_t k = 0; k < templates.size(); ++k) {
    const SectionTemplate& t = templates[k];
    const auto refuse = [&](std::string why) { found.push_back({0, k, std::move(why)}); };
    if (badNumber(t.from) || badNumber(t.to) || !(t.to > t.from)) {
      refuse("终点桩号应大于起点桩号");
      continue;
    }
    if (k > 0 && t.from < templates[k - 1].to) {
      refuse("起点 " + chainageText(t.from) + " 与前一行（至 " + chainageText(templates[k - 1].to) +
             "）重叠");
      continue;
    }
    bool widthsRead = true;
    for (const auto& [name, w] : {std::pair{"左侧", &t.left}, std::pair{"右侧", &t.right}}) {
      const std::pair<const char*, double> parts[] = {{"中央分隔带半宽", w->median},
                                                      {"行车道宽度", w->carriageway},
                                                      {"硬路肩宽度", w->hardShoulder},
                                                      {"土路肩宽度", w->earthShoulder}};
      for (const auto& [part, value] : parts) {
        if (widthsRead && (badNumber(value) || value < 0)) {
          refuse(std::string(name) + part + " " + TextFromNumber(value) + " m 不能为负");
          widthsRead = false;
        } else if (widthsRead && value > kWidestPart) {
          refuse(std::string(name) + part + " " + TextFromNumber(value) + " m 超过 " +
                 TextFromNumber(kWidestPart) + " m");
          widthsRead = false;
        }
      }
    }
    if (!widthsRead) continue;
    for (const auto& [name, slope] :
         {std::pair{"路拱横坡", t.crown}, std::pair{"土路肩横坡", t.earthShoulder}}) {
      if (badNumber(slope) || slope < 0 || slope > kSteepestSlope) {
        refuse(std::string(name) + " " + TextFromNumber(slope) + "% 应在 0 与 " +
               TextFromNumber(kSteepestSlope) + "% 之间");
        break;
      }
    }
  }
  for (std::size_t k = 0; k < curves.size(); ++k) {
    const Superelevation& c = curves[k];
    const auto refuse = [&](std::string why) { found.push_back({1, k, std::move(why)}); };
    if (badNumber(c.start) || badNumber(c.fullStart) || !(c.fullStart > c.start)) {
      refuse("全超高起点应在超高起点之后");
    } else if (badNumber(c.end) || badNumber(c.fullEnd) || !(c.end > c.fullEnd)) {
      refuse("超高终点应在全超高终点之后");
    } else if (c.fullStart > c.fullEnd) {
      refuse("超高过渡段长于曲线所能容纳：全超高起点 " + chainageText(c.fullStart) +
             " 在全超高终点 " + chainageText(c.fullEnd) + " 之后");
    } else if (k > 0 && c.start < curves[k - 1].end) {
      refuse("超高起点 " + chainageText(c.start) + " 与前一行的超高过渡段（至 " +
             chainageText(curves[k - 1].end) + "）重叠");
    } else if (badNumber(c.rate) || c.rate <= 0 || c.rate > kSteepestSlope) {
      refuse("超高横坡 " + TextFromNumber(c.rate) + "% 应大于 0、不大于 " +
             TextFromNumber(kSteepestSlope) + "%");
    } else if (badNumber(c.widening) || c.widening < 0 || c.widening > kWidestPart) {
      refuse("加宽值 " + TextFromNumber(c.widening) + " m 应在 0 与 " +
             TextFromNumber(kWidestPart) + " m 之间");
    } else {
      // The crown of the section the curve lies in bounds its superelevation from below.
      for (const SectionTemplate& t : templates) {
        if (c.start >= t.from && c.start < t.to && c.rate < t.crown) {
          refuse("超高横坡 " + TextFromNumber(c.rate) + "% 小于路拱横坡 " +
                 TextFromNumber(t.crown) + "%");
          break;
        }
      }
    }
  }
  return found;
}

const SectionTemplate* Sections::templateAt(double station) const {
  auto after = std::upper_bound(templates_.begin(), templates_.end(), station,
                                [](double s, const SectionTemplate& t) { return s < t.from; });
  if (after == templates_.begin()) return nullptr;
  const SectionTemplate& t = *(after - 1);
  return station <= t.to ? &t : nullptr;
}

const Superelevation* Sections::curveAt(double station) const {
  auto after = std::upper_bound(curves_.begin(), curves_.end(), station,
                                [](double s, const Superelevation& c) { return s < c.start; });
  if (after == curves_.begin()) return nullptr;
  const Superelevation& c = *(after - 1);
  return station <= c.end ? &c : nullptr;
}

std::optional<CrossSection> Sections::at(double station) const {
  const SectionTemplate* t = templateAt(station);
  if (t == nullptr) return std::nullopt;
  return sectionOf(*t, curveAt(station), station);
}

}  // namespace vcurve::sections
