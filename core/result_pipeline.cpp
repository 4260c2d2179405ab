#include "core/result_pipeline.h"

#include "core/numeric_text.h"

namespace vcurve {

std::string ElevationText(CurveType type, CurveSide side, const CurveInputs& in) {
  const auto e = ComputeElevation(type, side, in);
  return e ? TextFromNumber(*e) : std::string();
}

double ListedElevation(std::string_view elevationText) {
  // Fifteen digits can round a finite elevation next to the top of the
  // double range up past it ("1.79769313486232E+308"), and the text then no
  // longer reads back. That is an overflow of the computation like any
  // other, so it is listed as one ('=0') instead of losing the line.
  return RoundToPlaces(NumberFromText(elevationText).value_or(0.0), 3);
}

}  // namespace vcurve

namespace vcurve {

std::optional<double> ListedElevationOf(CurveType type, CurveSide side, const CurveInputs& in) {
  const auto e = ComputeElevation(type, side, in);
  if (!e) return std::nullopt;
  const auto readBack = NumberFromText(WriteNumberText(*e).view());
  if (!readBack) return std::nullopt;
  return RoundToPlaces(*readBack, 3);
}

}  // namespace vcurve
