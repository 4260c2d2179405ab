#pragma once

// A whole profile (纵断面): the points as typed and everything that follows
// from them, derived once when the profile is built. A Profile never
// changes; an edit builds a new one from the edited points, which for a
// thousand PVIs takes a few tens of microseconds.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "profile/chainage_equations.h"
#include "profile/profile_point.h"

namespace vcurve::profile {

enum class CurveKind { None, Crest, Sag };  // 凸 when ω < 0, 凹 when ω > 0

// The grade from one point to the next.
struct Grade {
  double percent = 0;  // signed, rising to the right when positive
  double length = 0;   // 坡长, PVI to PVI
};

// The curve at a PVI with ω ≠ 0 and R > 0.
struct VerticalCurve {
  CurveKind kind = CurveKind::None;
  double radius = 0;
  double tangent = 0;   // T = R·|ω|/200
  double length = 0;    // L = 2T
  double external = 0;  // E = T²/2R
  double startStation = 0, startElevation = 0;
  double endStation = 0, endElevation = 0;
  // Where the grade passes zero inside the curve: the high point of a crest,
  // the low point of a sag.
  std::optional<double> turnStation, turnElevation;
};

// What one row of the table derives to.
struct RowDerivation {
  std::optional<Grade> gradeAfter;     // to the next point; none on the end
  std::optional<double> omega;         // ω = i₂ − i₁ in percent, at PVIs only
  std::optional<VerticalCurve> curve;  // at PVIs with a curve only
  CurveKind kind() const { return curve ? curve->kind : CurveKind::None; }
};

// The stretches the design line is made of, in station order, each from its
// start to the next one's; the last ends at the profile's end.
enum class ElementKind {
  Grade,  // a straight grade: row is its first point
  Curve,  // a vertical curve: row is its PVI
  // Claimed by two curves at once (overlapping, or running past a PVI): the
  // elevation there is not computed.
  Overlap,
};
struct Element {
  double start = 0;
  ElementKind kind = ElementKind::Grade;
  std::size_t row = 0;
};

enum class LookupStatus { Ok, OutsideProfile, InOverlap, Unusable };

// Design elevation and grade at one station, and the element it lies on.
// At an element boundary the later element answers.
struct StationLookup {
  LookupStatus status = LookupStatus::Unusable;
  double elevation = 0;
  double grade = 0;  // percent
  ElementKind kind = ElementKind::Grade;
  std::size_t row = 0;
  bool ok() const { return status == LookupStatus::Ok; }
};

// A station where the design line has a given elevation; a level stretch
// at exactly that elevation is one match from station to through.
struct ElevationMatch {
  double station = 0;
  double through = 0;  // == station for a single point
  bool operator==(const ElevationMatch&) const = default;
};

enum class KeyPointKind { Start, CurveStart, Pvi, CurveEnd, End };
struct KeyPoint {
  double station = 0;
  KeyPointKind kind = KeyPointKind::Pvi;
  std::size_t row = 0;
};

class Profile {
 public:
  Profile() : Profile(std::vector<ProfilePoint>{}) {}
  explicit Profile(std::vector<ProfilePoint> points);
  // Points at true distances (连续里程), with the equations that number them.
  Profile(std::vector<ProfilePoint> points, ChainageEquations chainage);

  const ChainageEquations& chainage() const { return chainage_; }
  // A station as people read it: the field station, "K1+190.000(2)" in a
  // 长链's doubled range.
  std::string stationText(double distance) const { return chainage_.text(distance); }

  const std::vector<ProfilePoint>& points() const { return points_; }
  std::size_t size() const { return points_.size(); }

  // What stops derivation; when not empty, only points() is meaningful.
  const std::vector<InputError>& inputErrors() const { return inputErrors_; }
  bool usable() const { return inputErrors_.empty(); }

  // One per point, in the same order; empty when not usable.
  const std::vector<RowDerivation>& rows() const { return rows_; }
  const std::vector<Element>& elements() const { return elements_; }
  double startStation() const;
  double endStation() const;
  bool contains(double station) const;

  // A binary search over the elements.
  StationLookup lookup(double station) const;
  std::optional<double> elevationAt(double station) const;
  std::optional<double> gradeAt(double station) const;

  // Every station where the design elevation equals z, ascending.
  std::vector<ElevationMatch> stationsAtElevation(double z) const;

  // The start, every curve's start, PVI and end inside the profile, and the
  // end, ascending (PVIs without a curve are key points too).
  std::vector<KeyPoint> keyPoints() const;

  // The overfull grades found while deriving: row k means the grade from
  // point k to k+1 holds more curve than its length.
  struct Overfull {
    std::size_t row = 0;
    double taken = 0;  // the two tangents on this grade, T_k + T_k+1
  };
  const std::vector<Overfull>& overfullGrades() const { return overfull_; }

 private:
  void derive();
  void buildElements();

  // Every element as one quadratic in x = station − origin: a grade is
  // the line through its first point, a curve the parabola through its
  // start, z = a + (slope + c·x)·x, grade = percent + 200·c·x. One form
  // for all makes a lookup free of branches a random station would
  // mispredict, and the reverse lookup solves exactly what it evaluates.
  struct Span {
    double origin = 0;
    double a = 0;
    double slope = 0;    // percent / 100
    double c = 0;        // ∓1/2R; 0 on a grade
    double percent = 0;  // the grade at the origin
  };
  std::vector<Span> spans_;  // one per element; NaN for an overlap

  std::vector<ProfilePoint> points_;
  ChainageEquations chainage_;
  std::vector<InputError> inputErrors_;
  std::vector<RowDerivation> rows_;
  std::vector<Element> elements_;
  std::vector<double> elementStarts_;  // elements_[i].start, searched alone
  std::vector<Overfull> overfull_;
};

// Two tangents that together exceed their grade by no more than this touch
// rather than overlap: half a millimetre is below every printed digit.
inline constexpr double kTouchTolerance = 0.0005;

// ω below this (in percent) is no grade break: three points on one line
// seldom give exactly equal grades in binary.
inline constexpr double kNoBreak = 1e-9;

}  // namespace vcurve::profile
