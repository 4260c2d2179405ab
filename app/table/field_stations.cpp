#include "app/table/field_stations.h"

#include <cmath>

#include "app/table/message_text.h"
#include "app/table/stations.h"

namespace vcurve::table {

using namespace vcurve::profile;

namespace {

std::string rangeText(const Profile& profile) {
  return "（纵断面起点 " + profile.stationText(profile.startStation()) + " 至终点 " +
         profile.stationText(profile.endStation()) + "）";
}

}  // namespace

double fieldDistance(const OptionValue& station, const Profile& profile) {
  const FieldLookup found = profile.chainage().distance(station.number, station.occurrence);
  if (!found.ok()) {
    std::string why = "选项 " + station.option + " 的值" + quoted(station.given) + "：" +
                      fieldProblem(profile.chainage(), station.number, found);
    if (found.status == FieldStatus::Ambiguous) why += "；请在桩号后用括号写明第几处";
    throw UsageError(why);
  }
  return found.distance;
}

double onProfile(const OptionValue& station, const Profile& profile) {
  const double distance = fieldDistance(station, profile);
  if (!profile.contains(distance)) {
    throw UsageError("选项 " + station.option + " 的值" + quoted(station.given) + "不在纵断面上" +
                     rangeText(profile));
  }
  return distance;
}

std::vector<double> numberedRange(const StationRange& range, const Profile& profile,
                                  std::size_t alreadyListed) {
  const double from = onProfile(range.from, profile);
  const double to = onProfile(range.to, profile);
  if (to < from) {
    throw UsageError("选项 --to 的值" + quoted(range.to.given) + "在 --from 的值" +
                     quoted(range.from.given) + "之前");
  }
  const ChainageEquations& chainage = profile.chainage();
  const double step = range.step.number;
  const double origin = range.from.number;
  std::vector<double> stations;
  const std::size_t first = chainage.segmentAt(from);
  const std::size_t last = chainage.segmentAt(to);
  for (std::size_t s = first; s <= last; ++s) {
    const double low = s == first ? range.from.number : chainage.equations()[s - 1].ahead;
    const double high = s == last ? range.to.number : chainage.equations()[s].back;
    // Stations on the grid of --from, rounded to the micrometre, as typed.
    for (auto k = static_cast<std::int64_t>(std::ceil((low - origin) / step - 1e-9));; ++k) {
      const double field = std::nearbyint((origin + double(k) * step) * 1e6) / 1e6;
      if (field > high) break;
      if (field < low) continue;
      if (stations.size() + alreadyListed >= kMaximumStations) {
        throw UsageError("选项 --step 的值" + quoted(range.step.given) + "使桩号数超过上限 " +
                         std::to_string(kMaximumStations));
      }
      const double at = chainage.distanceIn(s, field);
      if (stations.empty() || at > stations.back()) stations.push_back(at);
    }
  }
  return stations;
}

}  // namespace vcurve::table
