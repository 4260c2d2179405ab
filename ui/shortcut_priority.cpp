#include "ui/shortcut_priority.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace vcurve {
namespace {

// Before a key becomes a shortcut, Qt offers it to the focus widget as a
// ShortcutOverride; a line edit accepts that for Copy and Select All and
// gets the key as typing instead. Swallowing the offer unaccepted leaves the
// key to the shortcut map, and so to the menu.
class MenuShortcutPriority : public QObject {
 public:
  MenuShortcutPriority(QObject* parent, QList<QKeySequence> shortcuts)
      : QObject(parent), shortcuts_(std::move(shortcuts)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (shortcuts_.contains(QKeySequence(key->keyCombination()))) return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QList<QKeySequence> shortcuts_;
};

}  // namespace

void installMenuShortcutPriority(QWidget* window, const QList<QKeySequence>& shortcuts) {
  auto* filter = new MenuShortcutPriority(window, shortcuts);
  window->installEventFilter(filter);
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(filter);
}

}  // namespace vcurve
