#pragma once

#include <QIcon>

class QApplication;

namespace vcurve {

// The calculator's look: its flat-faced style and the 12-pixel CJK font its
// layout was drawn for.
void ApplyApplicationLook(QApplication& app);

// The window icon, 32 x 32 and 16 x 16.
QIcon ApplicationIcon();

}  // namespace vcurve
