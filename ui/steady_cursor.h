#pragma once

class QWidget;

namespace vcurve {

// Every blink of the text cursor repaints the whole line of its text box.
// While the focused text box of window holds more than kSteadyCursorLength
// characters the cursor stands still, so that an idle window with a pasted
// megabyte in a field does not keep a core busy; it blinks again as soon as
// the focus or the text allows.
inline constexpr int kSteadyCursorLength = 50'000;

void KeepCursorSteadyInLongTexts(QWidget* window);

}  // namespace vcurve
