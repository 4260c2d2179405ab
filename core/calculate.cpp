#include "core/calculate.h"

#include <limits>
#include <optional>

#include "core/numeric_text.h"
#include "core/result_pipeline.h"

namespace vcurve {
namespace {

std::optional<double> numberInField(const Platform& form, Field field) {
  return NumberFromText(form.fieldText(field));
}

std::optional<CurveInputs> readInputs(const Platform& form) {
  const auto P = numberInField(form, Field::Text1);
  const auto L = numberInField(form, Field::Text2);
  const auto R = numberInField(form, Field::Text3);
  const auto H = numberInField(form, Field::Text4);
  const auto g1 = numberInField(form, Field::Text5);
  const auto g2 = numberInField(form, Field::Text6);
  const auto S = numberInField(form, Field::Text7);
  if (!P || !L || !R || !H || !g1 || !g2 || !S) return std::nullopt;
  return CurveInputs{*P, *L, *R, *H, *g1, *g2, *S};
}

}  // namespace

bool IsAnyFieldEmpty(const Platform& form) {
  bool anyEmpty = false;
  for (const Field field : kAllFields) {
    anyEmpty = form.fieldText(field).empty() || anyEmpty;
  }
  return anyEmpty;
}

void AppendResultLine(std::string& line, std::int16_t n, double station, double elevation) {
  line.append("第").append(TextFromInteger(n)).append("待求点高程");
  line.append(TextFromNumber(station)).append("=").append(TextFromNumber(elevation));
}

std::string FormatResultLine(std::int16_t n, double station, double elevation) {
  std::string line;
  line.reserve(64);
  AppendResultLine(line, n, station, elevation);
  return line;
}

void Calculate(CurveType type, Platform& form, std::int16_t& pointCount) {
  if (IsAnyFieldEmpty(form)) {
    form.ShowMessage(kMissingDataPrompt, MessageStyle::Warning, kWarningTitle);
  }

  // From here on each step either completes or is dropped on its own, and
  // the press goes on: a bad number must not cost the user the line.
  // Every step reads the fields afresh, as they stand at that moment.
  CurveSide side = CurveSide::BeforePvi;
  {
    const auto P = numberInField(form, Field::Text1);
    const auto S = numberInField(form, Field::Text7);
    if (P && S) side = SideForStation(*P, *S);
  }

  std::optional<double> elevation;
  if (const auto inputs = readInputs(form)) elevation = ListedElevation(type, side, *inputs);

  if (pointCount < std::numeric_limits<std::int16_t>::max()) ++pointCount;

  if (const auto station = numberInField(form, Field::Text7)) {
    // A failed elevation still costs its number and is listed as 0, as the
    // empty elevation text of a failed step reads.
    form.appendListLine(FormatResultLine(pointCount, *station, elevation.value_or(0.0)));
  }
}

}  // namespace vcurve
