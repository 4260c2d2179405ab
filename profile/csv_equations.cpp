#include "profile/csv_equations.h"

#include <algorithm>
#include <cmath>

#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {

bool isEquationRecord(const std::vector<std::string>& fields) {
  if (fields.empty()) return false;
  const std::string& first = fields.front();
  const std::size_t from = first.find_first_not_of(" \t");
  const std::size_t to = first.find_last_not_of(" \t");
  return from != std::string::npos &&
         std::string_view(first).substr(from, to + 1 - from) == kEquationCell;
}

std::optional<std::pair<std::size_t, std::string>> readEquationRecord(const CsvRecord& record,
                                                                      EquationRow& row) {
  row.line = record.line;
  double* targets[2] = {&row.equation.back, &row.equation.ahead};
  for (std::size_t c = 1; c <= 2; ++c) {
    const std::string cell = c < record.fields.size() ? record.fields[c] : std::string();
    const CellReading reading = readCell(InputColumn::Station, cell);
    if (!reading.ok() || cell.find_first_not_of(" \t") == std::string::npos) {
      return std::pair{c + 1, std::string(c == 1 ? "断链的前桩号" : "断链的后桩号") +
                                  (reading.ok() ? "是空的" : "有误：" + reading.error)};
    }
    *targets[c - 1] = reading.value;
  }
  return std::nullopt;
}

std::optional<std::pair<std::size_t, std::string>> placeOnTrueDistances(
    const std::vector<EquationRow>& rows, std::vector<ProfilePoint>& points) {
  std::vector<ChainageEquation> equations;
  for (const EquationRow& row : rows) equations.push_back(row.equation);
  const ChainageEquations chainage(equations);
  std::size_t segment = 0;
  for (std::size_t k = 0; k < points.size(); ++k) {
    while (segment < rows.size() && rows[segment].pointsBefore <= k) ++segment;
    const double field = points[k].station;
    if (segment > 0 && field < equations[segment - 1].ahead) {
      return std::pair{k, "桩号 " + chainageText(field) + " 小于其前断链 " +
                              chainage.equationText(segment - 1) + " 的后桩号"};
    }
    if (segment < rows.size() && field > equations[segment].back) {
      return std::pair{k, "桩号 " + chainageText(field) + " 大于其后断链 " +
                              chainage.equationText(segment) + " 的前桩号"};
    }
    points[k].station = chainage.distanceIn(segment, field);
  }
  return std::nullopt;
}

double writtenFieldStation(const ChainageEquations& chainage, double distance) {
  const std::size_t s = chainage.segmentAt(distance);
  double field = chainage.field(distance);
  if (s > 0 && distance == chainage.distanceOf(s - 1)) field = chainage.equations()[s - 1].back;
  // A decimal moved along by the equations' offsets and back can miss
  // itself by a bit; a millionth of a millimetre is no typed digit. A
  // station no equation moved is already the typed number, to the last bit.
  if (field == distance) return field;
  const double micro = std::nearbyint(field * 1e6) / 1e6;
  return std::fabs(micro - field) <= 1e-9 * std::max(1.0, std::fabs(field)) ? micro : field;
}

std::string equationRecord(const ChainageEquations& chainage, std::size_t i) {
  std::string text;
  appendCsvRecord(
      text, {kEquationCell, inputText(InputColumn::Station, chainage.equations()[i].back),
             inputText(InputColumn::Station, chainage.equations()[i].ahead), chainage.kindText(i)});
  return text;
}

}  // namespace vcurve::profile
