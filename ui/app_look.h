#pragma once

#include <QIcon>

class QApplication;

namespace vcurve {

// Style, font and translations shared by the program and its window tests,
// so that what the tests measure is what users see.
void ApplyApplicationLook(QApplication& app);

// The window icon, 32 x 32 and 16 x 16.
QIcon ApplicationIcon();

}  // namespace vcurve
