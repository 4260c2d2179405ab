#include "core/elevation.h"

#include <cmath>

namespace vcurve {
namespace {

// Distance from the nearer end of the curve. Written out the same way at both
// uses: the grouping decides the last bits of x.
double distanceFromCurveEnd(CurveSide side, const CurveInputs& in) {
  return side == CurveSide::BeforePvi ? (in.S - in.P) + in.L : (in.P + in.L) - in.S;
}

}  // namespace

std::optional<double> ComputeElevation(CurveType type, CurveSide side, const CurveInputs& in) {
  // The order of operations below is part of the result: every published
  // elevation was computed in exactly this order, and a reordering (or a
  // fused multiply-add) moves the last printed digit.
  const double g = side == CurveSide::BeforePvi ? in.g1 : in.g2;
  const bool convex = type == CurveType::Convex;

  const double a = (in.L * g) / 100;
  const double c = (distanceFromCurveEnd(side, in) * g) / 100;
  const double t = convex ? (in.H - a) + c : (in.H + a) - c;
  const double square = std::pow(distanceFromCurveEnd(side, in), 2.0);
  const double y = (square / in.R) / 2;
  const double e = convex ? t - y : y + t;

  // A non-finite value anywhere propagates into e or is caught here: inf
  // from an overflow or a division of a non-zero by zero, NaN from 0/0 or
  // inf - inf. Underflow to zero is an ordinary result.
  for (const double step : {a, c, t, square, y, e}) {
    if (!std::isfinite(step)) return std::nullopt;
  }
  return e;
}

CurveSide SideForStation(double P, double S) {
  return P < S ? CurveSide::AfterPvi : CurveSide::BeforePvi;
}

}  // namespace vcurve
