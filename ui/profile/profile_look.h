#pragma once

#include <QIcon>

class QApplication;

namespace vcurve::profileui {

// The profile window's look: Fusion and a CJK font at the desktop's size.
void applyProfileLook(QApplication& app);

// 16, 32 and 48 pixels.
QIcon profileIcon();

}  // namespace vcurve::profileui
