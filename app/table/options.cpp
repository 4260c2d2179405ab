#include "app/table/options.h"

#include <algorithm>
#include <array>
#include <map>

#include "app/table/message_text.h"
#include "checks/field_checks.h"
#include "core/numeric_text.h"
#include "core/station_text.h"

namespace vcurve::table {
namespace {

enum class ValueKind {
  CurveType,    // convex | concave
  Format,       // lines | csv
  Station,      // metres or chainage
  Number,       // any number
  NonNegative,  // the tangent length
  Grade,        // a magnitude in percent
  Positive,     // the radius, the step
  Flag,         // no value
};

struct OptionRule {
  std::string_view name;
  ValueKind kind;
  bool required;
  bool repeatable;
};

constexpr std::array kOptions{
    OptionRule{"--type", ValueKind::CurveType, true, false},
    OptionRule{"--pvi", ValueKind::Station, true, false},
    OptionRule{"--tangent", ValueKind::NonNegative, true, false},
    OptionRule{"--radius", ValueKind::Positive, true, false},
    OptionRule{"--elevation", ValueKind::Number, true, false},
    OptionRule{"--g1", ValueKind::Grade, true, false},
    OptionRule{"--g2", ValueKind::Grade, true, false},
    OptionRule{"--at", ValueKind::Station, false, true},
    OptionRule{"--from", ValueKind::Station, false, false},
    OptionRule{"--to", ValueKind::Station, false, false},
    OptionRule{"--step", ValueKind::Positive, false, false},
    OptionRule{"--format", ValueKind::Format, false, false},
    OptionRule{"--summary", ValueKind::Flag, false, false},
};

const OptionRule* findOption(std::string_view name) {
  const auto* rule = std::find_if(kOptions.begin(), kOptions.end(),
                                  [&](const OptionRule& r) { return r.name == name; });
  return rule == kOptions.end() ? nullptr : rule;
}

std::string optionError(std::string_view option, std::string_view value, std::string_view what) {
  return "选项 " + std::string(option) + " 的值" + quoted(value) + std::string(what);
}

OptionValue checkedValue(const OptionRule& rule, std::string_view given) {
  OptionValue value{std::string(rule.name), std::string(given), {}, 0};

  if (rule.kind == ValueKind::Station) {
    const auto field = stationFieldText(given);
    if (!field) {
      throw UsageError(
          optionError(rule.name, given, "不是桩号（应写作米数如 5030.25，或里程如 K5+030.25）"));
    }
    value.field = *field;
  } else {
    if (!isPlainNumber(given)) throw UsageError(optionError(rule.name, given, "不是数字"));
    value.field = std::string(given);
  }

  const auto number = NumberFromText(value.field);
  if (!number) throw UsageError(optionError(rule.name, given, "超出数值范围"));
  value.number = *number;
  if (rule.kind == ValueKind::Positive && !(value.number > 0)) {
    // "2e-324" is above 0 as written, but no double is that small: it reads as 0.
    const NumberSyntax written = ScanNumber(value.field);
    const bool writtenAboveZero =
        !written.negative && (written.whole.find_first_not_of('0') != std::string_view::npos ||
                              written.fraction.find_first_not_of('0') != std::string_view::npos);
    throw UsageError(
        optionError(rule.name, given, writtenAboveZero ? "太小，无法用于计算" : "必须大于 0"));
  }
  if (rule.kind == ValueKind::NonNegative && value.number < 0) {
    throw UsageError(optionError(rule.name, given, "不能为负"));
  }
  // Grades are magnitudes and the curve type gives their direction: a minus
  // sign typed out of habit would turn the curve over without a word.
  if (rule.kind == ValueKind::Grade && value.number < 0) {
    throw UsageError(optionError(rule.name, given, "不能为负（纵坡填大小，方向由 --type 决定）"));
  }
  return value;
}

CurveType curveTypeOf(std::string_view given) {
  if (given == "convex") return CurveType::Convex;
  if (given == "concave") return CurveType::Concave;
  throw UsageError(optionError("--type", given, "无效，应为 convex（凸曲线）或 concave（凹曲线）"));
}

OutputFormat formatOf(std::string_view given) {
  if (given == "lines") return OutputFormat::Lines;
  if (given == "csv") return OutputFormat::Csv;
  throw UsageError(optionError("--format", given, "无效，应为 lines 或 csv"));
}

}  // namespace

CurveInputs TableRequest::curve() const {
  return {pvi.number, tangent.number, radius.number, elevation.number, g1.number, g2.number, 0};
}

CommandLine parseCommandLine(const std::vector<std::string_view>& args) {
  // First the shape of the command line, in the order typed; then the values,
  // in the order of kOptions, so that the first fault reported is predictable.
  std::map<std::string_view, std::vector<std::string_view>> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") return {Action::Help, {}};
    if (arg == "--version") return {Action::Version, {}};

    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const OptionRule* rule = arg.starts_with("--") ? findOption(name) : nullptr;
    if (rule == nullptr) {
      if (!arg.starts_with("-") || arg == "-") {
        throw UsageError("多余的参数" + quoted(arg) + "（选项都要写名字，如 --at " + shown(arg) +
                         "；用 --help 查看用法）");
      }
      throw UsageError("未知选项 " + shown(name) + "（用 --help 查看用法）");
    }

    std::string_view value;
    if (rule->kind == ValueKind::Flag) {
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
    if (rule->kind != ValueKind::Flag && value.empty()) {
      throw UsageError("选项 " + std::string(name) + " 的值为空");
    }

    auto& values = given[rule->name];
    if (!values.empty() && !rule->repeatable) {
      throw UsageError("选项 " + std::string(name) + " 给了两次（" + quoted(values.front()) + "和" +
                       quoted(value) + "）");
    }
    values.push_back(value);
  }

  const bool anyRange =
      given.contains("--from") || given.contains("--to") || given.contains("--step");
  for (const OptionRule& rule : kOptions) {
    const bool partOfRange = rule.name == "--from" || rule.name == "--to" || rule.name == "--step";
    if ((rule.required || (partOfRange && anyRange)) && !given.contains(rule.name)) {
      throw UsageError(partOfRange ? "缺少选项 " + std::string(rule.name) +
                                         "（--from、--to、--step 要一起给出）"
                                   : "缺少选项 " + std::string(rule.name));
    }
  }

  CommandLine command;
  TableRequest& request = command.request;
  const auto one = [&](std::string_view name) {
    return checkedValue(*findOption(name), given.at(name).front());
  };
  request.type = curveTypeOf(given.at("--type").front());
  request.pvi = one("--pvi");
  request.tangent = one("--tangent");
  request.radius = one("--radius");
  request.elevation = one("--elevation");
  request.g1 = one("--g1");
  request.g2 = one("--g2");
  if (given.contains("--at")) {
    for (const std::string_view at : given.at("--at")) {
      request.at.push_back(checkedValue(*findOption("--at"), at));
    }
  }
  if (anyRange) request.range = StationRange{one("--from"), one("--to"), one("--step")};
  if (given.contains("--format")) request.format = formatOf(given.at("--format").front());
  request.summary = given.contains("--summary");
  return command;
}

std::vector<std::string> inputWarnings(const TableRequest& request) {
  std::vector<std::string> warnings;
  if (request.radius.number < MinimumRadius) {
    warnings.push_back(
        optionError("--radius", request.radius.given,
                    "小于 " + TextFromNumber(MinimumRadius) + " m，曲线半径太小；仍按此计算"));
  }
  for (const OptionValue* grade : {&request.g1, &request.g2}) {
    if (grade->number > MaximumGrade) {
      warnings.push_back(
          optionError(grade->option, grade->given,
                      "大于规定的最大纵坡 " + TextFromNumber(MaximumGrade) + "%；仍按此计算"));
    }
  }
  return warnings;
}

}  // namespace vcurve::table
