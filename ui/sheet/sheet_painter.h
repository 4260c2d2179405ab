#pragma once

// The sheets through QPainter: onto a PDF page, a printer's page or an
// image for the preview. Vector on every device that keeps vectors.

#include <QPointF>
#include <QString>
#include <functional>

#include "profile/sheet/sheet_layout.h"

class QPainter;
class QPagedPaintDevice;

namespace vcurve::sheetui {

// Paints a sheet with its lower-left paper corner at origin (device
// units) and pixelsPerMm device units to a paper millimetre.
void paintSheet(QPainter& painter, const profile::sheet::Sheet& sheet, QPointF origin,
                double pixelsPerMm);

// Every sheet onto a paged device, one page each, after setting its page
// size to the sheets' paper. progress as in writeSheetsDxf(); false when
// stopped or when the device would not paint.
bool paintSheets(const profile::sheet::SheetLayout& layout, QPagedPaintDevice& device,
                 double resolution, const std::function<bool(int, int)>& progress = {});

// A PDF file with the CJK font embedded, that only appears under its name
// once whole: a stopped or failed writing leaves nothing. *error in
// Chinese on failure; empty when stopped.
bool writeSheetsPdf(const profile::sheet::SheetLayout& layout, const QString& path, QString* error,
                    const std::function<bool(int, int)>& progress = {});

}  // namespace vcurve::sheetui
