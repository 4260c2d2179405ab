#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/app_look.h"
#include "ui/form1.h"

namespace {

bool hasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char* argv[]) {
  // Without a display Qt aborts with a long hint about platform plugins;
  // one plain line serves better.
  if (!hasEnv("QT_QPA_PLATFORM") && !hasEnv("DISPLAY") && !hasEnv("WAYLAND_DISPLAY")) {
    std::fprintf(stderr,
                 "vcurve: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "on a machine without one, run it as: xvfb-run -a %s\n",
                 argv[0]);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vcurve"));
  QApplication::setDesktopFileName(QStringLiteral("vcurve"));
  vcurve::ApplyApplicationLook(app);

  vcurve::Form1 form;
  form.show();
  return QApplication::exec();
}
