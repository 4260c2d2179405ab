#pragma once

// A window without a window: holds the seven texts, the list and the focus,
// and records every message and every operation in the order they happen.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vcurve::testing {

struct Message {
  std::string prompt;
  MessageStyle style;
  std::string title;
  bool operator==(const Message&) const = default;
};

inline const char* fieldName(Field field) {
  static constexpr const char* kNames[] = {"Text1", "Text2", "Text3", "Text4",
                                           "Text5", "Text6", "Text7"};
  return kNames[static_cast<int>(field)];
}

// A GoogleTest parameter name from a case's description.
inline std::string testName(std::string_view what) {
  std::string name;
  for (const char c : what) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    name.push_back(word ? c : '_');
  }
  return name;
}

class RecordingPlatform : public Platform {
 public:
  std::array<std::string, 7> texts;
  std::vector<std::string> lines;
  std::vector<Message> messages;
  std::optional<Field> focus;
  // "read Text1", "set Text3", "focus Text3", "message 错误", in order.
  mutable std::vector<std::string> operations;

  // Hooks that stand in for the toolkit's events. onChange runs inside
  // setFieldText when a grade field's text really changes; onFocusLost runs
  // inside setFocus for the field that had the focus; whileMessageOpen runs
  // while a message box would be open.
  std::function<void(Field)> onChange;
  std::function<void(Field)> onFocusLost;
  std::function<void(const Message&)> whileMessageOpen;

  std::string& text(Field field) { return texts[static_cast<std::size_t>(field)]; }

  std::string fieldText(Field field) const override {
    operations.push_back(std::string("read ") + fieldName(field));
    return texts[static_cast<std::size_t>(field)];
  }

  void setFieldText(Field field, std::string_view value) override {
    operations.push_back(std::string("set ") + fieldName(field));
    const bool changed = text(field) != value;
    text(field) = std::string(value);
    if (changed && onChange && (field == Field::Text5 || field == Field::Text6)) onChange(field);
  }

  void setFocus(Field field) override {
    operations.push_back(std::string("focus ") + fieldName(field));
    moveFocus(field);
  }

  // Also used by tests to play the user clicking or tabbing into a field.
  void moveFocus(Field field) {
    const std::optional<Field> previous = focus;
    if (previous == field) return;
    focus = field;
    if (previous && onFocusLost) onFocusLost(*previous);
  }

  void appendListLine(std::string_view line) override { lines.emplace_back(line); }
  void clearList() override { lines.clear(); }

  void ShowMessage(std::string_view prompt, MessageStyle style, std::string_view title) override {
    operations.push_back("message " + std::string(title));
    const Message message{std::string(prompt), style, std::string(title)};
    messages.push_back(message);
    if (whileMessageOpen) whileMessageOpen(message);
  }

  // Fills Text1..Text7 in order.
  void fill(const std::array<std::string, 7>& values) { texts = values; }
};

}  // namespace vcurve::testing
