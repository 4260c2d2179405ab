#pragma once

// Sheets written as a real Excel workbook: numbers as numbers with their
// decimals shown, text as text, a bold header row that stays in view, and
// column widths set.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/sheets.h"

namespace vcurve::profile {

// One sheet holds at most this many rows, its title and header included.
inline constexpr std::size_t kXlsxMaximumRows = 1'048'576;

// Told now and then how many rows of all the sheets are written, of how
// many; returning false stops the writing.
using XlsxProgress = std::function<bool(std::size_t done, std::size_t total)>;
// What writeXlsx returns when the progress stopped it.
inline constexpr std::string_view kXlsxStopped = "已取消";

// Writes the workbook to path (UTF-8). Returns the reason in Chinese when
// it could not, having written nothing usable; empty on success.
std::string writeXlsx(const std::string& path, const std::vector<Sheet>& sheets,
                      const XlsxProgress& progress = {});

}  // namespace vcurve::profile
