#pragma once

// `vcurve-table --profile FILE ...`: a whole profile's elevation table,
// 纵坡竖曲线表, design-code checks and reverse lookup.

#include <functional>
#include <string_view>
#include <vector>

#include "app/table/profile_options.h"

namespace vcurve::table {

// kind is "错误" or "警告"; text the message.
using Say = std::function<void(std::string_view kind, std::string_view text)>;

// The exit status: 0 done; 1 when a check found an 错误, a station's
// elevation could not be computed, or the output could not be written.
// A bad command line or file throws UsageError before anything is written.
// A profile's or a ground line's file whole, refusing one too large to be
// either; UsageError naming the file on any fault.
std::string readInputFile(const std::string& path);

int runProfileCommand(const std::vector<std::string_view>& args, const Say& say);

}  // namespace vcurve::table
