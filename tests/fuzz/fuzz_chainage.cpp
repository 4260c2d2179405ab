// Arbitrary bytes into the station reader: anything it accepts prints as
// chainage and reads back as the same station to the millimetre.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/full_width.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_point.h"

using namespace vcurve;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view typed(reinterpret_cast<const char*>(bytes), size);
  const profile::CellReading cell = profile::readCell(profile::InputColumn::Station, typed);
  // The cell reader takes what a Chinese input method types in its
  // full-width mode (an ideographic space, ＋, ５) as the ASCII it stands for.
  const std::string folded = asciiForms(typed);
  const std::string_view text = folded;
  const auto field = stationFieldText(text);
  if (!field) {
    // Blanks around a station are the cell reader's own allowance.
    require(!cell.ok() || text.find_first_of(" \t") != std::string_view::npos);
    return 0;
  }
  const auto value = NumberFromText(*field);
  require(value.has_value() == cell.ok() || text.find_first_of(" \t") != std::string_view::npos);
  if (!value || !(std::fabs(*value) < 1e15)) return 0;
  const std::string chainage = chainageText(*value);
  const auto again = stationFieldText(chainage);
  require(again.has_value());
  const auto back = NumberFromText(*again);
  require(back.has_value() && std::fabs(*back - *value) <= 0.0005 + std::fabs(*value) * 1e-15);
  require(chainageText(*back) == chainage);
  return 0;
}
