#include "ui/sheet/sheet_settings_store.h"

#include <QSettings>

namespace vcurve::sheetui {
namespace {

using namespace profile::sheet;

QString key(const char* name) { return QStringLiteral("sheets/") + QLatin1String(name); }

std::string text(const QSettings& settings, const char* name, const std::string& otherwise) {
  return settings.value(key(name), QString::fromStdString(otherwise)).toString().toStdString();
}

}  // namespace

SheetSettings loadSheetSettings(const QSettings& settings) {
  SheetSettings sheet;
  const auto number = [&](const char* name, double otherwise) {
    bool ok = false;
    const double value = settings.value(key(name)).toDouble(&ok);
    return ok ? value : otherwise;
  };
  sheet.horizontalScale = number("horizontalScale", sheet.horizontalScale);
  sheet.verticalScale = number("verticalScale", sheet.verticalScale);
  sheet.overlap = number("overlap", sheet.overlap);
  if (const auto paper = paperFromName(text(settings, "paper", "A3"))) sheet.paper = *paper;
  // Settings from a later version, or edited by hand, fall back rather
  // than leave a sheet without a band.
  const auto rows = parseBandRows(text(settings, "rows", bandRowsText(sheet.rows)), nullptr);
  if (!rows.empty()) sheet.rows = rows;
  sheet.titlesOnEverySheet = settings.value(key("titlesOnEverySheet"), true).toBool();
  TitleBlock& title = sheet.title;
  title.project = text(settings, "project", title.project);
  title.drawingTitle = text(settings, "drawingTitle", title.drawingTitle);
  title.drawingNumber = text(settings, "drawingNumber", title.drawingNumber);
  title.date = text(settings, "date", title.date);
  title.designer = text(settings, "designer", title.designer);
  title.checker = text(settings, "checker", title.checker);
  title.approver = text(settings, "approver", title.approver);
  if (settingsProblem(sheet).empty()) return sheet;
  return SheetSettings{};
}

void storeSheetSettings(QSettings& settings, const SheetSettings& sheet) {
  const auto put = [&](const char* name, const std::string& value) {
    settings.setValue(key(name), QString::fromStdString(value));
  };
  settings.setValue(key("horizontalScale"), sheet.horizontalScale);
  settings.setValue(key("verticalScale"), sheet.verticalScale);
  settings.setValue(key("overlap"), sheet.overlap);
  put("paper", std::string(paperName(sheet.paper)));
  put("rows", bandRowsText(sheet.rows));
  settings.setValue(key("titlesOnEverySheet"), sheet.titlesOnEverySheet);
  put("project", sheet.title.project);
  put("drawingTitle", sheet.title.drawingTitle);
  put("drawingNumber", sheet.title.drawingNumber);
  put("date", sheet.title.date);
  put("designer", sheet.title.designer);
  put("checker", sheet.title.checker);
  put("approver", sheet.title.approver);
}

}  // namespace vcurve::sheetui
