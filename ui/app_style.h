#pragma once

#include <QProxyStyle>

namespace vcurve {

// Fusion with two differences a desktop's own controls have and Fusion
// lacks: push buttons filled flat with their face colour (Fusion shades it
// to near white), and a results list that shows when it has the focus even
// with no line to draw a focus rectangle on.
class AppStyle : public QProxyStyle {
 public:
  AppStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace vcurve
