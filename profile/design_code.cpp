#include "profile/design_code.h"

#include <algorithm>
#include <array>

namespace vcurve::profile {
namespace {

// ---------------------------------------------------------------------------
// 公路路线设计规范 JTG D20—2017
// ---------------------------------------------------------------------------

// 表 8.2.1 的注.
constexpr std::string_view kMotorwayAllowance =
    "设计速度为 120、100、80 km/h 的高速公路受地形条件或其他特殊情况限制时，"
    "经技术经济论证，最大纵坡可增加 1%";
constexpr std::string_view kRebuildAllowance =
    "公路改扩建中设计速度为 40、30、20 km/h 的利用原有公路的路段，"
    "经技术经济论证，最大纵坡可增加 1%";

// 表 8.3.2 不同纵坡最大坡长 (m), by design speed.
constexpr std::array<GradeLength, 2> kLength120{{{3, 900}, {4, 700}}};
constexpr std::array<GradeLength, 3> kLength100{{{3, 1000}, {4, 800}, {5, 600}}};
constexpr std::array<GradeLength, 4> kLength80{{{3, 1100}, {4, 900}, {5, 700}, {6, 500}}};
constexpr std::array<GradeLength, 4> kLength60{{{3, 1200}, {4, 1000}, {5, 800}, {6, 600}}};
constexpr std::array<GradeLength, 5> kLength40{{{4, 1100}, {5, 900}, {6, 700}, {7, 500}, {8, 300}}};
constexpr std::array<GradeLength, 6> kLength30{
    {{4, 1100}, {5, 900}, {6, 700}, {7, 500}, {8, 300}, {9, 200}}};
constexpr std::array<GradeLength, 7> kLength20{
    {{4, 1200}, {5, 1000}, {6, 800}, {7, 600}, {8, 400}, {9, 300}, {10, 200}}};

// By design speed: 表 8.6.1 竖曲线最小半径和最小长度, 表 8.2.1 最大纵坡,
// 表 8.3.1 最短坡长, 表 8.3.2 最大坡长, 表 8.5.1 最大合成坡度.
constexpr std::array kHighwaySpeeds{
    // speed, crest R, sag R, curve L, max grade, min grade length, allowance
    SpeedLimits{120,
                {17000, 11000},
                {6000, 4000},
                {250, 100},
                3,
                300,
                kMotorwayAllowance,
                0,
                kLength120,
                10},
    SpeedLimits{
        100, {10000, 6500}, {4500, 3000}, {210, 85}, 4, 250, kMotorwayAllowance, 0, kLength100, 10},
    SpeedLimits{
        80, {4500, 3000}, {3000, 2000}, {170, 70}, 5, 200, kMotorwayAllowance, 0, kLength80, 10},
    SpeedLimits{60, {2000, 1400}, {1500, 1000}, {120, 50}, 6, 150, {}, 0, kLength60, 10.5},
    SpeedLimits{
        40, {700, 450}, {700, 450}, {90, 35}, 7, 120, kRebuildAllowance, 0, kLength40, 10.5},
    SpeedLimits{30, {400, 250}, {400, 250}, {60, 25}, 8, 100, kRebuildAllowance, 0, kLength30, 9.5},
    SpeedLimits{20, {200, 100}, {200, 100}, {50, 20}, 9, 60, kRebuildAllowance, 0, kLength20, 9.5},
};

// JTG B01—2014 表 3.6.1 各级公路设计速度; the allowance of 表 8.2.1 belongs to
// 高速公路 and to the rebuilt roads of 三级 and 四级; 第 8.3.4 条 holds the
// 越岭路线 of 二级, 三级 and 四级 to the 平均纵坡; 第 8.2.1 条 keeps 四级公路
// above 2000 m or in icy areas at 8 %.
constexpr std::array kMotorwaySpeeds{120, 100, 80};
constexpr std::array kClass1Speeds{100, 80, 60};
constexpr std::array kClass2Speeds{80, 60};
constexpr std::array kClass3Speeds{40, 30};
constexpr std::array kClass4Speeds{30, 20};
constexpr std::array kHighwayClasses{
    RoadClass{"高速公路", kMotorwaySpeeds, true, false},
    RoadClass{"一级公路", kClass1Speeds, false, false},
    RoadClass{"二级公路", kClass2Speeds, false, true},
    RoadClass{"三级公路", kClass3Speeds, true, true},
    RoadClass{"四级公路", kClass4Speeds, true, true, 8, 2000},
};

constexpr DesignCode kHighwayCode{
    "jtg",
    "JTG D20—2017",
    "公路路线设计规范",
    kHighwaySpeeds,
    0.3,
    kHighwayClasses,
    {
        "JTG D20—2017 表 8.2.1",
        "JTG D20—2017 表 8.2.2",
        "JTG D20—2017 第 8.2.3 条",
        "JTG D20—2017 表 8.3.1",
        "JTG D20—2017 表 8.3.2",
        "JTG D20—2017 第 8.3.4 条",
        "JTG D20—2017 表 8.6.1",
        "JTG B01—2014 表 3.6.1",
        "JTG D20—2017 第 8.2.1 条",
        "JTG D20—2017 表 8.5.1",
        "JTG D20—2017 第 8.5.3 条",
    },
    // 表 8.2.2 高原纵坡折减: 3000–4000 m by 1 %, 4000–5000 m by 2 %, above
    // 5000 m by 3 %; a grade reduced below 4 % stays 4 %.
    3000,
    1000,
    1,
    3,
    4,
    // 第 8.3.3 条: 缓和坡段 of at most 3 %, at least the 最短坡长 long.
    3,
    // 第 8.3.4 条: a rise of 200–500 m at most 5.5 % on average, above 500 m
    // at most 5 %, and any 3 km of it at most 5.5 %.
    {200, 500, 5.5, 5, 3000, 5.5},
    // 表 8.5.1 最大合成坡度 and its note: 8 % in icy areas; 第 8.5.3 条: no
    // less than 0.5 % where drainage needs it.
    8,
    0.5,
};

// ---------------------------------------------------------------------------
// 城市道路工程设计规范 CJJ 37—2012（2016 年版）
// ---------------------------------------------------------------------------

// 第 6.3.1 条 2.
constexpr std::string_view kUrbanAllowance =
    "除快速路外的其他等级道路，受地形条件或其他特殊情况限制时，经技术经济论证后，"
    "最大纵坡极限值可增加 1.0%";

// 表 6.3.4 机动车最大坡长 (m): only for grades above the 一般值 of 表 6.3.1.
constexpr std::array<GradeLength, 1> kUrbanLength100{{{4, 700}}};
constexpr std::array<GradeLength, 1> kUrbanLength80{{{5, 600}}};
constexpr std::array<GradeLength, 3> kUrbanLength60{{{6, 400}, {6.5, 350}, {7, 300}}};
constexpr std::array<GradeLength, 3> kUrbanLength50{{{6, 350}, {6.5, 300}, {7, 250}}};
constexpr std::array<GradeLength, 3> kUrbanLength40{{{6.5, 300}, {7, 250}, {8, 200}}};

// By design speed: 表 6.4.2 竖曲线最小半径与竖曲线最小长度, 表 6.3.1 最大纵坡
// (极限值, then the 一般值 after the allowance), 表 6.3.3 最小坡长, 表 6.3.4,
// 表 6.3.5 最大合成坡度.
// At 100 and 80 km/h the only class is 快速路, which has no allowance.
constexpr std::array kUrbanSpeeds{
    SpeedLimits{100, {10000, 6500}, {4500, 3000}, {210, 85}, 4, 250, {}, 3, kUrbanLength100, 7},
    SpeedLimits{80, {4500, 3000}, {3000, 2000}, {170, 70}, 5, 200, {}, 4, kUrbanLength80, 7},
    SpeedLimits{
        60, {1800, 1200}, {1500, 1000}, {120, 50}, 6, 150, kUrbanAllowance, 5, kUrbanLength60, 6.5},
    SpeedLimits{
        50, {1350, 900}, {1050, 700}, {100, 40}, 6, 130, kUrbanAllowance, 5.5, kUrbanLength50, 6.5},
    SpeedLimits{
        40, {600, 400}, {700, 450}, {90, 35}, 7, 110, kUrbanAllowance, 6, kUrbanLength40, 7},
    SpeedLimits{30, {400, 250}, {400, 250}, {60, 25}, 8, 85, kUrbanAllowance, 7, {}, 7},
    SpeedLimits{20, {150, 100}, {150, 100}, {50, 20}, 8, 60, kUrbanAllowance, 8, {}, 8},
};

// 表 3.2.2 各级道路的设计速度; 第 6.3.1 条 3: in icy or snowy areas 快速路
// at most 3.5 %, the others 6.0 %.
constexpr std::array kExpresswaySpeeds{100, 80, 60};
constexpr std::array kArterialSpeeds{60, 50, 40};
constexpr std::array kSecondarySpeeds{50, 40, 30};
constexpr std::array kBranchSpeeds{40, 30, 20};
constexpr std::array kUrbanClasses{
    RoadClass{"快速路", kExpresswaySpeeds, false, false, 3.5},
    RoadClass{"主干路", kArterialSpeeds, true, false, 6},
    RoadClass{"次干路", kSecondarySpeeds, true, false, 6},
    RoadClass{"支路", kBranchSpeeds, true, false, 6},
};

constexpr DesignCode kUrbanCode{
    "cjj37",
    "CJJ 37—2012",
    "城市道路工程设计规范（2016 年版）",
    kUrbanSpeeds,
    0.3,  // 第 6.3.2 条
    kUrbanClasses,
    {
        "CJJ 37—2012 表 6.3.1",
        "",
        "CJJ 37—2012 第 6.3.2 条",
        "CJJ 37—2012 表 6.3.3",
        "CJJ 37—2012 表 6.3.4",
        "",
        "CJJ 37—2012 表 6.4.2",
        "CJJ 37—2012 表 3.2.2",
        "CJJ 37—2012 第 6.3.1 条",
        "CJJ 37—2012 表 6.3.5",
        "CJJ 37—2012 第 6.3.5 条",
    },
    0,
    0,
    0,
    0,
    0,
    // 第 6.3.4 条: 缓和段 of at most 3 %, at least the 最小坡长 long.
    3,
    {},
    // 表 6.3.5 最大合成坡度 and its clause: 6 % in icy areas, 0.5 % least.
    6,
    0.5,
};

constexpr std::array<const DesignCode*, 2> kCodes{&kHighwayCode, &kUrbanCode};

}  // namespace

const SpeedLimits* DesignCode::forSpeed(int speed) const {
  for (const SpeedLimits& limits : speeds) {
    if (limits.speed == speed) return &limits;
  }
  return nullptr;
}

const RoadClass* DesignCode::forClass(std::string_view name) const {
  // Engineers say 二级 as often as 二级公路.
  constexpr std::string_view kHighway = "公路";
  for (const RoadClass& roadClass : classes) {
    const std::string_view full = roadClass.name;
    if (full == name || (full.ends_with(kHighway) && !name.empty() &&
                         full.substr(0, full.size() - kHighway.size()) == name)) {
      return &roadClass;
    }
  }
  return nullptr;
}

const DesignCode& highwayCode() { return kHighwayCode; }
const DesignCode& urbanCode() { return kUrbanCode; }

const DesignCode* designCode(std::string_view key) {
  for (const DesignCode* code : kCodes) {
    if (code->key == key) return code;
  }
  return nullptr;
}

std::span<const DesignCode* const> designCodes() { return kCodes; }

bool allowsSpeed(const RoadClass& roadClass, int speed) {
  return std::find(roadClass.speeds.begin(), roadClass.speeds.end(), speed) !=
         roadClass.speeds.end();
}

}  // namespace vcurve::profile
