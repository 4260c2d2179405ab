#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace vcurve {

// The layout is measured in twips. Fifteen twips make one device-independent
// pixel (1/96 inch); Qt's high-DPI scaling takes it from there.
inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline QRect twipsToPixels(int left, int top, int width, int height) {
  return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace vcurve
