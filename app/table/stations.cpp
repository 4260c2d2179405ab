#include "app/table/stations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/table/message_text.h"
#include "checks/field_checks.h"
#include "core/numeric_text.h"

namespace vcurve::table {
namespace {

constexpr int kMaximumScale = 9;  // a nanometre
constexpr std::int64_t kExactInDouble = std::int64_t{1} << 53;

constexpr std::array<std::int64_t, 19> kPowersOfTen = [] {
  std::array<std::int64_t, 19> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

std::optional<double> printedAndReadBack(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return NumberFromText(TextFromNumber(value));
}

// A plain number's text as digits × 10^exponent, without leading or
// trailing zeros in digits ("5030.250" is 503025 × 10^-2; "0" has no digits).
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;
};

DecimalDigits decimalDigits(std::string_view field) {
  const NumberSyntax number = ScanNumber(field);
  DecimalDigits d;
  d.negative = number.negative;
  d.digits.append(number.whole).append(number.fraction);
  d.digits.erase(0, std::min(d.digits.find_first_not_of('0'), d.digits.size()));
  d.exponent = number.exponent - static_cast<std::int64_t>(number.fraction.size());
  while (!d.digits.empty() && d.digits.back() == '0') {
    d.digits.pop_back();
    ++d.exponent;
  }
  return d;
}

// Units of 10^-scale; nullopt when that is not a whole number of units or
// not below 10^18 units, where differences and sums of three of them still
// fit 64 bits.
std::optional<std::int64_t> unitsAt(const DecimalDigits& d, int scale) {
  if (d.digits.empty()) return 0;
  const std::int64_t shift = d.exponent + scale;
  if (shift < 0 || static_cast<std::int64_t>(d.digits.size()) + shift > 18) return std::nullopt;
  std::int64_t units = 0;
  for (const char c : d.digits) units = units * 10 + (c - '0');
  units *= kPowersOfTen[static_cast<std::size_t>(shift)];
  return d.negative ? -units : units;
}

std::string rangeText(const CurveEnds& ends) {
  return "（曲线起点 " + TextFromNumber(ends.start) + " 至终点 " + TextFromNumber(ends.end) + "）";
}

void requireOnCurve(const OptionValue& station, const CurveEnds& ends) {
  if (station.number < ends.start - ends.slack || station.number > ends.end + ends.slack) {
    throw UsageError("选项 " + station.option + " 的值" + quoted(station.given) + "不在曲线上" +
                     rangeText(ends));
  }
}

std::string tooMany(std::int64_t count) {
  return "使桩号数（" + std::to_string(count) + "）超过上限 " +
         std::to_string(static_cast<std::int64_t>(kMaximumStations));
}

}  // namespace

SteppedStations steppedRange(const StationRange& range, std::size_t alreadyListed) {
  if (range.to.number < range.from.number) {
    throw UsageError("选项 --to 的值" + quoted(range.to.given) + "小于 --from 的值" +
                     quoted(range.from.given));
  }
  const std::array<const OptionValue*, 3> values{&range.from, &range.to, &range.step};
  std::array<DecimalDigits, 3> decimals;
  int scale = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    decimals[i] = decimalDigits(values[i]->field);
    if (!decimals[i].digits.empty() && decimals[i].exponent < -kMaximumScale) {
      throw UsageError("选项 " + values[i]->option + " 的值" + quoted(values[i]->given) +
                       "小数位太多（最多 " + std::to_string(kMaximumScale) + " 位）");
    }
    if (!decimals[i].digits.empty()) {
      scale = std::max(scale, static_cast<int>(-std::min<std::int64_t>(decimals[i].exponent, 0)));
    }
  }
  std::array<std::int64_t, 3> units{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto u = unitsAt(decimals[i], scale);
    if (!u) {
      throw UsageError("选项 " + values[i]->option + " 的值" + quoted(values[i]->given) +
                       "太大，无法按步长精确排出桩号");
    }
    units[i] = *u;
  }

  const std::int64_t count = (units[1] - units[0]) / units[2] + 1;
  // Far from 0 doubles lie further apart than a fine step: neighbouring
  // stations would read as one number and the table would list fewer rows
  // than asked. A step wider than the spacing of doubles at the range's far
  // end keeps every station its own double.
  const double farthest = std::max(std::fabs(range.from.number), std::fabs(range.to.number));
  const double resolution = std::nextafter(farthest, HUGE_VAL) - farthest;
  if (count > 1 && !(range.step.number > resolution)) {
    throw UsageError("选项 --step 的值" + quoted(range.step.given) +
                     "不大于桩号在此范围内的数值分辨率 " + TextFromNumber(resolution) +
                     "，相邻桩号无法区分");
  }
  if (count + static_cast<std::int64_t>(alreadyListed) >
      static_cast<std::int64_t>(kMaximumStations)) {
    throw UsageError("选项 --step 的值" + quoted(range.step.given) +
                     tooMany(count + static_cast<std::int64_t>(alreadyListed)));
  }
  return {units[0], units[2], count, scale};
}

