#pragma once

// The command line of a whole profile, `vcurve-table --profile FILE ...`:
// named options in, a checked request out, every fault a UsageError that
// names the option and its value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/table/options.h"
#include "profile/design_code.h"

namespace vcurve::table {

enum class ProfileFormat { Lines, Csv, Xlsx, Pdf };

struct ProfileRequest {
  std::string file;  // --profile, UTF-8
  std::string name;  // --name: which profile of a LandXML file
  std::vector<OptionValue> at;
  std::optional<StationRange> range;
  ProfileFormat format = ProfileFormat::Lines;
  std::optional<std::string> output;
  bool summary = false;
  std::optional<int> speed;  // km/h, one the design code lists
  bool check = false;
  // What --check checks against: --code (JTG D20 unless given), --class,
  // --speed, --icy, --ridge-route.
  profile::CheckBasis basis;
  std::optional<OptionValue> findElevation;
  // --sections: the 路基设计表 in place of the elevation table, and the
  // 合成坡度 among the checks; --edge-elevations: edges as elevations.
  std::optional<std::string> sections;
  bool edgeElevations = false;
  // --edge-columns: the elevation table kept, the subgrade edges'
  // elevations (左路肩, 右路肩) added after its columns.
  bool edgeColumns = false;

  // The 路基设计表 is written in place of the elevation table.
  bool subgrade() const { return sections.has_value() && !edgeColumns; }

  // Asked to report something other than the elevation table.
  bool reports() const { return summary || check || findElevation.has_value(); }
  // The elevation table is written unless only reports were asked for.
  bool table() const { return !reports() || !at.empty() || range.has_value(); }
};

// True for a command line that names a profile file and asks for neither
// help nor the version, which the single-curve command line answers.
bool isProfileCommand(const std::vector<std::string_view>& args);

ProfileRequest parseProfileCommandLine(const std::vector<std::string_view>& args);

}  // namespace vcurve::table
