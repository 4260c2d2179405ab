#include "app/table/profile_options.h"

#include <algorithm>
#include <array>
#include <map>

#include "app/table/message_text.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/design_code.h"

namespace vcurve::table {
namespace {

enum class Kind { Text, Station, Number, Positive, Flag };

struct ProfileOption {
  std::string_view name;
  Kind kind;
  bool repeatable = false;
};

constexpr std::array kProfileOptions{
    ProfileOption{"--profile", Kind::Text},     ProfileOption{"--name", Kind::Text},
    ProfileOption{"--at", Kind::Station, true}, ProfileOption{"--from", Kind::Station},
    ProfileOption{"--to", Kind::Station},       ProfileOption{"--step", Kind::Positive},
    ProfileOption{"--format", Kind::Text},      ProfileOption{"--output", Kind::Text},
    ProfileOption{"--summary", Kind::Flag},     ProfileOption{"--speed", Kind::Text},
    ProfileOption{"--check", Kind::Flag},       ProfileOption{"--find-elevation", Kind::Number},
};

// The single curve's own options: they describe a curve the file already holds.
constexpr std::array<std::string_view, 7> kCurveOptions{
    "--type", "--pvi", "--tangent", "--radius", "--elevation", "--g1", "--g2"};

const ProfileOption* findOption(std::string_view name) {
  const auto* option = std::find_if(kProfileOptions.begin(), kProfileOptions.end(),
                                    [&](const ProfileOption& o) { return o.name == name; });
  return option == kProfileOptions.end() ? nullptr : option;
}

std::string optionError(std::string_view option, std::string_view value, std::string_view what) {
  return "选项 " + std::string(option) + " 的值" + quoted(value) + std::string(what);
}

OptionValue checkedValue(const ProfileOption& option, std::string_view given) {
  OptionValue value{std::string(option.name), std::string(given), {}, 0};
  if (option.kind == Kind::Station) {
    const auto field = stationFieldText(given);
    if (!field) {
      throw UsageError(
          optionError(option.name, given, "不是桩号（应写作米数如 5030.25，或里程如 K5+030.25）"));
    }
    value.field = *field;
  } else {
    if (!isPlainNumber(given)) throw UsageError(optionError(option.name, given, "不是数字"));
    value.field = std::string(given);
  }
  const auto number = NumberFromText(value.field);
  if (!number) throw UsageError(optionError(option.name, given, "超出数值范围"));
  value.number = *number;
  if (option.kind == Kind::Positive && !(value.number > 0)) {
    throw UsageError(optionError(option.name, given, "必须大于 0"));
  }
  return value;
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
  std::map<std::string_view, std::vector<std::string_view>> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    if (std::find(kCurveOptions.begin(), kCurveOptions.end(), name) != kCurveOptions.end()) {
      throw UsageError("选项 " + std::string(name) +
                       " 不能与 --profile 同用（纵断面文件已给出各竖曲线）");
    }
    const ProfileOption* option = arg.starts_with("--") ? findOption(name) : nullptr;
    if (option == nullptr) {
      if (!arg.starts_with("-") || arg == "-") {
        throw UsageError("多余的参数" + quoted(arg) + "（选项都要写名字；用 --help 查看用法）");
      }
      throw UsageError("未知选项 " + std::string(name) + "（用 --help 查看用法）");
    }
    std::string_view value;
    if (option->kind == Kind::Flag) {
      if (equals != std::string_view::npos) {
        throw UsageError("选项 " + std::string(name) + " 不带值，却给了" +
                         quoted(arg.substr(equals + 1)));
      }
    } else if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
      value = args[++i];
    } else {
      throw UsageError("选项 " + std::string(name) + " 缺少值");
    }
    if (option->kind != Kind::Flag && value.empty()) {
      throw UsageError("选项 " + std::string(name) + " 的值为空");
    }
    auto& values = given[option->name];
    if (!values.empty() && !option->repeatable) {
      throw UsageError("选项 " + std::string(name) + " 给了两次（" + quoted(values.front()) + "和" +
                       quoted(value) + "）");
    }
    values.push_back(value);
  }

  ProfileRequest request;
  const auto one = [&](std::string_view name) {
    return checkedValue(*findOption(name), given.at(name).front());
  };
  request.file = std::string(given.at("--profile").front());
  if (given.contains("--name")) request.name = std::string(given.at("--name").front());
  if (given.contains("--at")) {
    for (const std::string_view at : given.at("--at")) {
      request.at.push_back(checkedValue(*findOption("--at"), at));
    }
  }
  const bool anyRange =
      given.contains("--from") || given.contains("--to") || given.contains("--step");
  if (anyRange) {
    for (const std::string_view part : {"--from", "--to", "--step"}) {
      if (!given.contains(part)) {
        throw UsageError("缺少选项 " + std::string(part) + "（--from、--to、--step 要一起给出）");
      }
    }
    request.range = StationRange{one("--from"), one("--to"), one("--step")};
  }
  if (given.contains("--format")) request.format = formatOf(given.at("--format").front());
  if (given.contains("--output")) request.output = std::string(given.at("--output").front());
  if (request.format == ProfileFormat::Xlsx && !request.output) {
    throw UsageError("--format xlsx 要用 --output 给出文件名");
  }
  request.summary = given.contains("--summary");
  request.check = given.contains("--check");
  if (given.contains("--speed")) request.speed = speedOf(given.at("--speed").front());
  if (request.check && !request.speed) {
    throw UsageError("--check 要用 --speed 给出设计速度（km/h）");
  }
  if (request.speed && !request.check) {
    throw UsageError("--speed 只用于 --check（按设计速度检查纵断面）");
  }
  if (given.contains("--find-elevation")) request.findElevation = one("--find-elevation");
  return request;
}

}  // namespace vcurve::table
