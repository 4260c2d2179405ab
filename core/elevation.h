#pragma once

// Design elevation of one station on a symmetric parabolic vertical curve.

#include <optional>

namespace vcurve {

enum class CurveType { Convex, Concave };

// Which grade and which curve end a station is measured from.
enum class CurveSide { BeforePvi, AfterPvi };

// The seven values of the window's fields, in metres and percent. Grades are
// positive magnitudes; the curve type gives their direction.
struct CurveInputs {
  double P = 0;   // PVI station
  double L = 0;   // tangent length
  double R = 0;   // radius
  double H = 0;   // PVI elevation
  double g1 = 0;  // grade before the PVI, percent
  double g2 = 0;  // grade after the PVI, percent
  double S = 0;   // station wanted
};

// nullopt when any arithmetic step divides by zero, is invalid or overflows.
// No input is range-checked: stations off the curve, negative lengths and
// steep grades are computed as entered.
std::optional<double> ComputeElevation(CurveType type, CurveSide side, const CurveInputs& in);

// The side whose formula serves station S. At the PVI itself (S = P) both
// formulas give the same elevation; the first grade's is used, so the most
// important station of the curve is listed like any other.
CurveSide SideForStation(double P, double S);

}  // namespace vcurve
