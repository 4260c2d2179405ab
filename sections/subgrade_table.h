#pragma once

// The 路基设计表: at every station of the stake table, the ground, the
// design elevation, the fill or cut at the centre stake, the subgrade's
// width each side (widening included), the edges' heights above the design
// elevation (or their elevations) and the cross slopes. Rows are computed
// when asked for, like the stake table's.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "profile/sheets.h"
#include "profile/stake_table.h"
#include "sections/cross_section.h"

namespace vcurve::sections {

// What the edge columns hold.
enum class EdgeValues { Heights, Elevations };

enum class SubgradeColumn {
  Station,
  Ground,
  Design,
  Fill,
  Cut,
  LeftWidth,
  RightWidth,
  LeftShoulder,
  LeftCarriageway,
  Centre,
  RightCarriageway,
  RightShoulder,
  LeftSlope,
  RightSlope,
  Note,
};
inline constexpr std::size_t kSubgradeColumns = 15;

struct SubgradeRow {
  profile::StakeRow stake;
  std::optional<CrossSection> section;  // none without a template or a design elevation
  std::optional<double> fill, cut;      // at the centre stake
};

class SubgradeTable {
 public:
  // Both must outlive the table.
  SubgradeTable(const profile::StakeTable& stakes, const Sections& sections,
                EdgeValues values = EdgeValues::Heights)
      : stakes_(stakes), sections_(sections), values_(values) {}

  std::size_t size() const { return stakes_.size(); }
  SubgradeRow row(std::size_t i) const;
  std::string note(std::size_t i) const;
  std::string cellText(const SubgradeRow& row, SubgradeColumn column) const;
  // The number a cell shows, unrounded; none where the cell is empty or text.
  std::optional<double> value(const SubgradeRow& row, SubgradeColumn column) const;
  std::string_view columnTitle(SubgradeColumn column) const;
  EdgeValues values() const { return values_; }
  const profile::StakeTable& stakes() const { return stakes_; }

 private:
  const profile::StakeTable& stakes_;
  const Sections& sections_;
  EdgeValues values_;
};

// A block of text at a time, with CR LF, as the stake table's; with a BOM
// unless it goes where the caller writes one.
void writeSubgradeCsv(const SubgradeTable& table, const std::function<void(std::string_view)>& sink,
                      bool bom = true);

profile::Sheet subgradeSheet(const SubgradeTable& table, std::string title = {});

// The stake table's optional edge columns: the left and right subgrade
// edges' elevations at a row, none where no section holds.
using EdgeElevations = profile::EdgeElevations;
EdgeElevations edgeElevations(const Sections& sections, const profile::StakeRow& row);
// The same for the stake table's files and pages; sections may be null.
profile::StakeEdges stakeEdges(std::shared_ptr<const Sections> sections);

}  // namespace vcurve::sections
