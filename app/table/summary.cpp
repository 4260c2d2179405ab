#include "app/table/summary.h"

#include <cmath>

#include "app/table/listed_elevation.h"
#include "app/table/stations.h"
#include "core/numeric_text.h"

namespace vcurve::table {
namespace {

double toMillimetre(double x) { return RoundToPlaces(x, 3); }

// Rounded first, so that typing the printed station into the window gives
// the printed elevation.
CurvePoint pointAt(CurveType type, const CurveInputs& curve, double station) {
  const double rounded = toMillimetre(station);
  return {rounded, listedElevationAt(type, curve, rounded)};
}

bool beyond(CurveType type, double a, double b) {
  return type == CurveType::Convex ? a > b : a < b;
}

}  // namespace

std::string optionalText(const std::optional<double>& value) {
  return value ? TextFromNumber(*value) : std::string("无法计算");
}

CurveSummary summarizeCurve(const TableRequest& request) {
  const CurveInputs curve = request.curve();
  const CurveType type = request.type;
  // planStations has already refused a curve whose ends cannot be printed.
  const CurveEnds ends = *curveEnds(curve.P, curve.L);

  CurveSummary s;
  s.type = type;
  s.start = pointAt(type, curve, ends.start);
  s.pvi = pointAt(type, curve, curve.P);
  s.pviElevation = curve.H;
  s.end = pointAt(type, curve, ends.end);
  if (const double e = (std::pow(curve.L, 2.0) / curve.R) / 2; std::isfinite(e)) {
    s.externalDistance = toMillimetre(e);
  }

  // Each half is the parabola of its own grade, starting from its own end:
  // its vertex lies R·g/100 from that end. With a tangent length that fits
  // the radius and grades exactly one vertex is on its half; with one that
  // does not, there may be two, or none.
  const double fromStart = curve.R * curve.g1 / 100;
  const double fromEnd = curve.R * curve.g2 / 100;
  if (fromStart <= curve.L) s.extreme = pointAt(type, curve, curve.P - curve.L + fromStart);
  if (fromEnd <= curve.L) {
    const CurvePoint after = pointAt(type, curve, curve.P + curve.L - fromEnd);
    if (!s.extreme ||
        (after.elevation &&
         (!s.extreme->elevation || beyond(type, *after.elevation, *s.extreme->elevation)))) {
      s.extreme = after;
    }
  }

  s.tangent = curve.L;
  const double implied = curve.R * (curve.g1 + curve.g2) / 200;
  if (std::isfinite(implied)) s.impliedTangent = toMillimetre(implied);
  s.tangentMismatch = !(std::fabs(implied - curve.L) <= kTangentTolerance);
  return s;
}

}  // namespace vcurve::table
