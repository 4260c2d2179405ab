#include "profile/profile_point.h"

#include <cmath>

#include "core/full_width.h"
#include "core/numeric_text.h"
#include "core/station_text.h"

namespace vcurve::profile {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string quoted(std::string_view text) { return "“" + printableText(text) + "”"; }

}  // namespace

std::string stationProblem(double station) {
  return std::fabs(station) <= kLargestStation ? std::string()
                                               : "桩号超出范围（绝对值不超过 100000 km）";
}

std::string elevationProblem(double elevation) {
  return std::fabs(elevation) <= kLargestElevation ? std::string()
                                                   : "高程超出范围（绝对值不超过 100 km）";
}

// A GBK file's bytes are not UTF-8, and a message must not carry them into
// a UTF-8 console.
std::string printableText(std::string_view text) {
  constexpr std::size_t kMostShown = 40;
  std::string out;
  std::size_t i = 0;
  while (i < text.size() && out.size() < kMostShown) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
    bool valid = length > 0 && i + length <= text.size() && (c >= 0x20 || c == '\t');
    for (std::size_t k = 1; valid && k < length; ++k) {
      valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    }
    if (valid && c != 0x7F) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += '?';
      ++i;
    }
  }
  if (i < text.size()) out += "…";
  return out;
}

CellReading readCell(InputColumn column, std::string_view typed) {
  const std::string folded = asciiForms(typed);
  const std::string_view text = trimmed(folded);
  if (text.empty()) {
    if (column == InputColumn::Radius) return {0, {}};
    return {0, column == InputColumn::Station ? "缺少桩号" : "缺少高程"};
  }
  std::string field;
  if (column == InputColumn::Station) {
    const auto station = stationFieldText(text);
    if (!station) {
      return {0, quoted(text) + "不是桩号（应写作米数如 5030.25，或里程如 K5+030.25）"};
    }
    field = *station;
  } else if (!isPlainNumber(text)) {
    return {0, quoted(text) + "不是数字"};
  } else {
    field = std::string(text);
  }
  const auto value = NumberFromText(field);
  if (!value) return {0, quoted(text) + "超出数值范围"};
  if (column == InputColumn::Radius && *value < 0) {
    return {0, "竖曲线半径" + quoted(text) + "不能为负（不设竖曲线时填 0 或留空）"};
  }
  return {*value, {}};
}

ProfilePoint pointToInsert(std::span<const ProfilePoint> points, std::size_t at) {
  constexpr double kStep = 100;
  if (points.empty()) return {};
  if (points.size() == 1)
    return {points[0].station + (at == 0 ? -kStep : kStep), points[0].elevation, 0};
  if (at == 0 || at >= points.size()) {
    const ProfilePoint& a = at == 0 ? points[0] : points[points.size() - 2];
    const ProfilePoint& b = at == 0 ? points[1] : points[points.size() - 1];
    const double slope = (b.elevation - a.elevation) / (b.station - a.station);
    const double station = at == 0 ? a.station - kStep : b.station + kStep;
    const ProfilePoint& from = at == 0 ? a : b;
    return {station, from.elevation + slope * (station - from.station), 0};
  }
  const ProfilePoint& a = points[at - 1];
  const ProfilePoint& b = points[at];
  return {(a.station + b.station) / 2, (a.elevation + b.elevation) / 2, 0};
}

std::string rowText(std::size_t row) { return "第 " + std::to_string(row + 1) + " 点"; }

void checkStationAndElevation(std::size_t row, double station, double elevation,
                              std::optional<double> before, std::vector<InputError>& errors) {
  if (const std::string problem = stationProblem(station); !problem.empty()) {
    errors.push_back({row, InputColumn::Station, problem});
  } else if (before && stationProblem(*before).empty() && !(station > *before)) {
    errors.push_back({row, InputColumn::Station,
                      "桩号 " + chainageText(station) + " 不大于上一点的桩号 " +
                          chainageText(*before) + "（桩号须由小到大）"});
  }
  if (const std::string problem = elevationProblem(elevation); !problem.empty()) {
    errors.push_back({row, InputColumn::Elevation, problem});
  }
}

std::vector<InputError> validatePoints(std::span<const ProfilePoint> points) {
  std::vector<InputError> errors;
  if (points.size() < 2) {
    errors.push_back({std::nullopt, std::nullopt, "纵断面至少要有起点和终点两个点"});
    return errors;
  }
  if (points.size() > kMaximumPoints) {
    errors.push_back(
        {std::nullopt, std::nullopt,
         "点数 " + std::to_string(points.size()) + " 超过上限 " + std::to_string(kMaximumPoints)});
    return errors;
  }
  for (std::size_t row = 0; row < points.size(); ++row) {
    const ProfilePoint& p = points[row];
    checkStationAndElevation(row, p.station, p.elevation,
                             row > 0 ? std::optional(points[row - 1].station) : std::nullopt,
                             errors);
    if (!(std::fabs(p.radius) <= kLargestRadius)) {
      errors.push_back({row, InputColumn::Radius, "竖曲线半径超出范围（不超过 1000000 km）"});
    } else if (p.radius < 0) {
      errors.push_back({row, InputColumn::Radius, "竖曲线半径不能为负"});
    } else if (p.radius > 0 && p.radius < kSmallestRadius) {
      errors.push_back(
          {row, InputColumn::Radius, "竖曲线半径太小（至少 1 m；不设竖曲线时填 0 或留空）"});
    }
  }
  return errors;
}

}  // namespace vcurve::profile
