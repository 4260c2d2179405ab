#include "profile/stake_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <tuple>

#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// Stations closer than this print as the same chainage and share a row.
constexpr double kSameRow = 0.0005;

constexpr std::array<std::string_view, kStakeColumns> kStakeTitles{
    "桩号", "设计高程(m)", "地面高程(m)", "填高(m)", "挖深(m)", "纵坡(%)"};

// The key points among the bits 1 << KeyPointKind, in road order: where a
// curve ends and the next begins, the end comes first.
std::string keyPointsText(unsigned kinds) {
  std::string text;
  for (const KeyPointKind kind : {KeyPointKind::Start, KeyPointKind::CurveEnd,
                                  KeyPointKind::CurveStart, KeyPointKind::Pvi, KeyPointKind::End}) {
    if ((kinds & (1U << static_cast<unsigned>(kind))) != 0) {
      if (!text.empty()) text += "、";
      text += keyPointText(kind);
    }
  }
  return text;
}

}  // namespace

std::string keyPointNote(const std::vector<KeyPoint>& keys, double station) {
  const auto first =
      std::lower_bound(keys.begin(), keys.end(), station - kSameRow,
                       [](const KeyPoint& key, double at) { return key.station <= at; });
  unsigned kinds = 0;
  for (auto key = first; key != keys.end() && key->station - station < kSameRow; ++key) {
    kinds |= 1U << static_cast<unsigned>(key->kind);
  }
  return keyPointsText(kinds);
}

std::string_view stakeColumnTitle(StakeColumn column) {
  return kStakeTitles[static_cast<std::size_t>(column)];
}

std::string StakeTable::intervalProblem(double interval, double profileLength) {
  if (!(interval >= 0.001) || !(interval <= kLargestStation)) {
    return "桩距须在 0.001 m 与 " + TextFromNumber(kLargestStation) + " m 之间";
  }
  const double millimetres = interval * 1000;
  if (std::fabs(millimetres - std::nearbyint(millimetres)) > 1e-6) {
    return "桩距须是整毫米数（最多三位小数）";
  }
  if (std::isfinite(profileLength) && profileLength / interval > double(kMaximumStakeRows)) {
    return "桩距太小，桩号数超过上限 " + std::to_string(kMaximumStakeRows);
  }
  return {};
}

StakeTable::StakeTable(std::shared_ptr<const Profile> profile,
                       std::shared_ptr<const GroundLine> ground, double interval,
                       std::vector<double> addedStations)
    : profile_(std::move(profile)), ground_(std::move(ground)) {
  if (!profile_) throw std::invalid_argument("no profile");
  const double start = profile_->startStation();
  const double end = profile_->endStation();
  if (const std::string problem = intervalProblem(interval, end - start); !problem.empty()) {
    throw std::invalid_argument(problem);
  }
  if (!profile_->usable()) return;
  millimetres_ = std::llround(interval * 1000);
  planRuns(start, end);

  std::vector<std::tuple<double, unsigned, std::size_t>> stations;
  const ChainageEquations& chainage = profile_->chainage();
  for (std::size_t i = 0; i < chainage.size(); ++i) {
    const double at = chainage.distanceOf(i);
    // At the very start or end the numbering that changes has no stake.
    if (at > start && at < end) stations.emplace_back(at, kEquation, i);
  }
  for (const KeyPoint& key : profile_->keyPoints()) {
    stations.emplace_back(key.station, 1U << static_cast<unsigned>(key.kind), 0);
  }
  for (const double added : addedStations) {
    if (added >= start && added <= end) stations.emplace_back(added, kAdded, 0);
  }
  std::stable_sort(stations.begin(), stations.end(),
                   [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });

  for (const auto& [station, kinds, equation] : stations) {
    // An equation's row is its own, whatever interval station lies near.
    if (intervalCount_ > 0 && kinds != kEquation) {
      const std::int64_t g = nearestInterval(station);
      if (std::fabs(intervalStation(g) - station) < kSameRow) {
        if (!onInterval_.empty() && onInterval_.back().first == g) {
          onInterval_.back().second |= kinds;
        } else {
          onInterval_.emplace_back(g, kinds);
        }
        continue;
      }
    }
    if (!extras_.empty() && station - extras_.back().station < kSameRow) {
      extras_.back().kinds |= kinds;
      if (kinds == kEquation) extras_.back().equation = equation;
      continue;
    }
    extras_.push_back({station, kinds, 0, equation});
  }
  for (std::size_t j = 0; j < extras_.size(); ++j) {
    extras_[j].position = j + intervalStationsBelow(extras_[j].station);
  }
}

