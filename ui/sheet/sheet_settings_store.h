#pragma once

// The sheets' settings as the window keeps them between sessions: the
// title block is typed once, the scales and rows stay as last chosen.

#include "profile/sheet/sheet_settings.h"

class QSettings;

namespace vcurve::sheetui {

profile::sheet::SheetSettings loadSheetSettings(const QSettings& settings);
// The range is the one road's, not kept.
void storeSheetSettings(QSettings& settings, const profile::sheet::SheetSettings& sheet);

}  // namespace vcurve::sheetui
