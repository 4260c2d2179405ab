#pragma once

// What the single curve's and the profile's command lines share: the shape
// of a command line (named options, each with its value or none) and the
// checks of one value, so that both refuse the same faults in the same
// words.

#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vcurve::table {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One value as typed, for messages, and the field text and number the
// window would hold for it.
struct OptionValue {
  std::string option;  // "--pvi"
  std::string given;   // "K5+030"
  std::string field;   // "5030"
  double number = 0;   // NumberFromText(field)
  int occurrence = 0;  // "K1+190(2)": which place of a station a 长链 doubles
};

enum class ValueKind {
  Text,         // read by the option's own reader (a file name, a format)
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
  bool required = false;
  bool repeatable = false;
  // Not empty for an option this command line refuses outright: the
  // reason, after "选项 --name ".
  std::string_view refusal = {};
};

// The values typed for each option, in the order typed.
struct GivenOptions {
  std::map<std::string_view, std::vector<std::string_view>> values;
  // The first of the stop words met where an option was due, if any; the
  // arguments after it were not read.
  std::string_view stoppedAt;

  bool has(std::string_view name) const { return values.contains(name); }
  std::string_view first(std::string_view name) const { return values.at(name).front(); }
};

// Reads the arguments after the program name as options of `rules`,
// `--name value` or `--name=value`, a flag without a value, none twice
// unless repeatable. Throws UsageError at the first fault.
GivenOptions givenOptions(std::span<const std::string_view> args, std::span<const OptionRule> rules,
                          std::span<const std::string_view> stopWords = {});

// True when --from, --to and --step are all given, false when none is;
// throws UsageError naming the one missing otherwise.
bool wholeRange(const GivenOptions& given);

// "选项 --radius 的值“abc”" followed by what is wrong with it.
std::string optionError(std::string_view option, std::string_view value, std::string_view what);

// The value read as a station for a Station, as a number for any other
// kind, and checked as the kind says; throws UsageError naming the option
// and the value.
OptionValue checkedValue(const OptionRule& rule, std::string_view given);

}  // namespace vcurve::table
