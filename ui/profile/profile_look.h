#pragma once

#include <QIcon>

class QApplication;

namespace vcurve::profileui {

// Style, CJK font and Qt's own Chinese texts for the profile window and
// its tests, so that what the tests see is what users see.
void applyProfileLook(QApplication& app);

// 16, 32 and 48 pixels.
QIcon profileIcon();

}  // namespace vcurve::profileui
