#include "ui/profile/profile_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include "ui/profile/chinese_file_dialog.h"
#include "ui/sheet/sheet_export_dialog.h"

namespace vcurve::profileui {

SaveChoice QtProfileDialogs::askToSave(QWidget* parent, const QString& fileName) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("纵断面设计"),
                  QStringLiteral("“%1”已修改，是否保存？").arg(fileName), QMessageBox::NoButton,
                  parent);
  QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveChoice::Save;
  if (box.clickedButton() == discard) return SaveChoice::Discard;
  return SaveChoice::Cancel;
}

QString QtProfileDialogs::openPath(QWidget* parent, const QString& caption, const QString& filter,
                                   const QString& folder) {
  const auto dialog = makeFileDialog(parent, caption, folder, filter, QFileDialog::AcceptOpen);
  if (dialog->exec() != QDialog::Accepted) return {};
  return dialog->selectedFiles().value(0);
}

QString withChosenSuffix(const QString& path, const QString& chosenFilter) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  static const QRegularExpression kFirstPattern(QStringLiteral("\\*\\.(\\w+)"));
  const QRegularExpressionMatch suffix = kFirstPattern.match(chosenFilter);
  return suffix.hasMatch() ? path + '.' + suffix.captured(1) : path;
}

QString QtProfileDialogs::savePath(QWidget* parent, const QString& caption,
                                   const QString& suggested, const QString& filter,
                                   bool confirmOverwrite) {
  // Without this the window would give a typed name the first type's
  // suffix, and save CSV where the user chose LandXML.
  const auto dialog = makeFileDialog(parent, caption, suggested, filter, QFileDialog::AcceptSave);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
  if (dialog->exec() != QDialog::Accepted) return {};
  return withChosenSuffix(dialog->selectedFiles().value(0), dialog->selectedNameFilter());
}

bool QtProfileDialogs::confirmReplace(QWidget* parent, const QString& caption,
                                      const QString& text) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
  QPushButton* replace = box.addButton(QStringLiteral("替换"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == replace;
}

std::optional<int> QtProfileDialogs::chooseItem(QWidget* parent, const QString& caption,
                                                const QString& label, const QStringList& items) {
  bool ok = false;
  const QString chosen = QInputDialog::getItem(parent, caption, label, items, 0, false, &ok);
  if (!ok) return std::nullopt;
  return static_cast<int>(items.indexOf(chosen));
}

void QtProfileDialogs::showError(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox::warning(parent, caption, text);
}

void QtProfileDialogs::showAbout(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox::about(parent, caption, text);
}

bool QtProfileDialogs::setUpPrinter(QWidget* parent, QPrinter* printer) {
  QPrintDialog dialog(printer, parent);
  dialog.setWindowTitle(QStringLiteral("打印%1").arg(printer->docName().section(' ', 0, 0)));
  return dialog.exec() == QDialog::Accepted;
}

void QtProfileDialogs::previewPrint(QWidget* parent, QPrinter* printer,
                                    const std::function<void(QPrinter*)>& paint) {
  QPrintPreviewDialog dialog(printer, parent);
  dialog.setWindowTitle(QStringLiteral("打印预览 - %1").arg(printer->docName()));
  // Qt's own size shows a page too small to read a table on.
  if (parent != nullptr) dialog.resize(parent->window()->size() * 0.9);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&paint](QPrinter* target) { paint(target); });
  dialog.exec();
}

std::optional<sheetui::SheetExportChoice> QtProfileDialogs::chooseSheetExport(
    QWidget* parent, std::shared_ptr<const profile::Profile> profile,
    std::shared_ptr<const profile::GroundLine> ground, const sheetui::SheetExportChoice& initial) {
  sheetui::SheetExportDialog dialog(std::move(profile), std::move(ground), initial, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace vcurve::profileui
