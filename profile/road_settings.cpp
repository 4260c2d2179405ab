#include "profile/road_settings.h"

#include <array>
#include <cmath>

#include "core/numeric_text.h"
#include "profile/csv_records.h"
#include "profile/profile_csv.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

constexpr std::string_view kCode = "规范";
constexpr std::string_view kClass = "等级";
constexpr std::string_view kSpeed = "设计速度";
constexpr std::string_view kIcy = "积雪冰冻地区";
constexpr std::string_view kRidge = "越岭路线";
constexpr std::string_view kInterval = "桩距";
constexpr std::string_view kAdded = "加桩";
constexpr std::string_view kProject = "项目";
constexpr std::string_view kRoad = "路线";
constexpr std::string_view kReference = "高程基准";
constexpr std::string_view kYes = "是";
// No design-code check: a speed that reads as none.
constexpr std::string_view kNoCheck = "不检查";
// Stations of the 加桩 list, within its one cell.
constexpr char kStationSeparator = ';';

const DesignCode* codeNamed(std::string_view text) {
  for (const DesignCode* code : designCodes()) {
    if (code->key == text || code->name == text) return code;
  }
  return nullptr;
}

std::vector<double> stationsOf(std::string_view text) {
  std::vector<double> stations;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(kStationSeparator), text.size());
    const CellReading cell = readCell(InputColumn::Station, text.substr(0, end));
    if (cell.ok()) stations.push_back(cell.value);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return stations;
}

}  // namespace

std::optional<CheckBasis> checkBasis(const RoadSettings& settings) {
  const DesignCode* code = settings.code.empty() ? &highwayCode() : designCode(settings.code);
  if (code == nullptr || !settings.speed) return std::nullopt;
  CheckBasis basis{code, code->forSpeed(*settings.speed)};
  if (basis.limits == nullptr) return std::nullopt;
  const RoadClass* roadClass = code->forClass(settings.roadClass);
  if (roadClass != nullptr && allowsSpeed(*roadClass, *settings.speed)) {
    basis.roadClass = roadClass;
  }
  basis.icy = settings.icy;
  basis.ridgeRoute = settings.ridgeRoute;
  return basis;
}

std::vector<std::pair<std::string, std::string>> settingsFields(const RoadSettings& settings) {
  std::vector<std::pair<std::string, std::string>> fields;
  const auto add = [&](std::string_view label, std::string value) {
    fields.emplace_back(std::string(label), std::move(value));
  };
  if (const DesignCode* code = designCode(settings.code)) add(kCode, std::string(code->name));
  if (!settings.roadClass.empty()) add(kClass, settings.roadClass);
  add(kSpeed, settings.speed ? std::to_string(*settings.speed) : std::string(kNoCheck));
  if (settings.icy) add(kIcy, std::string(kYes));
  if (settings.ridgeRoute) add(kRidge, std::string(kYes));
  if (settings.stakeInterval) add(kInterval, exactText(*settings.stakeInterval));
  if (!settings.addedStations.empty()) {
    std::string stations;
    for (const double station : settings.addedStations) {
      if (!stations.empty()) stations += kStationSeparator;
      stations += inputText(InputColumn::Station, station);
    }
    add(kAdded, stations);
  }
  if (!settings.project.empty()) add(kProject, settings.project);
  if (!settings.road.empty()) add(kRoad, settings.road);
  if (!settings.elevationReference.empty()) add(kReference, settings.elevationReference);
  return fields;
}

RoadSettings settingsFromFields(const std::vector<std::pair<std::string, std::string>>& fields) {
  RoadSettings settings;
  for (const auto& [label, value] : fields) {
    if (label == kCode) {
      if (const DesignCode* code = codeNamed(value)) settings.code = std::string(code->key);
    } else if (label == kClass) {
      settings.roadClass = value;
    } else if (label == kSpeed && value == kNoCheck) {
      settings.speed.reset();
    } else if (label == kSpeed) {
      const auto speed = NumberFromText(value);
      if (speed && *speed == std::floor(*speed) && *speed > 0 && *speed < 1000) {
        settings.speed = static_cast<int>(*speed);
      }
    } else if (label == kIcy) {
      settings.icy = value == kYes;
    } else if (label == kRidge) {
      settings.ridgeRoute = value == kYes;
    } else if (label == kInterval) {
      const auto interval = NumberFromText(value);
      if (interval && *interval > 0 && std::isfinite(*interval)) settings.stakeInterval = *interval;
    } else if (label == kAdded) {
      settings.addedStations = stationsOf(value);
    } else if (label == kProject) {
      settings.project = value;
    } else if (label == kRoad) {
      settings.road = value;
    } else if (label == kReference) {
      settings.elevationReference = value;
    }
  }
  // A class the code does not list is no class of this road.
  const DesignCode* code = settings.code.empty() ? &highwayCode() : designCode(settings.code);
  if (const RoadClass* roadClass = code->forClass(settings.roadClass)) {
    settings.roadClass = std::string(roadClass->name);
  } else {
    settings.roadClass.clear();
  }
  return settings;
}

bool isSettingsRecord(const std::vector<std::string>& fields) {
  return !fields.empty() && fields.front() == kSettingsMark;
}

RoadSettings readSettingsCsv(std::string_view bytes) {
  CsvReader reader(bytes);
  CsvRecord record;
  // Only the first record that holds anything can be the settings row.
  while (reader.next(record)) {
    bool blank = true;
    for (const std::string& field : record.fields) blank = blank && field.empty();
    if (blank) continue;
    if (!isSettingsRecord(record.fields)) break;
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 1; i < record.fields.size(); ++i) {
      const std::string& cell = record.fields[i];
      const std::size_t equals = cell.find('=');
      if (equals != std::string::npos) {
        fields.emplace_back(cell.substr(0, equals), cell.substr(equals + 1));
      }
    }
    return settingsFromFields(fields);
  }
  return {};
}

std::string profileCsv(const Profile& profile, const RoadSettings& settings) {
  std::string table = profileCsv(profile);
  if (settings == RoadSettings{}) return table;
  std::string row(kSettingsMark);
  for (const auto& [label, value] : settingsFields(settings)) {
    row += ',';
    row += csvField(label + "=" + value);
  }
  row += kCsvRecordEnd;
  return table.insert(kUtf8Bom.size(), row);
}

}  // namespace vcurve::profile
