#include "profile/landxml_settings.h"

#include <string>
#include <string_view>

namespace vcurve::profile {
namespace {

constexpr const char* kFeatureCode = "vcurve-road-settings";

std::string_view localName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

void appendSettingsFeature(pugi::xml_node profile, const RoadSettings& settings) {
  if (settings == RoadSettings{}) return;
  pugi::xml_node feature = profile.append_child("Feature");
  feature.append_attribute("name") = std::string(kSettingsMark).c_str();
  feature.append_attribute("code") = kFeatureCode;
  for (const auto& [label, value] : settingsFields(settings)) {
    pugi::xml_node property = feature.append_child("Property");
    property.append_attribute("label") = label.c_str();
    property.append_attribute("value") = value.c_str();
  }
}

bool isSettingsFeature(std::string_view code) { return code == kFeatureCode; }

RoadSettings settingsFeature(const pugi::xml_node& profile) {
  for (const pugi::xml_node& feature : profile.children()) {
    if (feature.type() != pugi::node_element || localName(feature) != "Feature" ||
        std::string_view(feature.attribute("code").value()) != kFeatureCode) {
      continue;
    }
    std::vector<std::pair<std::string, std::string>> fields;
    for (const pugi::xml_node& property : feature.children()) {
      if (property.type() != pugi::node_element || localName(property) != "Property") continue;
      fields.emplace_back(property.attribute("label").value(), property.attribute("value").value());
    }
    return settingsFromFields(fields);
  }
  return {};
}

}  // namespace vcurve::profile
