#include "ui/sheet/sheet_export.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>

#include "profile/sheet/dxf_writer.h"
#include "ui/sheet/sheet_painter.h"

namespace vcurve::sheetui {
namespace {

ExportOutcome writeDxf(const profile::sheet::SheetLayout& layout, const QString& path,
                       const std::function<bool(int, int)>& progress, QString* error) {
  QSaveFile file(path);
  const QString name = QFileInfo(path).fileName();
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(name, file.errorString());
    return ExportOutcome::Failed;
  }
  bool ok = true;
  const bool whole = profile::sheet::writeSheetsDxf(
      layout,
      [&](std::string_view block) {
        ok = ok && file.write(block.data(), static_cast<qint64>(block.size())) ==
                       static_cast<qint64>(block.size());
      },
      progress);
  if (!whole) {
    file.cancelWriting();
    return ExportOutcome::Cancelled;
  }
  if (!ok || !file.commit()) {
    file.cancelWriting();
    *error = QStringLiteral("无法写入“%1”：%2").arg(name, file.errorString());
    return ExportOutcome::Failed;
  }
  return ExportOutcome::Written;
}

}  // namespace

// A progress dialog that the work asks after each sheet whether to go on.
class Progress {
 public:
  Progress(QWidget* parent, const QString& what, int sheets)
      : dialog_(what.arg(sheets), QStringLiteral("取消"), 0, sheets, parent) {
    dialog_.setWindowTitle(QStringLiteral("导出纵断面图"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(400);
  }
  std::function<bool(int, int)> callback() {
    return [this](int done, int) {
      dialog_.setValue(done);
      QCoreApplication::processEvents();
      return !dialog_.wasCanceled();
    };
  }

 private:
  QProgressDialog dialog_;
};

ExportOutcome printSheets(QWidget* parent, const profile::sheet::SheetLayout& layout,
                          QPrinter& printer) {
  Progress progress(parent, QStringLiteral("正在打印纵断面图（共 %1 页）…"), layout.count());
  return paintSheets(layout, printer, printer.resolution(), progress.callback())
             ? ExportOutcome::Written
             : ExportOutcome::Cancelled;
}

ExportOutcome exportSheets(QWidget* parent, const profile::sheet::SheetLayout& layout,
                           const QString& path, SheetFileFormat format, QString* error) {
  QString unused;
  if (error == nullptr) error = &unused;
  error->clear();
  Progress dialog(parent, QStringLiteral("正在导出纵断面图（共 %1 页）…"), layout.count());
  const auto progress = dialog.callback();
  if (format == SheetFileFormat::Dxf) return writeDxf(layout, path, progress, error);
  if (writeSheetsPdf(layout, path, error, progress)) return ExportOutcome::Written;
  return error->isEmpty() ? ExportOutcome::Cancelled : ExportOutcome::Failed;
}

}  // namespace vcurve::sheetui
