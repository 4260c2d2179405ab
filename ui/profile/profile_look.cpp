#include "ui/profile/profile_look.h"

#include "ui/application_look.h"

namespace vcurve::profileui {
namespace {

// A CJK font whose digits are as clear as its characters, at the desktop's
// size; the others are fallbacks.
constexpr const char* kPreferredFamilies[] = {"Noto Sans CJK SC", "Source Han Sans SC",
                                              "WenQuanYi Micro Hei", "Microsoft YaHei", "SimSun"};

}  // namespace

void applyProfileLook(QApplication& app) {
  // Fusion, which draws the findings' cell colours; some native styles
  // paint over a model's background colour.
  applyLook(app, {nullptr, kPreferredFamilies, 0, profileIcon()});
}

QIcon profileIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    icon.addFile(QStringLiteral(":/profile-icons/vcurve-profile-%1.png").arg(size),
                 QSize(size, size));
  }
  return icon;
}

}  // namespace vcurve::profileui
