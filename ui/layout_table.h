#pragma once

// Form1 as data: the window's properties and its controls, in the order the
// window creates them. Positions and sizes are twips, relative to the
// control's container (the client area under the menu bar, or the outer
// top-left corner of a frame).

#include <span>

namespace vcurve {

enum class ControlKind { PushButton, ListBox, Frame, Label, TextBox, OptionButton };

enum class ColourRole {
  Default,  // the window system's colour for that kind of control
  WindowColour,
  ButtonColour,
  FrameCaptionColour,
  Green,
  Red,
  SystemWindowText,
};

struct ControlLayout {
  const char* name;
  ControlKind kind;
  const char* container;  // "Form1", "Frame1" or "Frame2"
  const char* caption;
  int left, top, width, height;
  int tabIndex;
  ColourRole background;
  ColourRole text;
};

struct WindowLayout {
  const char* caption;
  int clientWidth, clientHeight;  // twips, under the menu bar
  int outerWidth, outerHeight;    // twips, frame and menu bar included
};

inline constexpr WindowLayout kForm1Window{"Vorlik软件系列---Quentaro", 7575, 5130, 7695, 5820};

std::span<const ControlLayout> Form1Layout();

}  // namespace vcurve
