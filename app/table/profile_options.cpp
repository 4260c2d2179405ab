#include "app/table/profile_options.h"

#include <algorithm>
#include <array>

#include "app/table/message_text.h"
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
    OptionRule{"--find-elevation", ValueKind::Number},
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

int speedOf(std::string_view given) {
  const auto& code = profile::highwayCode();
  std::string speeds;
  for (const auto& limits : code.speeds) {
    if (given == std::to_string(limits.speed)) return limits.speed;
    speeds += (speeds.empty() ? "" : "、") + std::to_string(limits.speed);
  }
  throw UsageError(
      optionError("--speed", given,
                  "无效，" + std::string(code.name) + " 的设计速度为 " + speeds + "（km/h）"));
}

// A station that may name which of its places in a 长链 it means.
OptionValue fieldStation(const OptionRule& rule, std::string_view given) {
  const auto split = profile::splitOccurrence(given);
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
  if (given.has("--speed")) request.speed = speedOf(given.first("--speed"));
  if (request.check && !request.speed) {
    throw UsageError("--check 要用 --speed 给出设计速度（km/h）");
  }
  if (request.speed && !request.check) {
    throw UsageError("--speed 只用于 --check（按设计速度检查纵断面）");
  }
  if (given.has("--find-elevation")) request.findElevation = one("--find-elevation");
  return request;
}

}  // namespace vcurve::table
