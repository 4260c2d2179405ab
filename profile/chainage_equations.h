#pragma once

// 断链: where a road's numbering jumps. Everything the engine derives is on
// the true distance along the road (连续里程); every station a person types
// or reads is a field station (现场桩号) in the broken numbering. This is
// the one place that turns one into the other.
//
// The true distance equals the field station before the first equation, so
// a road without equations has the two equal. Past equation i the numbering
// goes on from its ahead station.
//
// A 长链 (back > ahead) makes the field stations from ahead to back occur
// twice. Such a station is written with the occurrence it means, counted
// along the road: "K1+190.000(1)" before the equation, "K1+190.000(2)"
// after it. A 短链 (back < ahead) leaves the stations between back and
// ahead without a place on the road.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vcurve::profile {

struct ChainageEquation {
  double back = 0;   // 前桩号: the numbering that ends here
  double ahead = 0;  // 后桩号: the numbering that goes on
  bool operator==(const ChainageEquation&) const = default;
  bool isLong() const { return back > ahead; }  // 长链
  double length() const { return back > ahead ? back - ahead : ahead - back; }
};

// A field station as typed: the station, and which of its occurrences is
// meant (0 when none was named).
struct FieldStation {
  double station = 0;
  int occurrence = 0;
  // Written as an equation "K1+200=K1+190": station is its back, this its
  // ahead station, and the place is the equation's.
  std::optional<double> ahead;
};

// The text without its occurrence suffix "(2)" or "（2）", and the
// occurrence (0 without a suffix); nullopt for a suffix that is no whole
// number from 1.
std::optional<std::pair<std::string_view, int>> splitOccurrence(std::string_view text);

// "K1+180", "1180.5", "K1+190(2)", "K1+200=K1+190": nullopt for anything
// else.
std::optional<FieldStation> readFieldStation(std::string_view text);

enum class FieldStatus {
  Ok,
  Ambiguous,    // in a 长链's doubled range, no occurrence named
  InGap,        // in a 短链's gap
  NoSuchPlace,  // an occurrence the station does not have
};

struct FieldLookup {
  FieldStatus status = FieldStatus::Ok;
  double distance = 0;  // when Ok
  // How many places the station has, and the first two, ascending.
  int count = 0;
  double first = 0, second = 0;
  std::size_t equation = 0;  // the equation of a gap or a doubled range
  bool ok() const { return status == FieldStatus::Ok; }
};

class ChainageEquations {
 public:
  ChainageEquations() = default;
  // The equations must pass problem(); std::invalid_argument otherwise.
  explicit ChainageEquations(std::vector<ChainageEquation> equations);

  // Why the equations cannot stand in this order, in Chinese; empty when
  // they can: each must change the numbering, and the numbering between
  // two equations must run forward (the next back station above the last
  // ahead station, the next ahead station above the last one).
  static std::string problem(std::span<const ChainageEquation> equations);

  const std::vector<ChainageEquation>& equations() const { return equations_; }
  bool empty() const { return equations_.empty(); }
  std::size_t size() const { return equations_.size(); }
  // The true distance at which equation i lies.
  double distanceOf(std::size_t i) const { return distances_[i]; }
  // The road's numbering change over all equations: Σ长链 − Σ短链.
  double netLength() const;

  // The field station at a true distance; at an equation, its ahead station.
  double field(double distance) const;
  // The stretch of numbering a distance lies in: 0 before the first
  // equation, i + 1 after equation i (the equation itself included).
  std::size_t segmentAt(double distance) const;
  // The true distance of a field station read in segment s's numbering.
  double distanceIn(std::size_t segment, double field) const;

  FieldLookup distance(double field, int occurrence = 0) const;
  FieldLookup distance(const FieldStation& station) const;

  // "K1+190.000", or "K1+190.000(2)" where the station occurs more than
  // once; exactly at an equation, the equation "K1+200.000=K1+190.000".
  std::string text(double at) const;
  // "K1+180.000=K1+200.000"
  std::string equationText(std::size_t i) const;
  // "短链 20 m", "长链 1.594 m"
  std::string kindText(std::size_t i) const;

 private:
  std::vector<ChainageEquation> equations_;
  std::vector<double> distances_;     // of each equation
  std::vector<double> aheads_;        // each equation's ahead, searched alone
  std::vector<double> widestBack_;    // the largest back station up to each equation
  std::vector<std::size_t> buckets_;  // how many aheads lie below each bucket's start
  double bucketWidth_ = 1;
};

// "K1+190.000 在长链 K1+200.000=K1+190.000 的重复段内，是两个点：连续里程
// 1190.000（写作 K1+190.000(1)）与 1200.000（写作 K1+190.000(2)）": why a
// lookup that is not Ok found no single place; empty when it is Ok.
std::string fieldProblem(const ChainageEquations& chainage, double field, const FieldLookup& found);

}  // namespace vcurve::profile
