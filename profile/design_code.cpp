#include "profile/design_code.h"

#include <array>

namespace vcurve::profile {
namespace {

constexpr std::string_view kMotorwayAllowance =
    "设计速度为 120、100、80 km/h 的高速公路受地形条件或其他特殊情况限制时，"
    "经技术经济论证，最大纵坡可增加 1%";
constexpr std::string_view kRebuildAllowance =
    "公路改扩建中设计速度为 40、30、20 km/h 的利用原有公路的路段，"
    "经技术经济论证，最大纵坡可增加 1%";

// JTG D20—2017 公路路线设计规范, by design speed: 竖曲线最小半径和最小长度,
// 最大纵坡, 最短坡长.
constexpr std::array kHighwaySpeeds{
    // speed, crest R, sag R, curve L, max grade, min grade length, allowance
    SpeedLimits{120, {17000, 11000}, {6000, 4000}, {250, 100}, 3, 300, kMotorwayAllowance},
    SpeedLimits{100, {10000, 6500}, {4500, 3000}, {210, 85}, 4, 250, kMotorwayAllowance},
    SpeedLimits{80, {4500, 3000}, {3000, 2000}, {170, 70}, 5, 200, kMotorwayAllowance},
    SpeedLimits{60, {2000, 1400}, {1500, 1000}, {120, 50}, 6, 150, {}},
    SpeedLimits{40, {700, 450}, {700, 450}, {90, 35}, 7, 120, kRebuildAllowance},
    SpeedLimits{30, {400, 250}, {400, 250}, {60, 25}, 8, 100, kRebuildAllowance},
    SpeedLimits{20, {200, 100}, {200, 100}, {50, 20}, 9, 60, kRebuildAllowance},
};

constexpr DesignCode kHighwayCode{"JTG D20—2017", "公路路线设计规范", kHighwaySpeeds, 0.3};

}  // namespace

const SpeedLimits* DesignCode::forSpeed(int speed) const {
  for (const SpeedLimits& limits : speeds) {
    if (limits.speed == speed) return &limits;
  }
  return nullptr;
}

const DesignCode& highwayCode() { return kHighwayCode; }

}  // namespace vcurve::profile
