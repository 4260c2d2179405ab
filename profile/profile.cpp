#include "profile/profile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vcurve::profile {
namespace {

struct Piece {
  double start = 0;
  double end = 0;
  ElementKind kind = ElementKind::Grade;
  std::size_t row = 0;
};

struct Range {
  double start = 0;
  double end = 0;
};

void addPiece(std::vector<Piece>& pieces, Piece piece) {
  if (!(piece.end > piece.start)) return;
  if (!pieces.empty()) {
    Piece& last = pieces.back();
    if (last.kind == piece.kind && (last.row == piece.row || piece.kind == ElementKind::Overlap)) {
      last.end = piece.end;
      return;
    }
  }
  pieces.push_back(piece);
}

// The pieces with every range of doubly claimed ground turned into overlap.
std::vector<Piece> withOverlaps(const std::vector<Piece>& pieces, std::vector<Range> spills) {
  std::sort(spills.begin(), spills.end(),
            [](const Range& a, const Range& b) { return a.start < b.start; });
  std::vector<Piece> result;
  std::size_t j = 0;
  for (const Piece& piece : pieces) {
    double at = piece.start;
    while (at < piece.end) {
      while (j < spills.size() && spills[j].end <= at) ++j;
      if (j < spills.size() && spills[j].start <= at) {
        const double stop = std::min(piece.end, spills[j].end);
        addPiece(result, {at, stop, ElementKind::Overlap, piece.row});
        at = stop;
      } else {
        const double stop = j < spills.size() ? std::min(piece.end, spills[j].start) : piece.end;
        addPiece(result, {at, stop, piece.kind, piece.row});
        at = stop;
      }
    }
  }
  return result;
}

}  // namespace

Profile::Profile(std::vector<ProfilePoint> points) : Profile(std::move(points), {}) {}

Profile::Profile(std::vector<ProfilePoint> points, ChainageEquations chainage)
    : points_(std::move(points)),
      chainage_(std::move(chainage)),
      inputErrors_(validatePoints(points_)) {
  if (usable()) {
    derive();
    buildElements();
  }
}

void Profile::derive() {
  const std::size_t n = points_.size();
  rows_.assign(n, {});
  for (std::size_t k = 0; k + 1 < n; ++k) {
    const double length = points_[k + 1].station - points_[k].station;
    const double rise = points_[k + 1].elevation - points_[k].elevation;
    rows_[k].gradeAfter = Grade{rise / length * 100, length};
  }
  for (std::size_t k = 1; k + 1 < n; ++k) {
    const double before = rows_[k - 1].gradeAfter->percent;
    const double after = rows_[k].gradeAfter->percent;
    const double omega = after - before;
    rows_[k].omega = omega;
    const ProfilePoint& p = points_[k];
    if (!(std::fabs(omega) > kNoBreak) || !(p.radius > 0)) continue;

    VerticalCurve c;
    c.kind = omega < 0 ? CurveKind::Crest : CurveKind::Sag;
    c.radius = p.radius;
    c.tangent = p.radius * std::fabs(omega) / 200;
    c.length = 2 * c.tangent;
    c.external = c.tangent * c.tangent / (2 * p.radius);
    c.startStation = p.station - c.tangent;
    c.startElevation = p.elevation - before / 100 * c.tangent;
    c.endStation = p.station + c.tangent;
    c.endElevation = p.elevation + after / 100 * c.tangent;
    // The grade changes linearly from i₁ to i₂ along the curve; it is zero
    // R·|i₁|/100 from the start when the two grades differ in sign.
    const bool turns =
        c.kind == CurveKind::Crest ? before >= 0 && after <= 0 : before <= 0 && after >= 0;
    if (turns) {
      const double x = p.radius * std::fabs(before) / 100;
      const double sign = c.kind == CurveKind::Crest ? -1 : 1;
      c.turnStation = c.startStation + x;
      c.turnElevation = c.startElevation + before / 100 * x + sign * x * x / (2 * p.radius);
    }
    rows_[k].curve = c;
  }
}

