#include "ui/window_commands.h"

#include "core/calculate.h"

namespace vcurve {

void ShowCalculateButtonFor(CurveType type, Window& window) {
  // Command1 first in both directions, so the two buttons are never both
  // hidden while a handler runs.
  const bool convex = type == CurveType::Convex;
  window.setButtonVisible(CalculateButton::Command1, convex);
  window.setButtonVisible(CalculateButton::Command2, !convex);
}

void ResetFields(Platform& form) {
  if (IsAnyFieldEmpty(form)) {
    form.ShowMessage(kNothingCalculatedPrompt, MessageStyle::Warning, kWarningTitle);
  }

  // Text5 last: emptying a grade field runs its change check, and by then
  // every other field is already empty.
  for (const Field field : {Field::Text1, Field::Text2, Field::Text3, Field::Text4, Field::Text6,
                            Field::Text7, Field::Text5}) {
    form.setFieldText(field, "");
  }
  form.clearList();
}

void HoldFixedSize(Window& window) {
  if (window.isMinimized()) return;
  window.setOuterHeight(kFixedOuterHeight);
  window.setOuterWidth(kFixedOuterWidth);
}

void StartQuietly(ProgramStarter& starter, std::string_view commandLine) {
  (void)starter.StartProgram(commandLine);
}

}  // namespace vcurve
