#pragma once

// The two output formats: the window's result lines, and CSV for
// spreadsheets. Each writes the optional summary first, then one row per
// station; a station whose elevation cannot be computed gets no row.

#include <cstdint>
#include <functional>

#include "app/table/listed_elevation.h"
#include "app/table/options.h"
#include "app/table/output_buffer.h"
#include "app/table/stations.h"

namespace vcurve::table {

// Told the number and station of each row left out.
using FailedStation = std::function<void(std::int64_t n, double station)>;

// Every station of the plan with its number and listed elevation, in order;
// a station that cannot be computed still uses up its number and is told to
// failed instead. Returns how many failed.
template <typename Row>
std::int64_t forEachListedStation(const TableRequest& request, const StationPlan& plan,
                                  const FailedStation& failed, Row&& row) {
  const CurveInputs curve = request.curve();
  std::int64_t n = 0;
  std::int64_t failures = 0;
  forEachStation(plan, [&](double station) {
    ++n;
    const auto elevation = listedElevationAt(request.type, curve, station);
    if (!elevation) {
      ++failures;
      failed(n, station);
      return;
    }
    row(n, station, *elevation);
  });
  return failures;
}

// Both return how many stations failed.
std::int64_t writeResultLines(const TableRequest& request, const StationPlan& plan,
                              OutputBuffer& out, const FailedStation& failed);
std::int64_t writeCsv(const TableRequest& request, const StationPlan& plan, OutputBuffer& out,
                      const FailedStation& failed);

}  // namespace vcurve::table