void Profile::buildElements() {
  const std::size_t n = points_.size();
  const auto tangentAt = [&](std::size_t k) {
    return rows_[k].curve ? rows_[k].curve->tangent : 0.0;
  };
  std::vector<Piece> pieces;
  std::vector<Range> spills;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    const double from = points_[k].station;
    const double to = points_[k + 1].station;
    const double length = to - from;
    const double a = tangentAt(k);      // the curve at k, on its far side
    const double b = tangentAt(k + 1);  // the curve at k+1, on its near side
    if (a + b <= length + kTouchTolerance) {
      // Curves that touch within the tolerance meet at the point that
      // shares the shortfall between them.
      const double split = a + b <= length ? 0 : a / (a + b) * length;
      const double p = a + b <= length ? from + a : from + split;
      const double q = a + b <= length ? to - b : from + split;
      addPiece(pieces, {from, p, ElementKind::Curve, k});
      addPiece(pieces, {p, q, ElementKind::Grade, k});
      addPiece(pieces, {q, to, ElementKind::Curve, k + 1});
      continue;
    }
    overfull_.push_back({k, a + b});
    const double nearEnd = std::min(to, from + a);   // where the curve at k stops claiming
    const double farStart = std::max(from, to - b);  // where the curve at k+1 starts
    addPiece(pieces, {from, farStart, ElementKind::Curve, k});
    addPiece(pieces, {farStart, nearEnd, ElementKind::Overlap, k});
    addPiece(pieces, {std::max(farStart, nearEnd), to, ElementKind::Curve, k + 1});
    if (a > length) spills.push_back({to, from + a});
    if (b > length) spills.push_back({to - b, from});
  }

  for (const Piece& piece : withOverlaps(pieces, std::move(spills))) {
    elements_.push_back({piece.start, piece.kind, piece.row});
    elementStarts_.push_back(piece.start);
    const ProfilePoint& p = points_[piece.row];
    if (piece.kind == ElementKind::Grade) {
      const double g = rows_[piece.row].gradeAfter->percent;
      spans_.push_back({p.station, p.elevation, g / 100, 0, g});
    } else if (piece.kind == ElementKind::Curve) {
      const VerticalCurve& c = *rows_[piece.row].curve;
      const double g = rows_[piece.row - 1].gradeAfter->percent;
      const double sign = c.kind == CurveKind::Crest ? -1 : 1;
      spans_.push_back({c.startStation, c.startElevation, g / 100, sign / (2 * c.radius), g});
    } else {
      constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
      spans_.push_back({kNaN, kNaN, kNaN, kNaN, kNaN});
    }
  }
}

double Profile::startStation() const { return points_.empty() ? 0 : points_.front().station; }
double Profile::endStation() const { return points_.empty() ? 0 : points_.back().station; }

bool Profile::contains(double station) const {
  return usable() && station >= startStation() && station <= endStation();
}

StationLookup Profile::lookup(double station) const {
  StationLookup result;
  if (!usable()) return result;
  if (!(station >= startStation() && station <= endStation())) {
    result.status = LookupStatus::OutsideProfile;
    return result;
  }
  // The last element starting at or before the station, halving without a
  // branch to mispredict: the compiler makes the choice a conditional move.
  const double* first = elementStarts_.data();
  for (std::size_t n = elementStarts_.size(); n > 1;) {
    const std::size_t half = n / 2;
    first = first[half] <= station ? first + half : first;
    n -= half;
  }
  const auto index = static_cast<std::size_t>(first - elementStarts_.data());
  const Element& element = elements_[index];
  result.kind = element.kind;
  result.row = element.row;
  if (element.kind == ElementKind::Overlap) {
    result.status = LookupStatus::InOverlap;
    return result;
  }
  const Span& span = spans_[index];
  const double x = station - span.origin;
  result.elevation = span.a + (span.slope + span.c * x) * x;
  result.grade = span.percent + 200 * span.c * x;
  result.status = LookupStatus::Ok;
  return result;
}

std::optional<double> Profile::elevationAt(double station) const {
  const StationLookup found = lookup(station);
  return found.ok() ? std::optional(found.elevation) : std::nullopt;
}

std::optional<double> Profile::gradeAt(double station) const {
  const StationLookup found = lookup(station);
  return found.ok() ? std::optional(found.grade) : std::nullopt;
}

std::vector<KeyPoint> Profile::keyPoints() const {
  std::vector<KeyPoint> keys;
  if (!usable()) return keys;
  const std::size_t last = points_.size() - 1;
  keys.push_back({startStation(), KeyPointKind::Start, 0});
  for (std::size_t k = 1; k < last; ++k) {
    if (const auto& c = rows_[k].curve; c && c->startStation > startStation()) {
      keys.push_back({c->startStation, KeyPointKind::CurveStart, k});
    }
    keys.push_back({points_[k].station, KeyPointKind::Pvi, k});
    if (const auto& c = rows_[k].curve; c && c->endStation < endStation()) {
      keys.push_back({c->endStation, KeyPointKind::CurveEnd, k});
    }
  }
  keys.push_back({endStation(), KeyPointKind::End, last});
  // Overlapping curves put one curve's start before another's end.
  std::stable_sort(keys.begin(), keys.end(),
                   [](const KeyPoint& a, const KeyPoint& b) { return a.station < b.station; });
  return keys;
}

}  // namespace vcurve::profile
