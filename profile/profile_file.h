#pragma once

// A profile file of either kind, told apart by its content: LandXML starts
// with '<', anything else is read as CSV.

#include <string_view>

#include "profile/landxml.h"

namespace vcurve::profile {

bool looksLikeXml(std::string_view bytes);

// name chooses among several profiles of a LandXML file; a CSV file has one.
// progress is told how far a LandXML file has been read.
Loaded<ProfileDocument> readProfileFile(std::string_view bytes, std::string_view fileName,
                                        std::string_view name = {},
                                        const ReadProgress& progress = {});

}  // namespace vcurve::profile
