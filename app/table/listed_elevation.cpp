#include "app/table/listed_elevation.h"

#include <string>

#include "core/numeric_text.h"
#include "core/result_pipeline.h"

namespace vcurve::table {

std::optional<double> listedElevationAt(CurveType type, CurveInputs curve, double station) {
  curve.S = station;
  const std::string text = ElevationText(type, SideForStation(curve.P, station), curve);
  if (text.empty()) return std::nullopt;
  const double listed = ListedElevation(text);
  // ListedElevation turns a text it cannot read back into 0; only then is a
  // second reading needed to tell that apart from a real 0.
  if (listed == 0 && !NumberFromText(text)) return std::nullopt;
  return listed;
}

}  // namespace vcurve::table
