#pragma once

// `vcurve-table --profile FILE --sheets OUT.pdf|OUT.dxf`: the 路线纵断面图
// as paged sheets, with the window's settings as options.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/table/option_values.h"
#include "app/table/profile_command.h"
#include "profile/sheet/sheet_layout.h"

namespace vcurve::table {

enum class SheetFormat { Pdf, Dxf };

struct SheetRequest {
  std::string file;    // --profile
  std::string name;    // --name
  std::string ground;  // --ground: a ground line CSV; a LandXML file may hold one
  std::string output;  // --sheets
  SheetFormat format = SheetFormat::Pdf;
  profile::sheet::SheetSettings settings;
  // As typed: field stations, placed on the true distance once the
  // profile and its 断链 are read.
  std::optional<OptionValue> from, to;
  std::vector<std::pair<OptionValue, OptionValue>> geologyStations;
};

bool isSheetCommand(const std::vector<std::string_view>& args);
SheetRequest parseSheetCommandLine(const std::vector<std::string_view>& args);
int runSheetCommand(const std::vector<std::string_view>& args, const Say& say);

// The PDF needs the toolkit; a build without it says so. Returns the
// error in Chinese, empty on success.
std::string writeSheetsPdfFile(const profile::sheet::SheetLayout& layout, const std::string& path);

}  // namespace vcurve::table
