#pragma once

// What the parts of one sheet share: where everything sits on the paper.

#include <string_view>

#include "profile/sheet/sheet_layout.h"

namespace vcurve::profile::sheet {

struct SheetGeometry {
  double width = 420, height = 297;
  double left = 25, right = 415, bottom = 5, top = 292;  // the inner frame
  double stripTop = 15;                                  // the title strip below the band
  double bandTop = 87;
  double columnRight = 49;  // the rows' titles at the left of the band
  double plotLeft = 55, plotRight = 409;
  double areaBottom = 87, areaTop = 288;  // the lines above the band
  double start = 0, end = 0;              // the stations the sheet shows
  double along = 0.5, up = 5;             // mm per metre
  double x(double station) const { return plotLeft + (station - start) * along; }
};

SheetGeometry sheetGeometry(const SheetSettings& settings);

// An estimate of a text's length on paper: CJK glyphs are square, the rest
// about 0.6 of the height. Enough to fit texts into cells.
double textLength(std::string_view text, double height);

// Text sizes, mm.
inline constexpr double kValueText = 2.5;
inline constexpr double kLabelText = 2.5;
inline constexpr double kTitleText = 3.5;

void drawFrame(const SheetLayout& layout, const SheetGeometry& g, Sheet& sheet);
void drawBand(const SheetLayout& layout, const Profile& profile, const SheetGeometry& g,
              bool titles, Sheet& sheet);
void drawProfile(const SheetLayout& layout, const Profile& profile, const GroundLine* ground,
                 const SheetGeometry& g, Sheet& sheet);

}  // namespace vcurve::profile::sheet
