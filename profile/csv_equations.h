#pragma once

// The 断链 rows of a profile CSV: "断链,K1+180,K1+200" between the point
// rows where the equation lies, the points after it numbered from its
// ahead station.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "profile/chainage_equations.h"
#include "profile/csv_records.h"
#include "profile/file_error.h"
#include "profile/profile_point.h"

namespace vcurve::profile {

inline constexpr std::string_view kEquationCell = "断链";

struct EquationRow {
  ChainageEquation equation;
  std::size_t pointsBefore = 0;
  std::size_t line = 0;
};

bool isEquationRecord(const std::vector<std::string>& fields);

// The record's back and ahead stations; the problem and its 1-based column
// when either does not read.
std::optional<std::pair<std::size_t, std::string>> readEquationRecord(const CsvRecord& record,
                                                                      EquationRow& row);

// The points, read in their rows' numbering, moved to true distances. A
// point outside the stretch of numbering its place between the rows gives
// it (before the last equation's ahead station, past the next one's back
// station) is a fault of the file: its row index and the problem.
std::optional<std::pair<std::size_t, std::string>> placeOnTrueDistances(
    const std::vector<EquationRow>& rows, std::vector<ProfilePoint>& points);

// The field station a point at a true distance is written with in a file
// whose 断链 rows follow every point at or before them: at an equation, its
// back station. Read from decimals and back, it is that decimal again.
double writtenFieldStation(const ChainageEquations& chainage, double distance);

// The 断链 record of equation i.
std::string equationRecord(const ChainageEquations& chainage, std::size_t i);

}  // namespace vcurve::profile
