#pragma once

// What the window's own commands need of the window system: the two
// calculate buttons, the window's state and outer size, closing it, and
// starting another program.

#include <string_view>

namespace vcurve {

enum class CalculateButton { Command1, Command2 };

class Window {
 public:
  virtual ~Window() = default;

  virtual void setButtonVisible(CalculateButton button, bool visible) = 0;
  virtual bool isMinimized() const = 0;
  // Outer size, frame and menu bar included, in twips. Either may be
  // refused by the window system; the caller does not learn of it.
  virtual void setOuterHeight(int twips) = 0;
  virtual void setOuterWidth(int twips) = 0;
  virtual void close() = 0;
};

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts a program found by the system's program search, detached, and
  // returns at once; false when it could not be started.
  virtual bool StartProgram(std::string_view commandLine) = 0;
};

}  // namespace vcurve
