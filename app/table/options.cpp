#include "app/table/options.h"

#include <algorithm>
#include <array>

#include "app/table/message_text.h"
#include "checks/field_checks.h"
#include "core/numeric_text.h"

namespace vcurve::table {
namespace {

constexpr std::array kOptions{
    OptionRule{"--type", ValueKind::Text, true},
    OptionRule{"--pvi", ValueKind::Station, true},
    OptionRule{"--tangent", ValueKind::NonNegative, true},
    OptionRule{"--radius", ValueKind::Positive, true},
    OptionRule{"--elevation", ValueKind::Number, true},
    OptionRule{"--g1", ValueKind::Grade, true},
    OptionRule{"--g2", ValueKind::Grade, true},
    OptionRule{"--at", ValueKind::Station, false, true},
    OptionRule{"--from", ValueKind::Station},
    OptionRule{"--to", ValueKind::Station},
    OptionRule{"--step", ValueKind::Positive},
    OptionRule{"--format", ValueKind::Text},
    OptionRule{"--summary", ValueKind::Flag},
};

constexpr std::array<std::string_view, 3> kStopWords{"--help", "-h", "--version"};

const OptionRule& rule(std::string_view name) {
  return *std::find_if(kOptions.begin(), kOptions.end(),
                       [&](const OptionRule& r) { return r.name == name; });
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
  const GivenOptions given = givenOptions(args, kOptions, kStopWords);
  if (!given.stoppedAt.empty()) {
    return {given.stoppedAt == "--version" ? Action::Version : Action::Help, {}};
  }
  for (const OptionRule& r : kOptions) {
    if (r.required && !given.has(r.name)) throw UsageError("缺少选项 " + std::string(r.name));
  }
  const bool range = wholeRange(given);

  CommandLine command;
  TableRequest& request = command.request;
  const auto one = [&](std::string_view name) {
    return checkedValue(rule(name), given.first(name));
  };
  request.type = curveTypeOf(given.first("--type"));
  request.pvi = one("--pvi");
  request.tangent = one("--tangent");
  request.radius = one("--radius");
  request.elevation = one("--elevation");
  request.g1 = one("--g1");
  request.g2 = one("--g2");
  if (given.has("--at")) {
    for (const std::string_view at : given.values.at("--at")) {
      request.at.push_back(checkedValue(rule("--at"), at));
    }
  }
  if (range) request.range = StationRange{one("--from"), one("--to"), one("--step")};
  if (given.has("--format")) request.format = formatOf(given.first("--format"));
  request.summary = given.has("--summary");
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
