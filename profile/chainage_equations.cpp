#include "profile/chainage_equations.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/full_width.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_point.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// Two computed distances of one field station closer than this are one
// place: an equation's two readings meet there.
constexpr double kSamePlace = 1e-9;

}  // namespace

std::optional<std::pair<std::string_view, int>> splitOccurrence(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  for (const auto& [open, close] : {std::pair<std::string_view, std::string_view>{"(", ")"},
                                    {"\xEF\xBC\x88", "\xEF\xBC\x89"}}) {
    if (!text.ends_with(close)) continue;
    const std::size_t at = text.rfind(open);
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view digits =
        text.substr(at + open.size(), text.size() - close.size() - at - open.size());
    if (digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
      return std::nullopt;
    }
    const int n = std::stoi(std::string(digits));
    if (n < 1) return std::nullopt;
    return std::pair{text.substr(0, at), n};
  }
  return std::pair{text, 0};
}

std::optional<FieldStation> readFieldStation(std::string_view typed) {
  const std::string folded = asciiForms(typed);
  const std::string_view text = folded;
  if (const std::size_t equals = text.find('='); equals != std::string_view::npos) {
    const auto back = readFieldStation(text.substr(0, equals));
    const auto ahead = readFieldStation(text.substr(equals + 1));
    if (!back || !ahead || back->occurrence != 0 || ahead->occurrence != 0 || ahead->ahead) {
      return std::nullopt;
    }
    return FieldStation{back->station, 0, ahead->station};
  }
  const auto split = splitOccurrence(text);
  if (!split) return std::nullopt;
  const CellReading cell = readCell(InputColumn::Station, split->first);
  if (!cell.ok() || split->first.find_first_not_of(" \t") == std::string_view::npos) {
    return std::nullopt;
  }
  return FieldStation{cell.value, split->second, std::nullopt};
}

std::string ChainageEquations::problem(std::span<const ChainageEquation> equations) {
  for (std::size_t i = 0; i < equations.size(); ++i) {
    const ChainageEquation& e = equations[i];
    const std::string name = "第 " + std::to_string(i + 1) + " 个断链";
    if (!stationProblem(e.back).empty() || !stationProblem(e.ahead).empty()) {
      return name + "的桩号超出范围";
    }
    if (e.back == e.ahead) return name + "的前后桩号相同（" + chainageText(e.back) + "），不是断链";
    if (i == 0) continue;
    const ChainageEquation& before = equations[i - 1];
    if (!(e.back > before.ahead)) {
      return name + "的前桩号 " + chainageText(e.back) + " 不大于上一断链的后桩号 " +
             chainageText(before.ahead) + "（断链须按里程顺序排列）";
    }
    if (!(e.ahead > before.ahead)) {
      return name + "的后桩号 " + chainageText(e.ahead) + " 不大于上一断链的后桩号 " +
             chainageText(before.ahead) + "（长链不能越过上一断链）";
    }
  }
  return {};
}

ChainageEquations::ChainageEquations(std::vector<ChainageEquation> equations)
    : equations_(std::move(equations)) {
  if (const std::string why = problem(equations_); !why.empty()) throw std::invalid_argument(why);
  double widest = -kLargestStation;
  for (std::size_t i = 0; i < equations_.size(); ++i) {
    const ChainageEquation& e = equations_[i];
    distances_.push_back(i == 0 ? e.back : distances_.back() + (e.back - equations_[i - 1].ahead));
    aheads_.push_back(e.ahead);
    widest = std::max(widest, e.back);
    widestBack_.push_back(widest);
  }
  if (!equations_.empty()) {
    const double span = aheads_.back() - aheads_.front();
    const std::size_t count = 4 * equations_.size();
    bucketWidth_ = span > 0 ? span / double(count) : 1;
    std::size_t below = 0;
    for (std::size_t b = 0; b <= count; ++b) {
      const double start = aheads_.front() + double(b) * bucketWidth_;
      while (below < aheads_.size() && aheads_[below] < start) ++below;
      // Aheads equal to the bucket's start are found by the step on.
      buckets_.push_back(below);
    }
  }
}

double ChainageEquations::netLength() const {
  double net = 0;
  for (const ChainageEquation& e : equations_) net += e.back - e.ahead;
  return net;
}

std::size_t ChainageEquations::segmentAt(double distance) const {
  return static_cast<std::size_t>(std::upper_bound(distances_.begin(), distances_.end(), distance) -
                                  distances_.begin());
}

double ChainageEquations::field(double distance) const {
  if (distances_.empty() || distance < distances_.front()) return distance;
  const std::size_t s = segmentAt(distance);
  return aheads_[s - 1] + (distance - distances_[s - 1]);
}

double ChainageEquations::distanceIn(std::size_t segment, double field) const {
  if (segment == 0) return field;
  return distances_[segment - 1] + (field - aheads_[segment - 1]);
}

