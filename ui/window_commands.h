#pragma once

// The window's commands that are not calculations or field checks, written
// against the platform interfaces so they run without a window in tests.

#include <string_view>

#include "core/elevation.h"
#include "platform/platform.h"
#include "platform/window.h"

namespace vcurve {

inline constexpr std::string_view kNothingCalculatedPrompt =
    "你未作任何计算，请输入所有选项的数据！";
inline constexpr std::string_view kAboutTitle = "关于";
inline constexpr std::string_view kAboutText =
    "Quentaro 竖曲线高程计算（Vorlik软件系列），由 Vorlik 软件开发组编写。"
    "感谢您使用本程序！如果您在使用中发现任何问题，或对本程序有任何意见和建议，"
    "欢迎通过本项目的问题反馈页面告诉作者，每一条反馈都会得到认真对待。";
inline constexpr std::string_view kEditorCommandLine = "notepad.exe";
inline constexpr std::string_view kCalculatorCommandLine = "calc.exe";
inline constexpr int kFixedOuterHeight = 5820;  // twips
inline constexpr int kFixedOuterWidth = 7695;   // twips

// Shows the calculate button of the chosen curve type and hides the other.
void ShowCalculateButtonFor(CurveType type, Window& window);

// Warns once when a field is empty, then empties all seven fields and the
// results list. The point counter is not touched: numbering goes on.
void ResetFields(Platform& form);

// Restores the fixed outer size unless the window is minimised.
void HoldFixedSize(Window& window);

// A program that cannot be started is passed over in silence.
void StartQuietly(ProgramStarter& starter, std::string_view commandLine);

}  // namespace vcurve
