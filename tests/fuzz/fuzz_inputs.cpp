// Arbitrary bytes into every place a user's text reaches: the number reader,
// a whole press of the calculate button, and the three field checks.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checks/field_checks.h"
#include "core/calculate.h"
#include "core/numeric_text.h"
#include "support/recording_platform.h"

using namespace vcurve;
using vcurve::testing::RecordingPlatform;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void readNumber(const std::string& text) {
  const auto value = NumberFromText(text);
  if (!value) return;
  require(std::isfinite(*value));
  const std::string printed = TextFromNumber(*value);
  require(printed != "-0");
  const auto back = NumberFromText(printed);
  // Fifteen digits may round past the top of the range, and only there.
  require(back.has_value() || std::fabs(*value) > 1.7976931348623e308);
  const double rounded = RoundToPlaces(*value, 3);
  require(std::isfinite(rounded));
}

void pressCalculate(FuzzedDataProvider& data) {
  RecordingPlatform form;
  for (auto& text : form.texts) text = data.ConsumeRandomLengthString(64);
  std::int16_t pointCount = data.ConsumeIntegralInRange<std::int16_t>(32760, 32767);
  const auto before = pointCount;
  const auto type = data.ConsumeBool() ? CurveType::Convex : CurveType::Concave;
  Calculate(type, form, pointCount);
  require(form.lines.size() <= 1);
  require(pointCount == before + (before < 32767 ? 1 : 0));
  require(form.messages.size() <= 1);
  for (const auto& line : form.lines) require(line.find("-0=") == std::string::npos);
}

void runFieldChecks(FuzzedDataProvider& data) {
  RecordingPlatform form;
  for (auto& text : form.texts) text = data.ConsumeRandomLengthString(64);
  form.focus = Field::Text4;
  require(CheckGrade(form, Field::Text5) != CheckOutcome::Rejected);
  require(CheckGrade(form, Field::Text6) != CheckOutcome::Rejected);
  require(form.focus == Field::Text4);
  for (const Field field : {Field::Text3, Field::Text7}) {
    const std::string before = form.text(field);
    const auto outcome = field == Field::Text3 ? CheckRadius(form) : CheckStation(form);
    if (outcome == CheckOutcome::Rejected) {
      require(form.focus == field && form.text(field).empty());
    } else {
      require(outcome != CheckOutcome::Notified && form.text(field) == before);
    }
  }
  require(form.messages.size() <= 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  switch (data.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
      readNumber(data.ConsumeRemainingBytesAsString());
      break;
    case 1:
      pressCalculate(data);
      break;
    default:
      runFieldChecks(data);
      break;
  }
  return 0;
}
