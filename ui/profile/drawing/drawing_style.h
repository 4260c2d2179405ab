#pragma once

// The drawing's colours and strokes, chosen to read on white paper and on
// screen: the design line strong, the ground line earthy and thinner, the
// grid faint, findings in the red and amber the table uses.

#include <QColor>

#include "profile/checks.h"

namespace vcurve::profileui::style {

inline const QColor kPaper{255, 255, 255};
inline const QColor kGrid{226, 229, 234};
inline const QColor kFrame{160, 166, 176};
inline const QColor kAxisText{80, 86, 96};
inline const QColor kDesign{18, 74, 160};
inline const QColor kGround{140, 94, 48};
inline const QColor kAnnotation{40, 40, 40};
inline const QColor kSelection{0, 150, 230};
inline const QColor kHover{120, 120, 120};
inline const QColor kHidden{120, 130, 145};  // a point or grade whose label found no room
inline const QColor kError{211, 47, 47};
inline const QColor kWarning{232, 150, 0};
inline const QColor kNote{84, 130, 170};

inline constexpr double kBandWidth = 9;
inline constexpr double kRingRadius = 9;
inline constexpr double kPointRadius = 3.5;

inline QColor severityColour(profile::Severity severity) {
  switch (severity) {
    case profile::Severity::Error:
      return kError;
    case profile::Severity::Warning:
      return kWarning;
    case profile::Severity::Note:
      break;
  }
  return kNote;
}

}  // namespace vcurve::profileui::style
