#pragma once

// The profile, its ground line and its stake table as CSV, the way road
// engineers keep them in Excel.
//
// Read: one row per point, station (metres or chainage) then elevation, and
// for a profile the radius (empty or 0 at the start and the end); a column
// the header calls 备注 gives each point its remark, and further columns
// are ignored. Up to ten rows of titles and headers in any language
// and encoding come first; a row is taken for a header when none of its
// cells reads as a number. UTF-8 with or without a BOM and GB18030/GBK are
// read alike, since the numbers are ASCII in all of them.
//
// Written: UTF-8 with a BOM, so that Excel shows the Chinese headers, and
// CR LF between records.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/file_error.h"
#include "profile/ground_line.h"
#include "profile/profile.h"
#include "profile/stake_table.h"

namespace vcurve::profile {

// unkept, when given, names in Chinese what the file holds that
// profileCsv() would not write back ("标题行、“施工单位”列"), empty when
// nothing: saving over it would lose that.
//
// A row "断链,K1+180,K1+200" (back, ahead) stands where the equation lies
// between the points; the points after it are in the ahead numbering. The
// points come back at true distances and the equations, in order, in
// *equations; a file with such rows is refused when equations is null.
Loaded<std::vector<ProfilePoint>> readProfileCsv(
    std::string_view bytes, std::string_view fileName, std::string* unkept = nullptr,
    std::vector<ChainageEquation>* equations = nullptr);
Loaded<std::vector<GroundPoint>> readGroundCsv(std::string_view bytes, std::string_view fileName);

// The 纵坡竖曲线表: the three input columns exactly as they read back, then
// the derived ones as the table shows them, then 备注 where any point has a
// remark; the equations as 断链 rows.
std::string profileCsv(const Profile& profile);
std::string groundCsv(const GroundLine& ground);

// The stake table, a block of text at a time: a table of a hundred
// kilometres at 1 m is not held in memory whole. With equations, a last
// record gives the road's true length. With edges, their two columns
// follow 备注.
void writeStakeCsv(const StakeTable& table, const std::function<void(std::string_view)>& sink,
                   const StakeEdges& edges = {});

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace vcurve::profile
