#include "ui/app_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/app_style.h"

namespace vcurve {
namespace {

// The layout was drawn for a font whose CJK characters are 12 x 12 pixels and
// whose Latin letters and digits are half as wide; labels size themselves to
// their captions and text boxes are 21 pixels high. A CJK font with
// half-width Latin letters at 12 pixels keeps every caption clear of the text
// boxes; other fonts are fallbacks.
constexpr const char* kPreferredFamilies[] = {"Noto Sans Mono CJK SC", "Noto Sans CJK SC",
                                              "WenQuanYi Zen Hei Mono", "WenQuanYi Micro Hei Mono"};
constexpr int kFontPixelSize = 12;

}  // namespace

void ApplyApplicationLook(QApplication& app) {
  // One style on every desktop: native styles on some of them ignore the
  // palette's button colour.
  QApplication::setStyle(new AppStyle);

  QFont font = QApplication::font();
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const char* family : kPreferredFamilies) {
    if (installed.contains(QLatin1String(family))) families << QLatin1String(family);
  }
  families << font.families();
  font.setFamilies(families);
  font.setPixelSize(kFontPixelSize);
  // Chinese, digits and Latin letters need no shaping; without it a text
  // box lays out and paints a long text in about half the time.
  font.setStyleStrategy(QFont::PreferNoShaping);
  QApplication::setFont(font);

  // Qt's own texts (a text box's context menu, for one) in Chinese too.
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
  QApplication::setWindowIcon(ApplicationIcon());
}

QIcon ApplicationIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/vcurve-32.png"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/icons/vcurve-16.png"), QSize(16, 16));
  return icon;
}

}  // namespace vcurve
