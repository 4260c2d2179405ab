#pragma once

// The settings that belong to a road rather than to the window: what it is
// checked against, its stake table, and the names its sheets carry. A CSV
// profile keeps them in a first row of its own (道路设置,规范=…,等级=…), which
// other programs read past as a title; a LandXML file keeps them in a
// Feature of the Profile, which other suites ignore. A file without them
// gets the defaults, never the last road's values.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profile/design_code.h"
#include "profile/profile.h"

namespace vcurve::profile {

struct RoadSettings {
  std::string code;                     // a DesignCode key ("jtg", "cjj37"); empty: the default
  std::string roadClass;                // "二级公路"; empty: by the speed alone
  std::optional<int> speed = 80;        // km/h; none: no design-code check
  bool icy = false;                     // 积雪冰冻地区
  bool ridgeRoute = false;              // 越岭路线
  std::optional<double> stakeInterval;  // m, of the stake table
  std::vector<double> addedStations;    // 加桩
  std::string project;                  // 项目名称
  std::string road;                     // 路线名称
  std::string elevationReference;       // 高程基准
  bool operator==(const RoadSettings&) const = default;
};

// The basis a profile with these settings is checked against; none without
// a speed the code lists (an unknown class is dropped, a class the speed
// does not fit too).
std::optional<CheckBasis> checkBasis(const RoadSettings& settings);

// Label and value, in file order; only what differs from the defaults.
std::vector<std::pair<std::string, std::string>> settingsFields(const RoadSettings& settings);
// Unknown labels and values that do not read are left at the defaults.
RoadSettings settingsFromFields(const std::vector<std::pair<std::string, std::string>>& fields);

// The first cell of the CSV settings row.
inline constexpr std::string_view kSettingsMark = "道路设置";
bool isSettingsRecord(const std::vector<std::string>& fields);
// The settings row of a CSV file, or the defaults when it has none.
RoadSettings readSettingsCsv(std::string_view bytes);
// profileCsv() with the settings row on top (none when all are defaults).
std::string profileCsv(const Profile& profile, const RoadSettings& settings);

}  // namespace vcurve::profile
