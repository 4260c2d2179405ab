#include "ui/steady_cursor.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>

namespace vcurve {
namespace {

class SteadyCursor : public QObject {
 public:
  explicit SteadyCursor(QWidget* window)
      : QObject(window),
        window_(window),
        desktopFlashTime_(QGuiApplication::styleHints()->cursorFlashTime()) {
    connect(qApp, &QApplication::focusChanged, this, &SteadyCursor::update);
    for (QLineEdit* text : window->findChildren<QLineEdit*>()) {
      connect(text, &QLineEdit::textChanged, this, &SteadyCursor::update);
    }
  }
  ~SteadyCursor() override { QGuiApplication::styleHints()->setCursorFlashTime(desktopFlashTime_); }

 private:
  void update() {
    const auto* focused = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
    const bool steady = focused != nullptr && focused->window() == window_ &&
                        focused->text().size() > kSteadyCursorLength;
    // The flash time is the application's; text boxes take a change of it
    // at once.
    const int flashTime = steady ? 0 : desktopFlashTime_;
    if (QGuiApplication::styleHints()->cursorFlashTime() != flashTime) {
      QGuiApplication::styleHints()->setCursorFlashTime(flashTime);
    }
  }

  QWidget* window_;
  int desktopFlashTime_;
};

}  // namespace

void KeepCursorSteadyInLongTexts(QWidget* window) { new SteadyCursor(window); }

}  // namespace vcurve
