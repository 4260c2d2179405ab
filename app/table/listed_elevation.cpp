#include "app/table/listed_elevation.h"

#include "core/result_pipeline.h"

namespace vcurve::table {

std::optional<double> listedElevationAt(CurveType type, CurveInputs curve, double station) {
  curve.S = station;
  return ListedElevation(type, SideForStation(curve.P, station), curve);
}

}  // namespace vcurve::table
