#include "platform/qt/qt_form_platform.h"

#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace vcurve {
namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void ShowMessageBox(QWidget* parent, std::string_view prompt, MessageStyle style,
                    std::string_view title) {
  QMessageBox box(style == MessageStyle::Warning ? QMessageBox::Warning : QMessageBox::Information,
                  fromUtf8(title), fromUtf8(prompt), QMessageBox::NoButton, parent);
  // The caption is set here rather than left to a translation file, so the
  // box is Chinese whatever is installed.
  box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box.setWindowModality(Qt::ApplicationModal);
  // A message has one size; with min = max the window manager offers no
  // maximise button for it.
  box.layout()->setSizeConstraint(QLayout::SetFixedSize);
  box.exec();
}

QtFormPlatform::QtFormPlatform(std::function<QLineEdit*(Field)> fieldBox, QListWidget* list,
                               MessagePresenter presenter)
    : fieldBox_(std::move(fieldBox)), list_(list), presenter_(std::move(presenter)) {}

std::string QtFormPlatform::fieldText(Field f) const { return fieldBox_(f)->text().toStdString(); }

void QtFormPlatform::setFieldText(Field f, std::string_view text) {
  // textChanged is delivered synchronously, so a grade field's change check
  // has run when this returns.
  fieldBox_(f)->setText(fromUtf8(text));
}

void QtFormPlatform::setFocus(Field f) { fieldBox_(f)->setFocus(Qt::OtherFocusReason); }

void QtFormPlatform::appendListLine(std::string_view line) {
  list_->addItem(fromUtf8(line));
  list_->scrollToBottom();
}

void QtFormPlatform::clearList() { list_->clear(); }

void QtFormPlatform::ShowMessage(std::string_view prompt, MessageStyle style,
                                 std::string_view title) {
  presenter_(prompt, style, title);
}

}  // namespace vcurve
