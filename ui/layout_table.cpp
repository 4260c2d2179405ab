#include "ui/layout_table.h"

namespace vcurve {
namespace {

using enum ControlKind;
using enum ColourRole;

// Label sizes are those of a font with 12-pixel CJK and 6-pixel Latin
// characters; labels size themselves to their captions in whatever font the
// window really has.
// clang-format off
constexpr ControlLayout kControls[] = {
    // name       kind          container caption          left  top   width height tab  background    text
    {"Command2", PushButton,   "Form1",  "计 算",           4080, 4200, 1575, 495,  22, ButtonColour, Default},
    {"Command1", PushButton,   "Form1",  "计 算",           4080, 4200, 1575, 495,  21, ButtonColour, Default},
    {"Command3", PushButton,   "Form1",  "重 算",           5880, 4200, 1575, 495,  19, ButtonColour, Default},
    {"List1",    ListBox,      "Form1",  "",               3960, 480,  3495, 3450, 9,  Default,      Default},
    {"Frame2",   Frame,        "Form1",  "曲线要素",        0,    1560, 3735, 3375, 11, WindowColour, FrameCaptionColour},
    {"Text4",    TextBox,      "Frame2", "",               1320, 1600, 2300, 315,  5,  Default,      Default},
    {"Text1",    TextBox,      "Frame2", "",               1320, 450,  2300, 315,  2,  Default,      Default},
    {"Text2",    TextBox,      "Frame2", "",               1320, 840,  2300, 315,  3,  Default,      Default},
    {"Text3",    TextBox,      "Frame2", "",               1320, 1200, 2300, 315,  4,  Default,      Default},
    {"Text7",    TextBox,      "Frame2", "",               1320, 2820, 2300, 315,  8,  Default,      Red},
    {"Text5",    TextBox,      "Frame2", "",               1320, 2060, 2300, 315,  6,  Default,      Default},
    {"Text6",    TextBox,      "Frame2", "",               1320, 2450, 2300, 315,  7,  Default,      Default},
    {"Label7",   Label,        "Frame2", "中点桩号ZH：",     120,  495,  1080, 180,  18, WindowColour, Default},
    {"Label6",   Label,        "Frame2", "切线长度L：",      120,  900,  990,  180,  17, WindowColour, Default},
    {"Label5",   Label,        "Frame2", "曲线半径R：",      120,  1320, 990,  180,  16, WindowColour, Default},
    {"Label4",   Label,        "Frame2", "顶点高程H：",      120,  1720, 990,  180,  15, WindowColour, Default},
    {"Label3",   Label,        "Frame2", "待求点桩号H0：",   120,  2880, 1260, 180,  14, WindowColour, Green},
    {"Label2",   Label,        "Frame2", "第一纵坡%：",      120,  2120, 990,  180,  13, WindowColour, Default},
    {"Label1",   Label,        "Frame2", "第二纵坡%：",      120,  2520, 990,  180,  12, WindowColour, Default},
    {"Frame1",   Frame,        "Form1",  "请选择竖曲线类型", 0,    240,  3735, 1095, 10, WindowColour, FrameCaptionColour},
    {"Option1",  OptionButton, "Frame1", "凸曲线",          480,  360,  975,  375,  0,  WindowColour, SystemWindowText},
    {"Option2",  OptionButton, "Frame1", "凹曲线",          2400, 360,  975,  450,  1,  WindowColour, SystemWindowText},
    {"Label8",   Label,        "Form1",  "计算结果",        3960, 120,  720,  180,  20, WindowColour, Green},
};
// clang-format on

}  // namespace

std::span<const ControlLayout> Form1Layout() { return kControls; }

}  // namespace vcurve
