#pragma once

// The parts of reading LandXML that do not depend on how the XML is
// parsed: length units, station equations and the names profiles are
// listed by. The reader hands them attribute texts and numbers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/chainage_equations.h"

namespace vcurve::profile {

// Metres per unit of the file's lengths and of its elevations, and the
// unit's name when it is not the metre ("英尺", "美国测量英尺").
struct LengthUnits {
  double length = 1;
  double elevation = 1;
  std::string name;
  // value·factor, for the US survey foot as 1200/3937 exactly: multiplying
  // by the rounded quotient would be off in the last place.
  double metres(double value) const;
  double elevationMetres(double value) const;
  bool usSurveyFoot = false;
  bool usSurveyElevation = false;
};

// From <Metric> or <Imperial>'s linearUnit and elevationUnit (either may be
// empty); nullopt and the problem for a unit a road profile cannot be in.
std::optional<LengthUnits> lengthUnits(bool imperial, std::string_view linearUnit,
                                       std::string_view elevationUnit, std::string& problem);

// R = 100·L/|ω|, for a ParaCurve's length and the grade break either
// side; a radius that left this program reads back as it was written.
double radiusOfLength(double length, double omega);

// One <StaEquation>, its numbers already in metres.
struct StationEquation {
  double back = 0, ahead = 0, internal = 0;
  bool hasInternal = false;
};

// The equations in road order, and the shift from the file's internal
// stations to this program's true distance (which equals the field station
// before the first equation): distance = internal − shift. Empty string on
// success; otherwise the problem, naming the equation.
std::string equationsFromFile(std::vector<StationEquation> found,
                              std::vector<ChainageEquation>& equations, double& shift);

// What the chooser and the messages call each profile: its own name, or,
// where two profiles share a name, "alignment/name（K0+000.000–K1+200.000）".
struct ProfileNames {
  std::string own;        // the ProfAlign's, else the Profile's, else the Alignment's
  std::string alignment;  // the Alignment's
  std::optional<double> start, end;
};
std::vector<std::string> profileLabels(const std::vector<ProfileNames>& profiles);

}  // namespace vcurve::profile
