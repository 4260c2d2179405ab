#pragma once

// What the calculation, the field checks and the window's commands need of
// the outside world, and nothing more. The window binds it to real widgets
// and the system's program start; tests bind it to recorders.

#include <string>
#include <string_view>

namespace vcurve {

enum class Field { Text1, Text2, Text3, Text4, Text5, Text6, Text7 };

inline constexpr Field kAllFields[] = {Field::Text1, Field::Text2, Field::Text3, Field::Text4,
                                       Field::Text5, Field::Text6, Field::Text7};

// The values are the classic message-box style codes, kept so that a style
// can be told apart in a log or a debugger by the number users know.
enum class MessageStyle : int { Warning = 48, Information = 64 };

class Platform {
 public:
  virtual ~Platform() = default;

  virtual std::string fieldText(Field field) const = 0;
  // For Text5 and Text6 the field's change handler runs before this returns.
  virtual void setFieldText(Field field, std::string_view text) = 0;
  virtual void setFocus(Field field) = 0;

  virtual void appendListLine(std::string_view line) = 0;
  virtual void clearList() = 0;

  // Modal, one OK button; returns when the user has closed it.
  virtual void ShowMessage(std::string_view prompt, MessageStyle style, std::string_view title) = 0;
};

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts a program found by the system's program search, detached, and
  // returns at once; false when it could not be started.
  virtual bool StartProgram(std::string_view commandLine) = 0;
};

}  // namespace vcurve
