#include "core/result_pipeline.h"

#include "core/numeric_text.h"

namespace vcurve {

std::optional<double> ListedElevation(CurveType type, CurveSide side, const CurveInputs& in) {
  const auto e = ComputeElevation(type, side, in);
  if (!e) return std::nullopt;
  const auto readBack = NumberFromText(TextFromNumber(*e));
  if (!readBack) return std::nullopt;
  return RoundToPlaces(*readBack, 3);
}

}  // namespace vcurve
