#pragma once

// Rows of the stake table as text that Excel pastes into cells: tab
// between cells, a line per row, every cell exactly as the table shows it.

#include <QString>
#include <cstddef>
#include <utility>
#include <vector>

#include "profile/stake_table.h"

namespace vcurve::profileui {

// Ranges of rows, first to last inclusive, in any order and overlapping;
// each row is written once, in table order.
QString stakeRowsText(const profile::StakeTable& table,
                      std::vector<std::pair<std::size_t, std::size_t>> ranges);

}  // namespace vcurve::profileui
