#pragma once

// The look both windows share, so that what their tests see is what users
// see: one style on every desktop, a CJK font chosen from those installed,
// text without shaping, and Qt's own texts in Chinese. What differs between
// the windows is given, not copied.

#include <QIcon>
#include <span>

class QApplication;
class QStyle;

namespace vcurve {

struct ApplicationLook {
  // Taken over by the application; Fusion when null.
  QStyle* style = nullptr;
  // The first of these installed comes first; the desktop's font stays as
  // the fallback.
  std::span<const char* const> fontFamilies;
  // 0 keeps the desktop's font size.
  int fontPixelSize = 0;
  QIcon icon;
};

void applyLook(QApplication& app, const ApplicationLook& look);

}  // namespace vcurve
