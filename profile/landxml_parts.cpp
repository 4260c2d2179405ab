#include "profile/landxml_parts.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

constexpr double kFoot = 0.3048;  // the international foot, exactly

}  // namespace

// R = 100·L/|ω|. A radius that left this program comes back a few units in
// the last place off; one within those few units of a value with six
// decimals is that value. Any wider, and a radius typed with more decimals
// would be changed by a round trip.
double radiusOfLength(double length, double omega) {
  const double radius = 100 * length / omega;
  const double rounded = RoundToPlaces(radius, 6);
  return std::fabs(rounded - radius) <= 1e-13 * radius ? rounded : radius;
}

double LengthUnits::metres(double value) const {
  return usSurveyFoot ? value * 1200 / 3937 : value * length;
}

double LengthUnits::elevationMetres(double value) const {
  return usSurveyElevation ? value * 1200 / 3937 : value * elevation;
}

std::optional<LengthUnits> lengthUnits(bool imperial, std::string_view linearUnit,
                                       std::string_view elevationUnit, std::string& problem) {
  LengthUnits units;
  if (linearUnit.empty()) linearUnit = imperial ? "foot" : "meter";
  if (linearUnit == "meter") {
  } else if (linearUnit == "foot") {
    units.length = kFoot;
    units.name = "英尺";
  } else if (linearUnit == "USSurveyFoot") {
    units.length = 1200.0 / 3937;
    units.usSurveyFoot = true;
    units.name = "美国测量英尺";
  } else if (linearUnit == "kilometer") {
    units.length = 1000;
    units.name = "千米";
  } else if (linearUnit == "centimeter") {
    units.length = 0.01;
    units.name = "厘米";
  } else if (linearUnit == "millimeter") {
    units.length = 0.001;
    units.name = "毫米";
  } else {
    problem = "长度单位“" + printableText(linearUnit) +
              "”无法换算（可读 meter、kilometer、centimeter、millimeter、foot、USSurveyFoot）";
    return std::nullopt;
  }
  units.elevation = units.length;
  units.usSurveyElevation = units.usSurveyFoot;
  // The schema's elevation units are meter, kilometer, feet and miles; the
  // feet are the file's own foot when its lengths are in feet.
  if (elevationUnit.empty() || elevationUnit == linearUnit) return units;
  if (elevationUnit == "meter") {
    units.elevation = 1;
    units.usSurveyElevation = false;
  } else if (elevationUnit == "feet" || elevationUnit == "foot") {
    if (!units.usSurveyFoot) units.elevation = kFoot;
  } else if (elevationUnit == "USSurveyFoot") {
    units.usSurveyElevation = true;
  } else {
    problem = "高程单位“" + printableText(elevationUnit) + "”无法换算（可读 meter、feet）";
    return std::nullopt;
  }
  if (units.name.empty()) units.name = "英尺（高程）";
  return units;
}

std::string equationsFromFile(std::vector<StationEquation> found,
                              std::vector<ChainageEquation>& equations, double& shift) {
  equations.clear();
  shift = 0;
  if (found.empty()) return {};
  const bool placed = std::all_of(found.begin(), found.end(),
                                  [](const StationEquation& e) { return e.hasInternal; });
  // Files list them in any order; the internal station is the road's.
  if (placed) {
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.internal < b.internal; });
  }
  for (const StationEquation& e : found) equations.push_back({e.back, e.ahead});
  if (std::string why = ChainageEquations::problem(equations); !why.empty()) {
    equations.clear();
    return "断链（StaEquation）：" + why;
  }
  if (!placed) return {};
  const ChainageEquations chainage(equations);
  shift = found.front().internal - chainage.distanceOf(0);
  for (std::size_t i = 0; i < found.size(); ++i) {
    // The file's rounding of its internal stations, nothing more.
    if (std::fabs(found[i].internal - shift - chainage.distanceOf(i)) > 0.001) {
      equations.clear();
      return "断链（StaEquation）" + chainage.equationText(i) + " 的 staInternal " +
             fixed3(found[i].internal) + " 与前后桩号推算的 " +
             fixed3(chainage.distanceOf(i) + shift) + " 不符";
    }
  }
  return {};
}

std::vector<std::string> profileLabels(const std::vector<ProfileNames>& profiles) {
  std::map<std::string, int> uses;
  for (const ProfileNames& p : profiles) ++uses[p.own];
  std::vector<std::string> labels;
  std::map<std::string, int> seen;
  for (const ProfileNames& p : profiles) {
    std::string label = p.own;
    if (uses[p.own] > 1) {
      if (!p.alignment.empty() && p.alignment != p.own) label = p.alignment + "/" + p.own;
      if (p.start && p.end)
        label += "（" + chainageText(*p.start) + "–" + chainageText(*p.end) + "）";
    }
    if (const int n = ++seen[label]; n > 1) label += " #" + std::to_string(n);
    labels.push_back(label);
  }
  return labels;
}

}  // namespace vcurve::profile
