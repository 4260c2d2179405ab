#pragma once

// The curve's elements, listed before the table on request: what a designer
// checks a curve by before staking it out.

#include <optional>
#include <string>

#include "app/table/options.h"

namespace vcurve::table {

// A station rounded to the millimetre and the elevation listed for it;
// nullopt elevation where the computation fails.
struct CurvePoint {
  double station = 0;
  std::optional<double> elevation;
};

struct CurveSummary {
  CurveType type = CurveType::Convex;
  // pvi is the curve's own point under the PVI: its elevation is the
  // PVI's less the external distance, not the PVI's.
  CurvePoint start, pvi, end;
  double pviElevation = 0;                 // as entered
  std::optional<double> externalDistance;  // L²/2R, to the millimetre
  // The highest point of a crest or the lowest of a sag; nullopt when the
  // vertex of neither half's parabola lies on that half.
  std::optional<CurvePoint> extreme;
  double tangent = 0;  // as entered
  // R·(g1+g2)/200 to the millimetre; nullopt when it overflows.
  std::optional<double> impliedTangent;
  bool tangentMismatch = false;
};

// A tangent length further than this from the one the radius and grades
// imply is most likely a typing error in one of the three.
inline constexpr double kTangentTolerance = 0.001;

CurveSummary summarizeCurve(const TableRequest& request);

// The number as printed, or "无法计算" for a computation that failed.
std::string optionalText(const std::optional<double>& value);

}  // namespace vcurve::table
