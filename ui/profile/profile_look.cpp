#include "ui/profile/profile_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

namespace vcurve::profileui {
namespace {

// A CJK font whose digits are as clear as its characters; the others are
// fallbacks. The first one installed wins.
constexpr const char* kPreferredFamilies[] = {"Noto Sans CJK SC", "Source Han Sans SC",
                                              "WenQuanYi Micro Hei", "Microsoft YaHei"};

}  // namespace

void applyProfileLook(QApplication& app) {
  // Fusion draws the findings' cell colours; some native styles paint over
  // a model's background colour.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);

  QFont font = QApplication::font();
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const char* family : kPreferredFamilies) {
    if (installed.contains(QLatin1String(family))) families << QLatin1String(family);
  }
  families << font.families();
  font.setFamilies(families);
  // Chinese, digits and Latin letters need no shaping, and laying out the
  // tables' headers without it is a good part of the start-up saved.
  font.setStyleStrategy(QFont::PreferNoShaping);
  QApplication::setFont(font);

  // The standard dialogs (open, save, print) in Chinese.
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
  QApplication::setWindowIcon(profileIcon());
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
