// Form1's handlers: each a thin call into the core, the checks or the
// window commands.

#include "checks/field_checks.h"
#include "core/calculate.h"
#include "platform/qt/qt_window.h"
#include "ui/form1.h"
#include "ui/window_commands.h"

namespace vcurve {

void Form1::Command1_Click() { Calculate(CurveType::Convex, *form_, pointCount_); }
void Form1::Command2_Click() { Calculate(CurveType::Concave, *form_, pointCount_); }

void Form1::Text3_LostFocus() { checks_->Text3_LostFocus(); }
void Form1::Text5_Change() { checks_->Text5_Change(); }
void Form1::Text6_Change() { checks_->Text6_Change(); }
void Form1::Text7_LostFocus() { checks_->Text7_LostFocus(); }

void Form1::Option1_Click() { ShowCalculateButtonFor(CurveType::Convex, *window_); }
void Form1::Option2_Click() { ShowCalculateButtonFor(CurveType::Concave, *window_); }
void Form1::Command3_Click() { ResetFields(*form_); }
void Form1::notepad_Click() { StartQuietly(*services_.programStarter, kEditorCommandLine); }
void Form1::calc_Click() { StartQuietly(*services_.programStarter, kCalculatorCommandLine); }
void Form1::exit_Click() { window_->close(); }
void Form1::about_Click() {
  form_->ShowMessage(kAboutText, MessageStyle::Information, kAboutTitle);
}
void Form1::Form_Resize() {
  HoldFixedSize(*window_);
  lastOuterSize_ = frameGeometry().size();
}

}  // namespace vcurve