namespace {

// Every multiple of the interval strictly between the ends; the ends
// themselves are listed on their own.
std::optional<SteppedStations> intervalStations(const CurveEnds& ends, const OptionValue& tangent) {
  if (!(std::fabs(ends.start) < kExactInDouble && std::fabs(ends.end) < kExactInDouble)) {
    return std::nullopt;  // no two stations 20 m apart differ there in a double anyway
  }
  auto first = static_cast<std::int64_t>(std::ceil(ends.start / kDefaultInterval));
  auto last = static_cast<std::int64_t>(std::floor(ends.end / kDefaultInterval));
  // The divisions round; the stations themselves are compared exactly.
  const auto at = [](std::int64_t k) { return static_cast<double>(k) * kDefaultInterval; };
  while (at(first) <= ends.start) ++first;
  while (at(last) >= ends.end) --last;
  if (last < first) return std::nullopt;
  const std::int64_t count = last - first + 1;
  if (count + 3 > static_cast<std::int64_t>(kMaximumStations)) {
    throw UsageError("选项 --tangent 的值" + quoted(tangent.given) + "按每 20 m 一点" +
                     tooMany(count + 3) + "；请用 --at 或 --from/--to/--step 指定桩号");
  }
  const auto interval = static_cast<std::int64_t>(kDefaultInterval);
  return SteppedStations{first * interval, interval, count, 0};
}

}  // namespace

std::optional<CurveEnds> curveEnds(double P, double L) {
  const auto start = printedAndReadBack(P - L);
  const auto end = printedAndReadBack(P + L);
  if (!start || !end) return std::nullopt;
  return CurveEnds{*start, *end, StationSlack(P, L)};
}

double steppedStation(const SteppedStations& stepped, std::int64_t i) {
  const std::int64_t units = stepped.first + i * stepped.step;
  // Below 2^53 units both the units and the power of ten are exact doubles,
  // and one division rounds the decimal correctly, as reading its text does.
  if (units > -kExactInDouble && units < kExactInDouble) {
    return static_cast<double>(units) /
           static_cast<double>(kPowersOfTen[static_cast<std::size_t>(stepped.scale)]);
  }
  const std::int64_t power = kPowersOfTen[static_cast<std::size_t>(stepped.scale)];
  std::string text = units < 0 ? "-" : "";
  const std::int64_t magnitude = units < 0 ? -units : units;
  text += std::to_string(magnitude / power);
  if (stepped.scale > 0) {
    const std::string decimals = std::to_string(magnitude % power);
    text += '.' + std::string(static_cast<std::size_t>(stepped.scale) - decimals.size(), '0') +
            decimals;
  }
  return *NumberFromText(text);
}

StationPlan planStations(const TableRequest& request) {
  const auto ends = curveEnds(request.pvi.number, request.tangent.number);
  if (!ends) {
    throw UsageError("选项 --pvi 的值" + quoted(request.pvi.given) + "与 --tangent 的值" +
                     quoted(request.tangent.given) + "使曲线起终点超出数值范围");
  }

  StationPlan plan;
  if (request.at.size() > kMaximumStations) {
    throw UsageError("选项 --at 给出的桩号数（" +
                     std::to_string(static_cast<std::int64_t>(request.at.size())) + "）超过上限 " +
                     std::to_string(static_cast<std::int64_t>(kMaximumStations)));
  }
  for (const OptionValue& at : request.at) {
    requireOnCurve(at, *ends);
    plan.listed.push_back(at.number);
  }
  if (request.range) {
    requireOnCurve(request.range->from, *ends);
    requireOnCurve(request.range->to, *ends);
    plan.stepped = steppedRange(*request.range, plan.listed.size());
  }
  if (request.at.empty() && !request.range) {
    plan.listed = {ends->start, request.pvi.number, ends->end};
    plan.stepped = intervalStations(*ends, request.tangent);
  }

  std::sort(plan.listed.begin(), plan.listed.end());
  plan.listed.erase(std::unique(plan.listed.begin(), plan.listed.end()), plan.listed.end());
  return plan;
}

}  // namespace vcurve::table
