#include "core/station_text.h"

#include <cmath>

#include "core/numeric_text.h"

namespace vcurve {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of digits starting at pos.
std::size_t digitsAt(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && isDigit(text[end])) ++end;
  return end - pos;
}

constexpr std::size_t kMetreDigits = 3;

}  // namespace

bool isPlainNumber(std::string_view text) {
  return !text.empty() && ScanNumber(text).length == text.size();
}

std::optional<std::string> stationFieldText(std::string_view text) {
  if (isPlainNumber(text)) return std::string(text);

  std::size_t pos = 0;
  const bool negative = pos < text.size() && text[pos] == '-';
  if (negative) ++pos;
  if (pos >= text.size() || (text[pos] != 'K' && text[pos] != 'k')) return std::nullopt;
  ++pos;
  const std::size_t kilometres = digitsAt(text, pos);
  if (kilometres == 0) return std::nullopt;
  const std::string_view km = text.substr(pos, kilometres);
  pos += kilometres;
  if (pos >= text.size() || text[pos] != '+') return std::nullopt;
  ++pos;
  if (digitsAt(text, pos) != kMetreDigits) return std::nullopt;
  const std::string_view metres = text.substr(pos);  // with its decimals
  pos += kMetreDigits;
  if (pos < text.size()) {
    if (text[pos] != '.' || digitsAt(text, pos + 1) == 0 ||
        pos + 1 + digitsAt(text, pos + 1) != text.size()) {
      return std::nullopt;
    }
  }
  std::string field = negative ? "-" : "";
  field.append(km);
  field.append(metres);
  return field;
}

std::string chainageText(double station) {
  if (!std::isfinite(station)) return {};
  // Fixed notation with three decimals rounds the exact binary value, ties to
  // even, as the elevations are rounded; it also reaches stations too large
  // for any integer type.
  const std::string digits = FixedText(std::fabs(station), 3);
  const std::string_view fixed(digits);
  const std::size_t point = fixed.size() - 4;
  const std::string_view whole = fixed.substr(0, point);
  const std::string_view decimals = fixed.substr(point);

  // A station that rounds to zero has no side to show.
  const bool negative = station < 0 && fixed.find_first_not_of("0.") != std::string_view::npos;
  std::string text(negative ? "-K" : "K");
  if (whole.size() > kMetreDigits) {
    text.append(whole.substr(0, whole.size() - kMetreDigits));
    text.push_back('+');
    text.append(whole.substr(whole.size() - kMetreDigits));
  } else {
    text.append("0+");
    text.append(kMetreDigits - whole.size(), '0');
    text.append(whole);
  }
  text.append(decimals);
  return text;
}

}  // namespace vcurve
