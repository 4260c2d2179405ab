#pragma once

// The profile window for tests: dialogs answered from a script instead of
// shown, settings in a file of the test's own.

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <memory>
#include <optional>

#include "qt_harness.h"
#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_look.h"
#include "ui/profile/profile_window.h"

namespace vcurve::profileui::testing {

class ScriptedDialogs : public ProfileDialogs {
 public:
  std::deque<SaveChoice> saveChoices;
  std::deque<QString> paths;  // for open and save dialogs alike
  std::optional<int> chosenItem = 0;
  QStringList asked;  // what was asked, in order: "save?", "open", "save as", "error: ..."
  QString suggested;  // the name the last save dialog offered
  QString filters;    // and its file types, the first one chosen

  SaveChoice askToSave(QWidget*, const QString&) override {
    asked << QStringLiteral("save?");
    return next(saveChoices, SaveChoice::Cancel);
  }
  QString folder;  // where the last open dialog started
  QString openPath(QWidget*, const QString&, const QString&, const QString& start) override {
    asked << QStringLiteral("open");
    folder = start;
    return next(paths, QString());
  }
  QString savePath(QWidget*, const QString&, const QString& offered, const QString& filter,
                   bool = true) override {
    asked << QStringLiteral("save as");
    suggested = offered;
    filters = filter;
    return next(paths, QString());
  }
  // Answered from replaceAnswers, 取消 once they run out.
  std::deque<bool> replaceAnswers;
  bool confirmReplace(QWidget*, const QString&, const QString& text) override {
    asked << QStringLiteral("replace: ") + text;
    return next(replaceAnswers, false);
  }
  std::optional<int> chooseItem(QWidget*, const QString&, const QString&,
                                const QStringList&) override {
    asked << QStringLiteral("choose");
    return chosenItem;
  }
  void showError(QWidget*, const QString&, const QString& text) override {
    asked << QStringLiteral("error: ") + text;
  }
  void showAbout(QWidget*, const QString&, const QString&) override {
    asked << QStringLiteral("about");
  }
  bool setUpPrinter(QWidget*, QPrinter*) override {
    asked << QStringLiteral("print");
    return false;
  }
  // A preview made but never shown, as Qt's preview makes its pages, on
  // a printer that needs none installed.
  int previewPages = 0;
  void previewPrint(QWidget*, QPrinter* printer,
                    const std::function<void(QPrinter*)>& paint) override {
    asked << QStringLiteral("preview");
    printer->setOutputFormat(QPrinter::PdfFormat);
    QPrintPreviewWidget preview(printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                     [&paint](QPrinter* target) { paint(target); });
    preview.updatePreview();
    previewPages = preview.pageCount();
  }
  // The sheets' settings dialog answers with sheetChoice; offered is what
  // it was opened with.
  std::optional<sheetui::SheetExportChoice> sheetChoice;
  sheetui::SheetExportChoice offered;
  std::optional<sheetui::SheetExportChoice> chooseSheetExport(
      QWidget*, std::shared_ptr<const profile::Profile>, std::shared_ptr<const profile::GroundLine>,
      const sheetui::SheetExportChoice& initial) override {
    asked << QStringLiteral("sheets");
    offered = initial;
    return sheetChoice;
  }

 private:
  template <typename T>
  static T next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

class WindowHarness {
 public:
  WindowHarness()
      : settings_(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat),
        window_(std::make_unique<ProfileWindow>(ProfileWindow::Services{&dialogs, &settings_})) {
    window_->show();
  }
  // Anything still open would outlive the test and block the next one.
  ~WindowHarness() { vcurve::harness::closeModalWindows(); }

  ProfileWindow& window() { return *window_; }
  QSettings& settings() { return settings_; }

  // A file in the test's own folder.
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
  }
  static QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;

 private:
  QSettings settings_;
  std::unique_ptr<ProfileWindow> window_;
};

// With the program's own look.
#define VCURVE_PROFILE_TEST_MAIN(TestClass) \
  VCURVE_QT_TEST_MAIN(TestClass, vcurve::profileui::applyProfileLook)

}  // namespace vcurve::profileui::testing
