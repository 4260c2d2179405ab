#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>

#include "app/startup_failure.h"
#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_look.h"
#include "ui/profile/profile_window.h"

int main(int argc, char* argv[]) {
  vcurve::ExplainStartupFailure("vcurve-profile", argv[0]);
  QApplication app(argc, argv);
  vcurve::ReleaseStartupMessages();
  QApplication::setOrganizationName(QStringLiteral("vcurve"));
  QApplication::setApplicationName(QStringLiteral("vcurve-profile"));
  QApplication::setApplicationDisplayName(QStringLiteral("纵断面设计"));
  QApplication::setApplicationVersion(QStringLiteral(VCURVE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("vcurve-profile"));
  vcurve::profileui::applyProfileLook(app);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("纵断面设计：纵坡竖曲线表、纵断面图、规范检查和逐桩高程表"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("文件"),
                               QStringLiteral("要打开的纵断面（CSV 或 LandXML）"),
                               QStringLiteral("[文件]"));
  parser.process(app);

  vcurve::profileui::QtProfileDialogs dialogs;
  QSettings settings;
  vcurve::profileui::ProfileWindow window({&dialogs, &settings});
  window.show();
  if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
    window.openPath(files.front());
  }
  return QApplication::exec();
}
