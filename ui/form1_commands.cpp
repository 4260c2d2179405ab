// Form1's handlers: what each control event does. When each one runs is in
// form1_events.cpp.

#include <QPushButton>
#include <string_view>

#include "core/calculate.h"
#include "ui/form1.h"
#include "ui/layout_table.h"

namespace vcurve {
namespace {

constexpr std::string_view kNothingCalculatedPrompt = "你未作任何计算，请输入所有选项的数据！";
constexpr std::string_view kAboutTitle = "关于";
constexpr std::string_view kAboutText =
    "Quentaro 竖曲线高程计算（Vorlik软件系列），由 Vorlik 软件开发组编写。"
    "感谢您使用本程序！如果您在使用中发现任何问题，或对本程序有任何意见和建议，"
    "欢迎通过本项目的问题反馈页面告诉作者，每一条反馈都会得到认真对待。";
constexpr std::string_view kEditorCommandLine = "notepad.exe";
constexpr std::string_view kCalculatorCommandLine = "calc.exe";

}  // namespace

void Form1::Command1_Click() { Calculate(CurveType::Convex, *form_, pointCount_); }
void Form1::Command2_Click() { Calculate(CurveType::Concave, *form_, pointCount_); }

void Form1::Text3_LostFocus() { runLeaveCheck(&CheckRadius); }
void Form1::Text7_LostFocus() { runLeaveCheck(&CheckStation); }
void Form1::Text5_Change() { CheckGrade(*form_, Field::Text5); }
void Form1::Text6_Change() { CheckGrade(*form_, Field::Text6); }

void Form1::Option1_Click() {
  controls_.Command1->setVisible(true);
  controls_.Command2->setVisible(false);
}

void Form1::Option2_Click() {
  controls_.Command1->setVisible(false);
  controls_.Command2->setVisible(true);
}

void Form1::Command3_Click() {
  if (IsAnyFieldEmpty(*form_)) {
    form_->ShowMessage(kNothingCalculatedPrompt, MessageStyle::Warning, kWarningTitle);
  }
  // Text5 last: emptying a grade field runs its change check, and by then
  // every other field is already empty.
  for (const Field field : {Field::Text1, Field::Text2, Field::Text3, Field::Text4, Field::Text6,
                            Field::Text7, Field::Text5}) {
    form_->setFieldText(field, "");
  }
  form_->clearList();
}

// A program that cannot be started is passed over in silence.
void Form1::notepad_Click() { (void)services_.programStarter->StartProgram(kEditorCommandLine); }
void Form1::calc_Click() { (void)services_.programStarter->StartProgram(kCalculatorCommandLine); }

void Form1::exit_Click() { close(); }

void Form1::about_Click() {
  form_->ShowMessage(kAboutText, MessageStyle::Information, kAboutTitle);
}

void Form1::Form_Resize() {
  if (isMinimized()) return;
  setOuterHeight(kForm1Window.outerHeight);
  setOuterWidth(kForm1Window.outerWidth);
}

}  // namespace vcurve
