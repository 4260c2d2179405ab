#pragma once

// Which stations a table lists, decided and checked in full before anything
// is written.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/table/options.h"

namespace vcurve::table {

inline constexpr std::size_t kMaximumStations = 10'000'000;
inline constexpr double kDefaultInterval = 20;  // metres

// Stations first + i·step (i < count), in units of 10^-scale metres. Whole
// units keep a range exact: "4990 to 5090 every 0.1" ends on 5090, which
// repeated addition of 0.1 does not reach.
struct SteppedStations {
  std::int64_t first = 0;
  std::int64_t step = 1;
  std::int64_t count = 0;
  int scale = 0;
};

struct StationPlan {
  std::vector<double> listed;  // ascending, each value once
  std::optional<SteppedStations> stepped;
};

// Start and end stations of the curve, P − L and P + L, each as its printed
// fifteen digits read back: a station typed as the printed end is then on
// the curve, whatever the last bit of the subtraction was.
struct CurveEnds {
  double start = 0;
  double end = 0;
  double slack = 0;  // the window's allowance for rounding at both ends
};
std::optional<CurveEnds> curveEnds(double P, double L);

// The --at stations, the --from/--to/--step range, or with neither the whole
// curve every 20 m with its two ends and the PVI. Throws UsageError for a
// station off the curve, a range that runs backwards or cannot be counted
// exactly, or more than kMaximumStations stations.
StationPlan planStations(const TableRequest& request);

// The --from/--to/--step range in whole units of its finest decimal.
// Throws UsageError for a range that runs backwards, cannot be counted
// exactly, or with alreadyListed stations lists more than kMaximumStations.
SteppedStations steppedRange(const StationRange& range, std::size_t alreadyListed);

// The value the window reads from the station's text "first + i·step".
double steppedStation(const SteppedStations& stepped, std::int64_t i);

// Every station of the plan, ascending, each value once.
template <typename Visit>
void forEachStation(const StationPlan& plan, Visit&& visit) {
  std::size_t next = 0;
  bool any = false;
  double last = 0;
  const auto emit = [&](double station) {
    if (any && station == last) return;
    any = true;
    last = station;
    visit(station);
  };
  if (plan.stepped) {
    for (std::int64_t i = 0; i < plan.stepped->count; ++i) {
      const double station = steppedStation(*plan.stepped, i);
      while (next < plan.listed.size() && plan.listed[next] <= station) emit(plan.listed[next++]);
      emit(station);
    }
  }
  while (next < plan.listed.size()) emit(plan.listed[next++]);
}

}  // namespace vcurve::table
