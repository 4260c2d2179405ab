#include "ui/application_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace vcurve {

void applyLook(QApplication& app, const ApplicationLook& look) {
  // One style on every desktop: native styles on some of them ignore the
  // palette's button colour or paint over a model's background colour.
  QStyle* style =
      look.style != nullptr ? look.style : QStyleFactory::create(QStringLiteral("Fusion"));
  if (style != nullptr) QApplication::setStyle(style);

  QFont font = QApplication::font();
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const char* family : look.fontFamilies) {
    if (installed.contains(QLatin1String(family))) families << QLatin1String(family);
  }
  families << font.families();
  font.setFamilies(families);
  if (look.fontPixelSize > 0) font.setPixelSize(look.fontPixelSize);
  // Chinese, digits and Latin letters need no shaping; without it a text
  // box lays out and paints a long text in about half the time, and the
  // tables' headers are laid out faster at start-up.
  font.setStyleStrategy(QFont::PreferNoShaping);
  QApplication::setFont(font);

  // Qt's own texts (a text box's context menu, the open, save and print
  // dialogs) in Chinese too, and the names of file types, which follow the
  // default locale rather than the translations.
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")) ||
      translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
  QApplication::setWindowIcon(look.icon);
}

}  // namespace vcurve
