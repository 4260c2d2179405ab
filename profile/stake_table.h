#pragma once

// The 逐桩高程表: a row at every whole multiple of the interval, at every
// key point and at every station the user adds, in station order. Only the
// stations' plan is kept; a row's values are computed when it is asked
// for, so a table of millions of rows costs no more memory than its key
// points.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/ground_line.h"
#include "profile/profile.h"

namespace vcurve::profile {

inline constexpr double kDefaultInterval = 20;  // metres
inline constexpr std::size_t kMaximumStakeRows = 100'000'000;

enum class StakeColumn { Station, Design, Ground, Fill, Cut, Grade };
inline constexpr std::size_t kStakeColumns = 6;
std::string_view stakeColumnTitle(StakeColumn column);
// The column every form of the table ends with: what the row is (起点, 变坡点,
// 加桩…), empty on a plain interval stake.
inline constexpr std::string_view kStakeNoteTitle = "备注";

// The two columns after 备注 where the road has cross sections: the left and
// right subgrade edges' elevations, none where no section holds. The
// sections give them; every form of the table shows them under these titles.
struct EdgeElevations {
  std::optional<double> left, right;
};
inline constexpr std::string_view kLeftEdgeTitle = "左路肩高程(m)";
inline constexpr std::string_view kRightEdgeTitle = "右路肩高程(m)";

struct StakeRow {
  double station = 0;  // the true distance
  // The field station as shown, where the profile has equations; the
  // equation itself on its own row ("K1+180.000=K1+200.000 短链 20 m").
  std::string stationText;
  LookupStatus status = LookupStatus::Unusable;
  std::optional<double> design;  // 设计高程
  std::optional<double> ground;  // 地面高程: none without a ground line there
  std::optional<double> fill;    // 填高, design above ground
  std::optional<double> cut;     // 挖深, ground above design
  std::optional<double> grade;   // 纵坡 of the design line, per cent
};

// The edges at a row; empty when the road has no sections, and the table is
// then without their columns.
using StakeEdges = std::function<EdgeElevations(const StakeRow&)>;

// The 备注 of any station: the key points there (keys in station order, as
// Profile::keyPoints() gives them), "" where there are none.
std::string keyPointNote(const std::vector<KeyPoint>& keys, double station);

// One station's row, for the table or for the drawing's hover text.
StakeRow stakeRowAt(const Profile& profile, const GroundLine* ground, double station);

class StakeTable {
 public:
  // The interval must pass intervalProblem(). Added stations outside the
  // profile are left out. ground may be null.
  StakeTable(std::shared_ptr<const Profile> profile, std::shared_ptr<const GroundLine> ground,
             double interval = kDefaultInterval, std::vector<double> addedStations = {});

  // Why an interval cannot be used, in Chinese; empty when it can: it must
  // be a whole number of millimetres, and leave at most kMaximumStakeRows.
  static std::string intervalProblem(double interval, double profileLength);

  std::size_t size() const { return intervalCount_ + extras_.size(); }
  double station(std::size_t row) const;
  StakeRow row(std::size_t row) const;
  // The key points at the row, "竖曲线终点、竖曲线起点", "加桩" for an added one;
  // a point's remark follows its own ("变坡点 垭口").
  std::string note(std::size_t row) const;
  static std::string cellText(const StakeRow& row, StakeColumn column);
  // The first row at or after a station.
  std::size_t rowAtOrAfter(double station) const;

  const Profile& profile() const { return *profile_; }
  // The road's length along its true distance: end − start + Σ长链 − Σ短链.
  double trueLength() const { return profile_->endStation() - profile_->startStation(); }
  bool hasGround() const { return ground_ && !ground_->empty(); }

 private:
  struct Extra {
    double station = 0;
    unsigned kinds = 0;        // bits: 1 << KeyPointKind, kAdded and kEquation
    std::size_t position = 0;  // its row
    std::size_t equation = 0;  // with kEquation
  };
  static constexpr unsigned kAdded = 1U << 5;
  static constexpr unsigned kEquation = 1U << 6;

  // The interval stations of one stretch of numbering between equations:
  // multiples first .. first + count − 1 of the interval, at true distance
  // offset + multiple.
  struct Run {
    std::int64_t first = 0;
    std::int64_t count = 0;
    double offset = 0;
    double low = 0;           // the true distance where the stretch starts
    std::int64_t before = 0;  // interval stations in the runs before
  };
  void planRuns(double start, double end);
  const Run& runAt(double station) const;
  const Extra* extraAt(std::size_t row) const;

  // The interval station with index g, counted over all runs.
  double intervalStation(std::int64_t g) const;
  // The index of the interval station nearest a station.
  std::int64_t nearestInterval(double station) const;
  // How many interval stations lie below a station that is not one of them.
  std::size_t intervalStationsBelow(double station) const;
  unsigned kindsAt(std::size_t row) const;
  // The remark of the point at a station; empty when none is there.
  const std::string& remarkAt(double station) const;

  std::shared_ptr<const Profile> profile_;
  std::shared_ptr<const GroundLine> ground_;
  std::int64_t millimetres_ = 0;  // the interval
  std::vector<Run> runs_;
  std::size_t intervalCount_ = 0;
  std::vector<Extra> extras_;  // ascending, none on an interval station
  // Key points that fall on an interval station: its index and kinds.
  std::vector<std::pair<std::int64_t, unsigned>> onInterval_;
};

}  // namespace vcurve::profile
