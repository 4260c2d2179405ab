// The PDFs (the sheets, the 路基设计表) through the toolkit, which needs an
// application object for its fonts: one without a display, made here when
// the program has none.

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "app/table/sections_command.h"
#include "app/table/sheet_command.h"
#include "ui/pages/subgrade_pages.h"
#include "ui/sheet/sheet_painter.h"

namespace vcurve::table {
namespace {

// The toolkit's remarks about the desktop it finds (no runtime folder and
// the like) are no concern of a command-line program's user.
void quietAboutTheDesktop(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
  std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

std::unique_ptr<QGuiApplication> applicationWithoutDisplay() {
  static int argc = 3;
#ifdef _WIN32
  // The Windows build carries its own platform alone, and it paints a PDF
  // without a desktop to show anything on.
  static char name[] = "vcurve-table", option[] = "-platform", platform[] = "windows";
#else
  static char name[] = "vcurve-table", option[] = "-platform", platform[] = "offscreen";
#endif
  static char* argv[] = {name, option, platform, nullptr};
  if (QCoreApplication::instance() != nullptr) return nullptr;
  qInstallMessageHandler(quietAboutTheDesktop);
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

std::string writeSubgradePdfFile(const SectionsInput& input, const std::string& fileName,
                                 const std::string& designSpeed, const std::string& path) {
  const auto application = applicationWithoutDisplay();
  const pageui::TableParticulars particulars{QString::fromStdString(fileName),
                                             QString::fromStdString(designSpeed),
                                             QStringLiteral("20 m")};
  QString error;
  if (pageui::writeSubgradePdf(*input.table, particulars, QString::fromStdString(path), &error)) {
    return {};
  }
  return error.toStdString();
}

std::string writeSheetsPdfFile(const profile::sheet::SheetLayout& layout, const std::string& path) {
  const auto application = applicationWithoutDisplay();
  QString error;
  if (sheetui::writeSheetsPdf(layout, QString::fromStdString(path), &error)) return {};
  return error.toStdString();
}

}  // namespace vcurve::table
