#pragma once

// The text a user types for a station counted in whole units of 10^-scale.

#include <cstdint>
#include <string>

namespace vcurve::testing {

// "5030.250" for 5030250 units at scale 3, "-0.05" for -5 at scale 2.
inline std::string decimalText(std::int64_t units, int scale) {
  const std::string digits = std::to_string(units < 0 ? -units : units);
  const auto decimals = static_cast<std::size_t>(scale);
  // Zeros in front leave at least one digit before the point.
  const std::string padded =
      std::string(digits.size() > decimals ? 0 : decimals + 1 - digits.size(), '0') + digits;
  const std::size_t point = padded.size() - decimals;
  std::string text = units < 0 ? "-" : "";
  text.append(padded, 0, point);
  if (decimals > 0) text.append(".").append(padded, point, decimals);
  return text;
}

}  // namespace vcurve::testing
