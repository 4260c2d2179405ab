#pragma once

// What `vcurve-table --profile` writes: its sections as lines or CSV, and
// its sheets for a workbook. Nothing here reads files or decides exit
// statuses.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/table/output_buffer.h"
#include "app/table/stations.h"
#include "profile/checks.h"
#include "profile/profile.h"
#include "profile/sheets.h"
#include "profile/stake_table.h"

namespace vcurve::table {

// The stations of the elevation table: the listed and stepped ones asked
// for, or the stake table's (every 20 m and every key point).
struct ProfileStations {
  std::optional<profile::StakeTable> stake;
  StationPlan plan;

  template <typename Visit>
  void forEach(Visit&& visit) const {
    if (stake) {
      for (std::size_t i = 0; i < stake->size(); ++i) visit(stake->station(i));
    } else {
      forEachStation(plan, visit);
    }
  }
};

// The 备注 of the table's rows: the stake table's own, or the key points at
// a listed station.
class StationNotes {
 public:
  StationNotes(const profile::Profile& profile, const ProfileStations& stations);
  // Of row n (from 1) at the station.
  std::string at(std::int64_t n, double station) const;

 private:
  const profile::StakeTable* stake_;
  std::vector<profile::KeyPoint> keys_;
};

// Told the number, station and reason of each row left out.
using UncomputedStation =
    std::function<void(std::int64_t n, double station, profile::LookupStatus why)>;

// "直坡段（第 2–3 点）", "凸曲线（第 3 点）".
std::string elementText(const profile::Profile& profile, const profile::StationLookup& found);

void appendSummaryLines(OutputBuffer& out, const profile::Profile& profile, std::string_view file);
void appendSummaryCsv(OutputBuffer& out, const profile::Profile& profile);
std::string findingsHeading(const std::vector<profile::Finding>& findings,
                            const profile::CheckBasis& basis);
// With equations, every station is written as a field station.
void appendFindingsLines(OutputBuffer& out, const std::vector<profile::Finding>& findings,
                         const profile::CheckBasis& basis,
                         const profile::ChainageEquations* chainage = nullptr);
void appendFindingsCsv(OutputBuffer& out, const std::vector<profile::Finding>& findings,
                       const profile::ChainageEquations* chainage = nullptr);
void appendMatchesLines(OutputBuffer& out, const std::vector<profile::ElevationMatch>& matches,
                        const std::string& elevation,
                        const profile::ChainageEquations* chainage = nullptr);
void appendMatchesCsv(OutputBuffer& out, const std::vector<profile::ElevationMatch>& matches,
                      const profile::ChainageEquations* chainage = nullptr);

// Both return how many stations were left out. With equations, the
// stations are field stations and the CSV ends with the true distance.
std::int64_t appendTableLines(OutputBuffer& out, const profile::Profile& profile,
                              const ProfileStations& stations, const UncomputedStation& left);
std::int64_t appendTableCsv(OutputBuffer& out, const profile::Profile& profile,
                            const ProfileStations& stations, const UncomputedStation& left);

// The elevation table as a sheet of the rows given, each with the number
// it has in the other formats. The profile and rows must outlive it.
struct NumberedStation {
  std::int64_t n = 0;
  double station = 0;
};
profile::Sheet tableSheet(const profile::Profile& profile, const std::vector<NumberedStation>& rows,
                          std::string title);
profile::Sheet matchesSheet(const std::vector<profile::ElevationMatch>& matches, std::string title,
                            const profile::ChainageEquations* chainage = nullptr);

}  // namespace vcurve::table