FieldLookup ChainageEquations::distance(double field, int occurrence) const {
  FieldLookup found;
  if (equations_.empty()) {
    found.count = 1;
    found.first = found.distance = field;
    found.status = occurrence > 1 ? FieldStatus::NoSuchPlace : FieldStatus::Ok;
    return found;
  }
  // Segment s numbers from aheads_[s - 1] (segment 0 from below any
  // station) to equations_[s].back (the last to above any). The aheads
  // ascend, so the last segment starting at or below the field is found by
  // halving; earlier ones hold it only where a 长链 reaches back over it.
  // A bucket of the numbering gives the count of aheads below it; a step or
  // two on finds the rest. Two loads instead of a search's half dozen.
  std::size_t top = 0;
  if (field >= aheads_.front()) {
    const double at = (field - aheads_.front()) / bucketWidth_;
    const std::size_t bucket =
        at < double(buckets_.size() - 1) ? static_cast<std::size_t>(at) : buckets_.size() - 1;
    top = buckets_[bucket];
    while (top < aheads_.size() && aheads_[top] <= field) ++top;
  }
  const std::size_t n = equations_.size();
  const auto holds = [&](std::size_t s) { return s == n || field <= equations_[s].back; };
  // The places in descending order of distance.
  double places[2] = {0, 0};
  std::size_t lowest = top;
  const auto visit = [&](std::size_t s) {
    const double d = distanceIn(s, field);
    if (found.count > 0 && std::fabs(places[0] - d) <= kSamePlace) return;
    places[1] = places[0];
    places[0] = d;
    ++found.count;
    lowest = s;
  };
  if (holds(top)) visit(top);
  for (std::size_t s = top; s > 0 && widestBack_[s - 1] >= field;) {
    --s;
    if (holds(s)) visit(s);
  }
  if (found.count == 0) {
    found.status = FieldStatus::InGap;
    found.equation = std::min(top, n - 1);
    return found;
  }
  found.first = places[0];
  found.second = found.count >= 2 ? places[1] : 0;
  found.equation = lowest < n ? lowest : n - 1;
  if (occurrence == 0 && found.count == 1) occurrence = 1;
  if (occurrence == 0) {
    found.status = FieldStatus::Ambiguous;
  } else if (occurrence > found.count) {
    found.status = FieldStatus::NoSuchPlace;
  } else if (occurrence <= 2) {
    found.distance = occurrence == 1 ? found.first : found.second;
  } else {
    // A third reading exists only under 长链 stacked over one another.
    int k = 0;
    for (std::size_t s = 0; s <= n; ++s) {
      if ((s == 0 || aheads_[s - 1] <= field) && holds(s) && ++k == occurrence) {
        found.distance = distanceIn(s, field);
      }
    }
  }
  return found;
}

FieldLookup ChainageEquations::distance(const FieldStation& station) const {
  if (!station.ahead) return distance(station.station, station.occurrence);
  FieldLookup found;
  found.status = FieldStatus::NoSuchPlace;
  for (std::size_t i = 0; i < equations_.size(); ++i) {
    if (equations_[i].back == station.station && equations_[i].ahead == *station.ahead) {
      found.status = FieldStatus::Ok;
      found.count = 1;
      found.first = found.distance = distances_[i];
    }
  }
  return found;
}

std::string ChainageEquations::text(double at) const {
  const double f = field(at);
  std::string text = chainageText(f);
  if (equations_.empty()) return text;
  if (const std::size_t s = segmentAt(at); s > 0 && at == distances_[s - 1]) {
    return equationText(s - 1);
  }
  const FieldLookup places = distance(f);
  if (places.count < 2) return text;
  const std::size_t own = segmentAt(at);
  int occurrence = 0;
  for (std::size_t s = 0; s <= own; ++s) {
    const bool starts = s == 0 || aheads_[s - 1] <= f;
    const bool holds = s == equations_.size() || f <= equations_[s].back;
    if (starts && holds) ++occurrence;
  }
  return text + "(" + std::to_string(std::max(occurrence, 1)) + ")";
}

std::string ChainageEquations::equationText(std::size_t i) const {
  return chainageText(equations_[i].back) + "=" + chainageText(equations_[i].ahead);
}

std::string ChainageEquations::kindText(std::size_t i) const {
  const ChainageEquation& e = equations_[i];
  return std::string(e.isLong() ? "长链 " : "短链 ") +
         TextFromNumber(RoundToPlaces(e.length(), 3)) + " m";
}

std::string fieldProblem(const ChainageEquations& chainage, double field,
                         const FieldLookup& found) {
  const std::string station = "桩号 " + chainageText(field);
  switch (found.status) {
    case FieldStatus::Ok:
      return {};
    case FieldStatus::InGap:
      return station + " 在短链 " + chainage.equationText(found.equation) +
             " 跳过的一段内，路上没有这个桩号";
    case FieldStatus::NoSuchPlace:
      if (found.count == 0) return station + " 处没有这样的断链";
      return station + " 在路上只有 " + std::to_string(found.count) + " 处";
    case FieldStatus::Ambiguous:
      break;
  }
  const std::string written = chainageText(field);
  std::string text = station + " 在长链 " + chainage.equationText(found.equation) +
                     " 的重复段内，是 " + std::to_string(found.count) + " 个点：连续里程 " +
                     fixed3(found.first) + "（写作 " + written + "(1)）与 " + fixed3(found.second) +
                     "（写作 " + written + "(2)）";
  if (found.count > 2) text += " 等";
  return text;
}

}  // namespace vcurve::profile
