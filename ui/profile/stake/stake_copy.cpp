#include "ui/profile/stake/stake_copy.h"

#include <algorithm>

#include "ui/profile/stake/stake_model.h"

namespace vcurve::profileui {

QString stakeRowsText(const profile::StakeTable& table,
                      std::vector<std::pair<std::size_t, std::size_t>> ranges) {
  std::sort(ranges.begin(), ranges.end());
  QString text;
  std::size_t next = 0;  // the first row not yet written
  for (const auto& [first, last] : ranges) {
    for (std::size_t i = std::max(first, next); i <= last && i < table.size(); ++i) {
      const profile::StakeRow row = table.row(i);
      for (int column = 0; column < StakeModel::kColumns; ++column) {
        if (column > 0) text += QLatin1Char('\t');
        text += StakeModel::cellText(table, row, i, column);
      }
      // The clipboard turns this into CR LF where the system wants it.
      text += QLatin1Char('\n');
    }
    next = std::max(next, last + 1);
  }
  return text;
}

}  // namespace vcurve::profileui