void StakeTable::planRuns(double start, double end) {
  const ChainageEquations& chainage = profile_->chainage();
  const std::size_t firstSegment = chainage.segmentAt(start);
  const std::size_t lastSegment = chainage.segmentAt(end);
  const auto at = [this](std::int64_t m) { return double(m * millimetres_) / 1000; };
  std::int64_t before = 0;
  for (std::size_t s = firstSegment; s <= lastSegment; ++s) {
    Run run;
    run.offset = s == 0 ? 0 : chainage.distanceOf(s - 1) - chainage.equations()[s - 1].ahead;
    run.low = s == firstSegment ? start : chainage.distanceOf(s - 1);
    const double high = s == lastSegment ? end : chainage.distanceOf(s);
    // Numbering runs from one equation to the next; the equation itself
    // has a row of its own.
    const bool openLow = s != firstSegment;
    const bool openHigh = s != lastSegment;
    const double low = run.low - run.offset;
    const double top = high - run.offset;
    const auto below = [&](std::int64_t m) { return openLow ? at(m) <= low : at(m) < low; };
    const auto above = [&](std::int64_t m) { return openHigh ? at(m) >= top : at(m) > top; };
    // Stations are within kLargestStation: their millimetres fit 64 bits.
    auto first = static_cast<std::int64_t>(std::ceil(low * 1000 / double(millimetres_)));
    while (below(first)) ++first;
    while (!below(first - 1)) --first;
    auto last = static_cast<std::int64_t>(std::floor(top * 1000 / double(millimetres_)));
    while (above(last)) --last;
    while (!above(last + 1)) ++last;
    run.first = first;
    run.count = std::max<std::int64_t>(0, last - first + 1);
    run.before = before;
    before += run.count;
    if (run.count > 0) runs_.push_back(run);
  }
  intervalCount_ = static_cast<std::size_t>(before);
}

const StakeTable::Run& StakeTable::runAt(double station) const {
  const auto after = std::upper_bound(runs_.begin(), runs_.end(), station,
                                      [](double v, const Run& r) { return v < r.low; });
  return after == runs_.begin() ? runs_.front() : *(after - 1);
}

double StakeTable::intervalStation(std::int64_t g) const {
  const auto after = std::upper_bound(runs_.begin(), runs_.end(), g,
                                      [](std::int64_t v, const Run& r) { return v < r.before; });
  const Run& run = *(after - 1);
  // A whole number of millimetres divided once: the double nearest the
  // decimal, as a typed station would read.
  const double field = double((run.first + g - run.before) * millimetres_) / 1000;
  return run.offset == 0 ? field : run.offset + field;
}

std::int64_t StakeTable::nearestInterval(double station) const {
  const Run& run = runAt(station);
  const auto m =
      std::clamp<std::int64_t>(std::llround((station - run.offset) * 1000 / double(millimetres_)),
                               run.first, run.first + run.count - 1);
  std::int64_t g = run.before + (m - run.first);
  // Past a run's last station the next run's first may be the nearer.
  if (g + 1 < static_cast<std::int64_t>(intervalCount_) &&
      std::fabs(intervalStation(g + 1) - station) < std::fabs(intervalStation(g) - station)) {
    ++g;
  }
  return g;
}

std::size_t StakeTable::intervalStationsBelow(double station) const {
  if (intervalCount_ == 0) return 0;
  const Run& run = runAt(station);
  const std::int64_t last = run.first + run.count - 1;
  auto m = std::clamp<std::int64_t>(
      static_cast<std::int64_t>(std::floor((station - run.offset) * 1000 / double(millimetres_))),
      run.first - 1, last);
  const auto at = [&](std::int64_t k) { return intervalStation(run.before + (k - run.first)); };
  while (m >= run.first && at(m) >= station) --m;
  while (m < last && at(m + 1) < station) ++m;
  return static_cast<std::size_t>(run.before + (m - run.first + 1));
}

