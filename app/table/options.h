#pragma once

// The table program's command line: named options in, a checked request
// out. Any fault is a UsageError whose text names the option and its value;
// nothing is written before the whole command line has passed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/table/option_values.h"
#include "core/elevation.h"

namespace vcurve::table {

enum class OutputFormat { Lines, Csv };

struct StationRange {
  OptionValue from;
  OptionValue to;
  OptionValue step;
};

struct TableRequest {
  CurveType type = CurveType::Convex;
  OptionValue pvi, tangent, radius, elevation, g1, g2;
  std::vector<OptionValue> at;
  std::optional<StationRange> range;
  OutputFormat format = OutputFormat::Lines;
  bool summary = false;

  // The seven numbers with the station left at 0.
  CurveInputs curve() const;
};

enum class Action { Table, Help, Version };

struct CommandLine {
  Action action = Action::Table;
  TableRequest request;
};

// args are the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string_view>& args);

// Values the window would question while they are typed (a radius below its
// minimum, a grade above its maximum): still computed, but said on stderr.
std::vector<std::string> inputWarnings(const TableRequest& request);

}  // namespace vcurve::table
