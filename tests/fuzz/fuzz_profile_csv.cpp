// Arbitrary bytes as a profile CSV: refused with a place, or read into a
// profile that derives, checks, tables and writes back to the same points.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "profile/checks.h"
#include "profile/csv_records.h"
#include "profile/profile_csv.h"
#include "profile/road_settings.h"
#include "profile/stake_table.h"

using namespace vcurve::profile;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void exercise(const std::shared_ptr<const Profile>& profile) {
  const double start = profile->startStation();
  const double end = profile->endStation();
  for (int i = 0; i <= 16; ++i) {
    const double station = std::min(end, start + (end - start) * i / 16);
    const StationLookup found = profile->lookup(station);
    require(found.status == LookupStatus::Ok || found.status == LookupStatus::InOverlap);
    if (found.ok()) {
      require(std::isfinite(found.elevation) && std::isfinite(found.grade));
      for (const ElevationMatch& m : profile->stationsAtElevation(found.elevation)) {
        require(m.station >= start && m.through <= end && m.station <= m.through);
      }
    }
  }
  for (const DesignCode* code : designCodes()) {
    for (const auto& limits : code->speeds) {
      CheckBasis basis{code, &limits, code->classes.empty() ? nullptr : &code->classes.back()};
      basis.icy = basis.ridgeRoute = true;
      checkProfile(*profile, basis);
    }
  }
  // A coarse interval keeps the table small whatever the profile's length.
  const double interval = std::max(20.0, std::ceil((end - start) / 200));
  const StakeTable table(profile, nullptr, interval);
  double last = -INFINITY;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const double station = table.station(i);
    require(station > last);
    last = station;
    table.row(i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  pastedCells(text);
  readGroundCsv(text, "g.csv");
  // Whatever the first row holds, the settings read back as written.
  const RoadSettings settings = readSettingsCsv(text);
  require(readSettingsCsv(profileCsv(Profile({{0, 0, 0}, {100, 1, 0}}), settings)) == settings);
  const auto read = readProfileCsv(text, "p.csv");
  if (!read.ok()) {
    require(read.value.empty() && !read.error->problem.empty());
    return 0;
  }
  const auto profile = std::make_shared<const Profile>(read.value);
  require(profile->usable());
  exercise(profile);
  const auto back = readProfileCsv(profileCsv(*profile), "back.csv");
  require(back.ok() && back.value == read.value);
  return 0;
}