const StakeTable::Extra* StakeTable::extraAt(std::size_t row) const {
  const auto after = std::upper_bound(extras_.begin(), extras_.end(), row,
                                      [](std::size_t r, const Extra& e) { return r < e.position; });
  if (after == extras_.begin() || (after - 1)->position != row) return nullptr;
  return &*(after - 1);
}

double StakeTable::station(std::size_t row) const {
  const auto after = std::upper_bound(extras_.begin(), extras_.end(), row,
                                      [](std::size_t r, const Extra& e) { return r < e.position; });
  const auto before = static_cast<std::size_t>(after - extras_.begin());
  if (before > 0 && extras_[before - 1].position == row) return extras_[before - 1].station;
  return intervalStation(static_cast<std::int64_t>(row - before));
}

unsigned StakeTable::kindsAt(std::size_t row) const {
  const auto after = std::upper_bound(extras_.begin(), extras_.end(), row,
                                      [](std::size_t r, const Extra& e) { return r < e.position; });
  const auto before = static_cast<std::size_t>(after - extras_.begin());
  if (before > 0 && extras_[before - 1].position == row) return extras_[before - 1].kinds;
  const auto g = static_cast<std::int64_t>(row - before);
  const auto on =
      std::lower_bound(onInterval_.begin(), onInterval_.end(), g,
                       [](const auto& entry, std::int64_t v) { return entry.first < v; });
  return on != onInterval_.end() && on->first == g ? on->second : 0;
}

std::string StakeTable::note(std::size_t row) const {
  const unsigned kinds = kindsAt(row);
  std::string text = keyPointsText(kinds);
  if ((kinds & kAdded) != 0 && text.empty()) text = "加桩";
  if ((kinds & kEquation) != 0) text = text.empty() ? "断链" : "断链、" + text;
  return text;
}

StakeRow StakeTable::row(std::size_t index) const {
  StakeRow row = stakeRowAt(*profile_, ground_.get(), station(index));
  if (const Extra* extra = extraAt(index); extra && (extra->kinds & kEquation) != 0) {
    const ChainageEquations& chainage = profile_->chainage();
    row.stationText =
        chainage.equationText(extra->equation) + " " + chainage.kindText(extra->equation);
  }
  return row;
}

StakeRow stakeRowAt(const Profile& profile, const GroundLine* ground, double station) {
  StakeRow row;
  row.station = station;
  if (!profile.chainage().empty()) row.stationText = profile.stationText(station);
  const StationLookup found = profile.lookup(row.station);
  row.status = found.status;
  if (found.ok()) {
    row.design = found.elevation;
    row.grade = found.grade;
  }
  if (ground) row.ground = ground->elevationAt(row.station);
  if (row.design && row.ground) {
    // From the printed values, so that 填高 and 挖深 are what subtracting
    // the two printed elevations gives.
    const double difference =
        RoundToPlaces(RoundToPlaces(*row.design, 3) - RoundToPlaces(*row.ground, 3), 3);
    if (difference >= 0) {
      row.fill = difference;
    } else {
      row.cut = -difference;
    }
  }
  return row;
}

std::string StakeTable::cellText(const StakeRow& row, StakeColumn column) {
  const auto optional = [](const std::optional<double>& value) {
    return value ? fixed3(*value) : std::string();
  };
  switch (column) {
    case StakeColumn::Station:
      return row.stationText.empty() ? chainageText(row.station) : row.stationText;
    case StakeColumn::Design:
      return optional(row.design);
    case StakeColumn::Ground:
      return optional(row.ground);
    case StakeColumn::Fill:
      return optional(row.fill);
    case StakeColumn::Cut:
      return optional(row.cut);
    case StakeColumn::Grade:
      break;
  }
  return row.grade ? gradeText(*row.grade) : std::string();
}

std::size_t StakeTable::rowAtOrAfter(double target) const {
  std::size_t low = 0;
  std::size_t high = size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (station(middle) < target) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

}  // namespace vcurve::profile
