#pragma once

// The 路线纵断面图 as sheets: the road cut into stretches that each fill
// one sheet at the chosen scales, with a little overlap, and each sheet
// drawn as primitives: the frame and title block, the design and ground
// lines above, the band table below. The band's texts are the stake
// table's, so that the drawing and the table cannot disagree.

#include <memory>

#include "profile/ground_line.h"
#include "profile/profile.h"
#include "profile/sheet/sheet_primitives.h"
#include "profile/sheet/sheet_settings.h"
#include "profile/stake_table.h"

namespace vcurve::profile::sheet {

class SheetLayout {
 public:
  // The profile must be usable and the settings pass settingsProblem();
  // std::invalid_argument otherwise. ground may be null.
  SheetLayout(std::shared_ptr<const Profile> profile, std::shared_ptr<const GroundLine> ground,
              SheetSettings settings);

  int count() const { return count_; }
  // The stretch sheet n (from 1) shows.
  double sheetStart(int n) const;
  double sheetEnd(int n) const;
  Sheet sheet(int n) const;

  const StakeTable& stakeTable() const { return *table_; }
  const SheetSettings& settings() const { return settings_; }
  // 1000 / scale: paper millimetres per metre of road, along and up.
  double alongFactor() const { return 1000 / settings_.horizontalScale; }
  double upFactor() const { return 1000 / settings_.verticalScale; }

 private:
  std::shared_ptr<const Profile> profile_;
  std::shared_ptr<const GroundLine> ground_;
  std::shared_ptr<const StakeTable> table_;
  SheetSettings settings_;
  double start_ = 0, end_ = 0;
  double stretch_ = 0, advance_ = 0;
  int count_ = 1;
};

// The text written for a station's 填挖高度: the fill as the stake table
// prints it, or the cut with a minus sign, as sheets show a cut.
std::string fillCutText(const StakeRow& row);

// "H 1:2000 V 1:200", as the sheet and the file's name for its scales.
std::string sheetScaleText(const SheetSettings& settings);

}  // namespace vcurve::profile::sheet
