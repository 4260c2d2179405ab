#include <QApplication>

#include "app/startup_failure.h"
#include "ui/app_look.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  vcurve::ExplainStartupFailure("vcurve", argv[0]);
  QApplication app(argc, argv);
  vcurve::ReleaseStartupMessages();
  QApplication::setApplicationName(QStringLiteral("vcurve"));
  QApplication::setDesktopFileName(QStringLiteral("vcurve"));
  vcurve::ApplyApplicationLook(app);

  vcurve::Form1 form;
  form.show();
  return QApplication::exec();
}
