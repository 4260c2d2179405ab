#pragma once

// The road's settings in a LandXML file: a Feature of the Profile, which
// LandXML keeps for data of one program and other suites read past.

#include <pugixml.hpp>
#include <string_view>

#include "profile/road_settings.h"

namespace vcurve::profile {

void appendSettingsFeature(pugi::xml_node profile, const RoadSettings& settings);
// The defaults when the Profile has no such Feature.
RoadSettings settingsFeature(const pugi::xml_node& profile);
// Whether a Feature with this code holds the settings.
bool isSettingsFeature(std::string_view code);

}  // namespace vcurve::profile
