#include "gui_harness.h"

#include <QListWidget>

namespace vcurve::testing {

GuiHarness::GuiHarness() {
  Form1::Services services;
  services.presentMessage = [this](std::string_view prompt, MessageStyle style,
                                   std::string_view title) {
    const Message message{std::string(prompt), style, std::string(title)};
    messages.push_back(message);
    if (whileMessageOpen) whileMessageOpen(message);
  };
  services.programStarter = &starter;
  form_ = std::make_unique<Form1>(services);
  form_->show();
  form_->activateWindow();
  if (!QTest::qWaitForWindowActive(form_.get())) qWarning("Form1 did not become active");
}

// Anything still open would outlive the test and block the next one.
GuiHarness::~GuiHarness() { harness::closeModalWindows(); }

QStringList GuiHarness::lines() const {
  QStringList result;
  const QListWidget* list = form_->controls().List1;
  for (int row = 0; row < list->count(); ++row) result << list->item(row)->text();
  return result;
}

void GuiHarness::fill(const QStringList& texts) {
  for (int i = 0; i < texts.size() && i < 7; ++i) {
    const QSignalBlocker quiet(text(i + 1));
    text(i + 1)->setText(texts[i]);
  }
}

void GuiHarness::typeWorkedExample(const QString& station) {
  const QStringList values{"500", "40", "800", "100", "3", "2", station};
  text(1)->setFocus(Qt::TabFocusReason);
  for (int i = 0; i < values.size(); ++i) {
    QWidget* field = QApplication::focusWidget();
    QTest::keyClicks(field, values[i]);
    if (i + 1 < values.size()) QTest::keyClick(field, Qt::Key_Tab);
  }
}

}  // namespace vcurve::testing
