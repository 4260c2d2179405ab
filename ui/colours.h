#pragma once

#include <QColor>

namespace vcurve {

// The named colours of the window, as #RRGGBB.
inline const QColor kWindowColour{0xFF, 0xE0, 0xC0};        // window, labels, frames, options
inline const QColor kButtonColour{0xFF, 0xFF, 0xC0};        // face of the push buttons
inline const QColor kFrameCaptionColour{0x00, 0x80, 0x80};  // frame captions
inline const QColor kGreen{0x00, 0x80, 0x00};               // Label3, Label8
inline const QColor kRed{0xFF, 0x00, 0x00};                 // text of Text7

}  // namespace vcurve
