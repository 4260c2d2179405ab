#pragma once

// The sheets as one DXF file for CAD, where design institutes finish
// their drawings: AutoCAD 2007 format, whose strings are UTF-8, so that
// the Chinese texts need no code page; units millimetres of paper, every
// sheet side by side from left to right with a gap between them.

#include <functional>
#include <string_view>

#include "profile/sheet/sheet_layout.h"

namespace vcurve::profile::sheet {

inline constexpr double kDxfSheetGap = 20;  // mm between two sheets in the file

// The text style every text uses, and the font it names: 宋体 is on every
// Chinese Windows and has all the glyphs the sheets use.
inline constexpr std::string_view kDxfTextStyle = "HZ";
inline constexpr std::string_view kDxfFont = "simsun.ttc";

// Calls sink with the file a block at a time, and progress after each
// sheet; false from progress stops the writing and returns false.
bool writeSheetsDxf(const SheetLayout& layout, const std::function<void(std::string_view)>& sink,
                    const std::function<bool(int done, int total)>& progress = {});

}  // namespace vcurve::profile::sheet
