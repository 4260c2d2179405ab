#pragma once

// The section template and the 超高表 as one CSV file, the way they are
// kept in Excel: each row says which table it belongs to in its first cell
// (横断面 or 超高); rows whose first cell is neither (titles, headers,
// notes) are read past. Stations are field stations, read through the
// profile's 断链 like the profile's own. UTF-8 with or without a BOM and
// GB18030/GBK alike, as the profile CSV.
//
//   横断面,起点桩号,终点桩号,左分隔带半宽,左行车道,左硬路肩,左土路肩,右分隔带半宽,
//          右行车道,右硬路肩,右土路肩,路拱横坡%,土路肩横坡%,设计高程位置
//   超高,超高起点,全超高起点,全超高终点,超高终点,超高横坡%,偏向,旋转轴,加宽m
//
// 设计高程位置: 路基边缘, 中央分隔带外侧边缘 (or 分隔带边缘) or 中线.
// 偏向: 左 or 右 (左偏, 右偏): the side the curve turns to, the low side.
// 旋转轴: 内边线, 中线 (on a divided road also 分隔带边缘) or 外边线.

#include <string>
#include <string_view>
#include <vector>

#include "profile/chainage_equations.h"
#include "profile/file_error.h"
#include "sections/cross_section.h"

namespace vcurve::sections {

inline constexpr std::string_view kTemplateCell = "横断面";
inline constexpr std::string_view kCurveCell = "超高";

struct SectionRows {
  std::vector<SectionTemplate> templates;
  std::vector<Superelevation> curves;
};

// The rows that read and stand together, and one error for each that does
// not, in line order: a bad row is left out, never the rest with it.
struct LoadedSections {
  SectionRows rows;
  std::vector<profile::FileError> errors;
  bool ok() const { return errors.empty(); }
};

LoadedSections readSectionsCsv(std::string_view bytes, std::string_view fileName,
                               const profile::ChainageEquations& chainage);

// What readSectionsCsv reads back, field stations and all, with a BOM.
std::string sectionsCsv(const Sections& sections, const profile::ChainageEquations& chainage);

}  // namespace vcurve::sections
