#pragma once

// Stations typed on the command line are field stations (现场桩号); the
// profile is computed on the true distance. Every typed station comes
// through here, and names one place or is refused saying why.

#include <vector>

#include "app/table/options.h"
#include "profile/profile.h"

namespace vcurve::table {

// The true distance of the station; UsageError when it has no place on the
// profile, lies in a 短链's gap, or names neither of a 长链's two places.
double onProfile(const OptionValue& station, const profile::Profile& profile);
// The same for a bound that may lie beyond the profile's ends, where the
// caller keeps to the profile itself (a sheet range wider than the road).
double fieldDistance(const OptionValue& station, const profile::Profile& profile);

// A range on a profile with equations, numbered as its stakes are: from
// --from every --step of the numbering, on across each equation in the
// ahead numbering (K1+780, K1+790(1), K1+800=..., K1+800(2), ...), each
// station's true distance, ascending.
std::vector<double> numberedRange(const StationRange& range, const profile::Profile& profile,
                                  std::size_t alreadyListed);

}  // namespace vcurve::table
