#include "app/table/profile_options.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "app/table/message_text.h"
#include "core/full_width.h"
#include "profile/chainage_equations.h"
#include "profile/design_code.h"

namespace vcurve::table {
namespace {

// The single curve's own options describe a curve the file already holds.
constexpr std::string_view kCurveOption = "不能与 --profile 同用（纵断面文件已给出各竖曲线）";

constexpr std::array kProfileOptions{
    OptionRule{"--profile", ValueKind::Text, true},
    OptionRule{"--name", ValueKind::Text},
    OptionRule{"--at", ValueKind::Station, false, true},
    OptionRule{"--from", ValueKind::Station},
    OptionRule{"--to", ValueKind::Station},
    OptionRule{"--step", ValueKind::Positive},
    OptionRule{"--format", ValueKind::Text},
    OptionRule{"--output", ValueKind::Text},
    OptionRule{"--summary", ValueKind::Flag},
    OptionRule{"--speed", ValueKind::Text},
    OptionRule{"--check", ValueKind::Flag},
    OptionRule{"--code", ValueKind::Text},
    OptionRule{"--class", ValueKind::Text},
    OptionRule{"--icy", ValueKind::Flag},
    OptionRule{"--ridge-route", ValueKind::Flag},
    OptionRule{"--find-elevation", ValueKind::Number},
    OptionRule{"--sections", ValueKind::Text},
    OptionRule{"--edge-elevations", ValueKind::Flag},
    OptionRule{"--type", ValueKind::Text, false, false, kCurveOption},
    OptionRule{"--pvi", ValueKind::Text, false, false, kCurveOption},
    OptionRule{"--tangent", ValueKind::Text, false, false, kCurveOption},
    OptionRule{"--radius", ValueKind::Text, false, false, kCurveOption},
    OptionRule{"--elevation", ValueKind::Text, false, false, kCurveOption},
    OptionRule{"--g1", ValueKind::Text, false, false, kCurveOption},
    OptionRule{"--g2", ValueKind::Text, false, false, kCurveOption},
};

const OptionRule& rule(std::string_view name) {
  return *std::find_if(kProfileOptions.begin(), kProfileOptions.end(),
                       [&](const OptionRule& r) { return r.name == name; });
}

ProfileFormat formatOf(std::string_view given) {
  if (given == "lines") return ProfileFormat::Lines;
  if (given == "csv") return ProfileFormat::Csv;
  if (given == "xlsx") return ProfileFormat::Xlsx;
  throw UsageError(optionError("--format", given, "无效，应为 lines、csv 或 xlsx"));
}

std::string speedList(std::span<const int> speeds) {
  std::string text;
  for (const int speed : speeds) text += (text.empty() ? "" : "、") + std::to_string(speed);
  return text;
}

int speedOf(std::string_view given, const profile::DesignCode& code) {
  std::vector<int> speeds;
  for (const auto& limits : code.speeds) {
    if (given == std::to_string(limits.speed)) return limits.speed;
    speeds.push_back(limits.speed);
  }
  throw UsageError(optionError(
      "--speed", given,
      "无效，" + std::string(code.name) + " 的设计速度为 " + speedList(speeds) + "（km/h）"));
}

const profile::DesignCode& codeOf(std::string_view given) {
  if (const auto* code = profile::designCode(given)) return *code;
  throw UsageError(
      optionError("--code", given, "无效，应为 jtg（JTG D20—2017）或 cjj37（CJJ 37—2012）"));
}

// Without --code, a class names its code.
const profile::DesignCode& codeOfClass(std::string_view given) {
  for (const profile::DesignCode* code : profile::designCodes()) {
    if (code->forClass(given) != nullptr) return *code;
  }
  return profile::highwayCode();
}

const profile::RoadClass& classOf(std::string_view given, const profile::DesignCode& code) {
  if (const auto* roadClass = code.forClass(given)) return *roadClass;
  std::string names;
  for (const auto& roadClass : code.classes) {
    names += (names.empty() ? "" : "、") + std::string(roadClass.name);
  }
  throw UsageError(
      optionError("--class", given, "无效，" + std::string(code.name) + " 的等级为 " + names));
}

profile::CheckBasis basisOf(const GivenOptions& given) {
  const profile::DesignCode& code = given.has("--code")    ? codeOf(given.first("--code"))
                                    : given.has("--class") ? codeOfClass(given.first("--class"))
                                                           : profile::highwayCode();
  profile::CheckBasis basis{&code, code.forSpeed(speedOf(given.first("--speed"), code))};
  if (given.has("--class")) {
    basis.roadClass = &classOf(given.first("--class"), code);
    if (!profile::allowsSpeed(*basis.roadClass, basis.limits->speed)) {
      throw UsageError(optionError("--speed", given.first("--speed"),
                                   "无效，" + std::string(basis.roadClass->name) + "的设计速度为 " +
                                       speedList(basis.roadClass->speeds) + "（km/h）"));
    }
  }
  basis.icy = given.has("--icy");
  basis.ridgeRoute = given.has("--ridge-route");
  return basis;
}

// A station that may name which of its places in a 长链 it means.
OptionValue fieldStation(const OptionRule& rule, std::string_view given) {
  const std::string typed = asciiForms(given);
  const auto split = profile::splitOccurrence(typed);
  if (!split) {
    throw UsageError(optionError(rule.name, given, "的括号内应是第几处（如 K1+190(2)）"));
  }
  OptionValue value = checkedValue(rule, split->first);
  value.given = std::string(given);
  value.occurrence = split->second;
  return value;
}

}  // namespace

bool isProfileCommand(const std::vector<std::string_view>& args) {
  bool profile = false;
  for (const std::string_view arg : args) {
    if (arg == "--help" || arg == "-h" || arg == "--version") return false;
    profile = profile || arg == "--profile" || arg.starts_with("--profile=");
  }
  return profile;
}

ProfileRequest parseProfileCommandLine(const std::vector<std::string_view>& args) {
  const GivenOptions given = givenOptions(args, kProfileOptions);

  ProfileRequest request;
  const auto one = [&](std::string_view name) {
    return checkedValue(rule(name), given.first(name));
  };
  request.file = std::string(given.first("--profile"));
  if (given.has("--name")) request.name = std::string(given.first("--name"));
  if (given.has("--at")) {
    for (const std::string_view at : given.values.at("--at")) {
      request.at.push_back(fieldStation(rule("--at"), at));
    }
  }
  if (wholeRange(given)) {
    request.range = StationRange{fieldStation(rule("--from"), given.first("--from")),
                                 fieldStation(rule("--to"), given.first("--to")), one("--step")};
  }
  if (given.has("--format")) request.format = formatOf(given.first("--format"));
  if (given.has("--output")) request.output = std::string(given.first("--output"));
  if (request.format == ProfileFormat::Xlsx && !request.output) {
    throw UsageError("--format xlsx 要用 --output 给出文件名");
  }
  request.summary = given.has("--summary");
  request.check = given.has("--check");
  for (const std::string_view option : {"--speed", "--code", "--class", "--icy", "--ridge-route"}) {
    if (given.has(option) && !request.check) {
      throw UsageError(std::string(option) + " 只用于 --check（按设计规范检查纵断面）");
    }
  }
  for (const std::string_view option : {"--code", "--class", "--icy", "--ridge-route"}) {
    if (given.has(option) && !given.has("--speed")) {
      throw UsageError(std::string(option) + " 要与 --speed 同用（给出设计速度，km/h）");
    }
  }
  // Without --speed, --check takes what the file keeps (profile_command.cpp).
  if (request.check && given.has("--speed")) {
    request.basis = basisOf(given);
    request.speed = request.basis.limits->speed;
  }
  if (given.has("--find-elevation")) request.findElevation = one("--find-elevation");
  if (given.has("--sections")) request.sections = std::string(given.first("--sections"));
  request.edgeElevations = given.has("--edge-elevations");
  if (request.edgeElevations && !request.sections) {
    throw UsageError("--edge-elevations 要与 --sections 同用（给出横断面与超高表）");
  }
  if (request.sections && (!request.at.empty() || request.range)) {
    throw UsageError("--sections 的路基设计表按逐桩高程表的桩号列出，不能与 --at、--from 同用");
  }
  return request;
}

}  // namespace vcurve::table
