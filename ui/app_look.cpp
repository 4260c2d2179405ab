#include "ui/app_look.h"

#include "ui/app_style.h"
#include "ui/application_look.h"

namespace vcurve {
namespace {

// The layout was drawn for a font whose CJK characters are 12 x 12 pixels and
// whose Latin letters and digits are half as wide; labels size themselves to
// their captions and text boxes are 21 pixels high. A CJK font with
// half-width Latin letters at 12 pixels keeps every caption clear of the text
// boxes; other fonts are fallbacks, Windows's own last.
constexpr const char* kPreferredFamilies[] = {
    "Noto Sans Mono CJK SC",    "Noto Sans CJK SC", "WenQuanYi Zen Hei Mono",
    "WenQuanYi Micro Hei Mono", "NSimSun",          "SimSun"};
constexpr int kFontPixelSize = 12;

}  // namespace

void ApplyApplicationLook(QApplication& app) {
  applyLook(app, {new AppStyle, kPreferredFamilies, kFontPixelSize, ApplicationIcon()});
}

QIcon ApplicationIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/vcurve-32.png"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/icons/vcurve-16.png"), QSize(16, 16));
  return icon;
}

}  // namespace vcurve
