#include "app/table/option_values.h"

#include <algorithm>

#include "app/table/message_text.h"
#include "core/full_width.h"
#include "core/numeric_text.h"
#include "core/station_text.h"

namespace vcurve::table {

GivenOptions givenOptions(std::span<const std::string_view> args, std::span<const OptionRule> rules,
                          std::span<const std::string_view> stopWords) {
  GivenOptions given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (std::find(stopWords.begin(), stopWords.end(), arg) != stopWords.end()) {
      given.stoppedAt = arg;
      return given;
    }

    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const auto rule = arg.starts_with("--")
                          ? std::find_if(rules.begin(), rules.end(),
                                         [&](const OptionRule& r) { return r.name == name; })
                          : rules.end();
    if (rule == rules.end()) {
      if (!arg.starts_with("-") || arg == "-") {
        throw UsageError("多余的参数" + quoted(arg) + "（选项都要写名字，如 --at " + shown(arg) +
                         "；用 --help 查看用法）");
      }
      throw UsageError("未知选项 " + shown(name) + "（用 --help 查看用法）");
    }
    if (!rule->refusal.empty()) {
      throw UsageError("选项 " + std::string(name) + " " + std::string(rule->refusal));
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

    auto& values = given.values[rule->name];
    if (!values.empty() && !rule->repeatable) {
      throw UsageError("选项 " + std::string(name) + " 给了两次（" + quoted(values.front()) + "和" +
                       quoted(value) + "）");
    }
    values.push_back(value);
  }
  return given;
}

bool wholeRange(const GivenOptions& given) {
  constexpr std::string_view kParts[] = {"--from", "--to", "--step"};
  const bool any = std::any_of(std::begin(kParts), std::end(kParts),
                               [&](std::string_view part) { return given.has(part); });
  if (!any) return false;
  for (const std::string_view part : kParts) {
    if (!given.has(part)) {
      throw UsageError("缺少选项 " + std::string(part) + "（--from、--to、--step 要一起给出）");
    }
  }
  return true;
}

std::string optionError(std::string_view option, std::string_view value, std::string_view what) {
  return "选项 " + std::string(option) + " 的值" + quoted(value) + std::string(what);
}

OptionValue checkedValue(const OptionRule& rule, std::string_view given) {
  OptionValue value{std::string(rule.name), std::string(given), {}, 0};
  const std::string typed = asciiForms(given);

  if (rule.kind == ValueKind::Station) {
    const auto field = stationFieldText(typed);
    if (!field) {
      throw UsageError(
          optionError(rule.name, given, "不是桩号（应写作米数如 5030.25，或里程如 K5+030.25）"));
    }
    value.field = *field;
  } else {
    if (!isPlainNumber(typed)) throw UsageError(optionError(rule.name, given, "不是数字"));
    value.field = typed;
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

}  // namespace vcurve::table
