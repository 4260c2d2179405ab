#pragma once

// Platform bound to real widgets.

#include <functional>

#include "platform/platform.h"

class QLineEdit;
class QListWidget;
class QWidget;

namespace vcurve {

// Shows a message. The window's own presenter opens a modal box; tests
// put a recorder in its place.
using MessagePresenter =
    std::function<void(std::string_view prompt, MessageStyle style, std::string_view title)>;

// A modal box with the style's icon, the title and a single "确定" button,
// over parent. Returns when the user has closed it.
void ShowMessageBox(QWidget* parent, std::string_view prompt, MessageStyle style,
                    std::string_view title);

class QtFormPlatform : public Platform {
 public:
  // fieldBox: the text box that holds a field.
  QtFormPlatform(std::function<QLineEdit*(Field)> fieldBox, QListWidget* list,
                 MessagePresenter presenter);

  std::string fieldText(Field field) const override;
  void setFieldText(Field field, std::string_view text) override;
  void setFocus(Field field) override;
  void appendListLine(std::string_view line) override;
  void clearList() override;
  void ShowMessage(std::string_view prompt, MessageStyle style, std::string_view title) override;

 private:
  std::function<QLineEdit*(Field)> fieldBox_;
  QListWidget* list_;
  MessagePresenter presenter_;
};

}  // namespace vcurve
