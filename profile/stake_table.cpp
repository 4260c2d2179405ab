#include "profile/stake_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// Stations closer than this print as the same chainage and share a row.
constexpr double kSameRow = 0.0005;

constexpr std::array<std::string_view, kStakeColumns> kStakeTitles{
    "桩号", "设计高程(m)", "地面高程(m)", "填高(m)", "挖深(m)", "纵坡(%)"};

}  // namespace

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

  {
    // Stations are within kLargestStation: their millimetres fit 64 bits.
    auto first = static_cast<std::int64_t>(std::ceil(start * 1000 / double(millimetres_)));
    while (intervalStation(first) < start) ++first;
    while (intervalStation(first - 1) >= start) --first;
    auto last = static_cast<std::int64_t>(std::floor(end * 1000 / double(millimetres_)));
    while (intervalStation(last) > end) --last;
    while (intervalStation(last + 1) <= end) ++last;
    first_ = first;
    intervalCount_ = last >= first ? static_cast<std::size_t>(last - first + 1) : 0;
  }

  std::vector<std::pair<double, unsigned>> stations;
  for (const KeyPoint& key : profile_->keyPoints()) {
    stations.emplace_back(key.station, 1U << static_cast<unsigned>(key.kind));
  }
  for (const double added : addedStations) {
    if (added >= start && added <= end) stations.emplace_back(added, kAdded);
  }
  std::stable_sort(stations.begin(), stations.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  for (const auto& [station, kinds] : stations) {
    if (intervalCount_ > 0) {
      const auto m =
          std::clamp<std::int64_t>(std::llround(station * 1000 / double(millimetres_)), first_,
                                   first_ + static_cast<std::int64_t>(intervalCount_) - 1);
      if (std::fabs(intervalStation(m) - station) < kSameRow) {
        if (!onInterval_.empty() && onInterval_.back().first == m) {
          onInterval_.back().second |= kinds;
        } else {
          onInterval_.emplace_back(m, kinds);
        }
        continue;
      }
    }
    if (!extras_.empty() && station - extras_.back().station < kSameRow) {
      extras_.back().kinds |= kinds;
      continue;
    }
    extras_.push_back({station, kinds, 0});
  }
  for (std::size_t j = 0; j < extras_.size(); ++j) {
    extras_[j].position = j + intervalStationsBelow(extras_[j].station);
  }
}

double StakeTable::intervalStation(std::int64_t m) const {
  // A whole number of millimetres divided once: the double nearest the
  // decimal, as a typed station would read.
  return double(m * millimetres_) / 1000;
}

std::size_t StakeTable::intervalStationsBelow(double station) const {
  if (intervalCount_ == 0) return 0;
  const auto last = first_ + static_cast<std::int64_t>(intervalCount_) - 1;
  auto m = std::clamp<std::int64_t>(
      static_cast<std::int64_t>(std::floor(station * 1000 / double(millimetres_))), first_ - 1,
      last);
  while (m >= first_ && intervalStation(m) >= station) --m;
  while (m < last && intervalStation(m + 1) < station) ++m;
  return static_cast<std::size_t>(m - first_ + 1);
}

double StakeTable::station(std::size_t row) const {
  const auto after = std::upper_bound(extras_.begin(), extras_.end(), row,
                                      [](std::size_t r, const Extra& e) { return r < e.position; });
  const auto before = static_cast<std::size_t>(after - extras_.begin());
  if (before > 0 && extras_[before - 1].position == row) return extras_[before - 1].station;
  return intervalStation(first_ + static_cast<std::int64_t>(row - before));
}

unsigned StakeTable::kindsAt(std::size_t row) const {
  const auto after = std::upper_bound(extras_.begin(), extras_.end(), row,
                                      [](std::size_t r, const Extra& e) { return r < e.position; });
  const auto before = static_cast<std::size_t>(after - extras_.begin());
  if (before > 0 && extras_[before - 1].position == row) return extras_[before - 1].kinds;
  const std::int64_t m = first_ + static_cast<std::int64_t>(row - before);
  const auto on =
      std::lower_bound(onInterval_.begin(), onInterval_.end(), m,
                       [](const auto& entry, std::int64_t v) { return entry.first < v; });
  return on != onInterval_.end() && on->first == m ? on->second : 0;
}

std::string StakeTable::note(std::size_t row) const {
  const unsigned kinds = kindsAt(row);
  std::string text;
  for (const KeyPointKind kind : {KeyPointKind::Start, KeyPointKind::CurveEnd,
                                  KeyPointKind::CurveStart, KeyPointKind::Pvi, KeyPointKind::End}) {
    if ((kinds & (1U << static_cast<unsigned>(kind))) != 0) {
      if (!text.empty()) text += "、";
      text += keyPointText(kind);
    }
  }
  if ((kinds & kAdded) != 0 && text.empty()) text = "加桩";
  return text;
}

StakeRow StakeTable::row(std::size_t index) const {
  return stakeRowAt(*profile_, ground_.get(), station(index));
}

StakeRow stakeRowAt(const Profile& profile, const GroundLine* ground, double station) {
  StakeRow row;
  row.station = station;
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
      return chainageText(row.station);
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
