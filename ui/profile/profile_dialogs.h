#pragma once

// Every modal question the profile window asks, behind one interface, so
// that the window's tests answer them instead of a person and no test can
// wait on a dialog.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "ui/sheet/sheet_export.h"

class QPrinter;
class QWidget;

namespace vcurve::profileui {

enum class SaveChoice { Save, Discard, Cancel };

class ProfileDialogs {
 public:
  virtual ~ProfileDialogs() = default;

  // 保存 / 不保存 / 取消 for unsaved changes to the named file.
  virtual SaveChoice askToSave(QWidget* parent, const QString& fileName) = 0;
  // A path, or empty when the user cancelled. The open dialog starts in
  // folder; the save dialog in the suggested file's.
  virtual QString openPath(QWidget* parent, const QString& caption, const QString& filter,
                           const QString& folder) = 0;
  // With confirmOverwrite false an existing file is returned unasked: the
  // caller asks itself, saying what replacing it would lose.
  virtual QString savePath(QWidget* parent, const QString& caption, const QString& suggested,
                           const QString& filter, bool confirmOverwrite = true) = 0;
  // 替换 / 取消 for saving over an existing file; text says what is lost.
  virtual bool confirmReplace(QWidget* parent, const QString& caption, const QString& text) = 0;
  // One of the items, by index; none when cancelled.
  virtual std::optional<int> chooseItem(QWidget* parent, const QString& caption,
                                        const QString& label, const QStringList& items) = 0;
  virtual void showError(QWidget* parent, const QString& caption, const QString& text) = 0;
  virtual void showAbout(QWidget* parent, const QString& caption, const QString& text) = 0;
  // The print dialog; false when cancelled.
  virtual bool setUpPrinter(QWidget* parent, QPrinter* printer) = 0;
  // The pages as they will print, 打印 and the page settings at hand;
  // paint draws them on the printer it is given, as often as asked.
  virtual void previewPrint(QWidget* parent, QPrinter* printer,
                            const std::function<void(QPrinter*)>& paint) = 0;
  // The 纵断面图's settings, starting from initial; none when cancelled.
  virtual std::optional<sheetui::SheetExportChoice> chooseSheetExport(
      QWidget* parent, std::shared_ptr<const profile::Profile> profile,
      std::shared_ptr<const profile::GroundLine> ground,
      const sheetui::SheetExportChoice& initial) {
    (void)parent, (void)profile, (void)ground, (void)initial;
    return std::nullopt;
  }
};

// A name typed without a suffix gets the one of the file type chosen in
// the save dialog: "road" with "LandXML 文件 (*.xml)" is road.xml.
QString withChosenSuffix(const QString& path, const QString& chosenFilter);

// The real dialogs: Qt's file, message and print dialogs, in Chinese.
class QtProfileDialogs : public ProfileDialogs {
 public:
  SaveChoice askToSave(QWidget* parent, const QString& fileName) override;
  QString openPath(QWidget* parent, const QString& caption, const QString& filter,
                   const QString& folder) override;
  QString savePath(QWidget* parent, const QString& caption, const QString& suggested,
                   const QString& filter, bool confirmOverwrite = true) override;
  bool confirmReplace(QWidget* parent, const QString& caption, const QString& text) override;
  std::optional<int> chooseItem(QWidget* parent, const QString& caption, const QString& label,
                                const QStringList& items) override;
  void showError(QWidget* parent, const QString& caption, const QString& text) override;
  void showAbout(QWidget* parent, const QString& caption, const QString& text) override;
  bool setUpPrinter(QWidget* parent, QPrinter* printer) override;
  void previewPrint(QWidget* parent, QPrinter* printer,
                    const std::function<void(QPrinter*)>& paint) override;
  std::optional<sheetui::SheetExportChoice> chooseSheetExport(
      QWidget* parent, std::shared_ptr<const profile::Profile> profile,
      std::shared_ptr<const profile::GroundLine> ground,
      const sheetui::SheetExportChoice& initial) override;
};

}  // namespace vcurve::profileui
