#pragma once

// Platform bound to real widgets.

#include <QPointer>
#include <array>
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
  QtFormPlatform(std::array<QLineEdit*, 7> fields, QListWidget* list, MessagePresenter presenter);

  std::string fieldText(Field field) const override;
  void setFieldText(Field field, std::string_view text) override;
  void setFocus(Field field) override;
  void appendListLine(std::string_view line) override;
  void clearList() override;
  void ShowMessage(std::string_view prompt, MessageStyle style, std::string_view title) override;

 private:
  QLineEdit* field(Field f) const { return fields_[static_cast<std::size_t>(f)]; }

  std::array<QLineEdit*, 7> fields_;
  QListWidget* list_;
  MessagePresenter presenter_;
};

}  // namespace vcurve
