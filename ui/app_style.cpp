#include "ui/app_style.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace vcurve {

AppStyle::AppStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const {
  const QColor highlight = option->palette.color(QPalette::Highlight);
  if (element == PE_PanelButtonCommand) {
    const bool pressed = option->state & (State_Sunken | State_On);
    const bool focused = option->state & State_HasFocus;
    const QColor face = option->palette.color(QPalette::Button);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(focused ? highlight.darker(125) : face.darker(160));
    painter->setBrush(pressed ? face.darker(112) : face);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->restore();
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (element == PE_Frame && (option->state & State_HasFocus) &&
      qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
    // The same ring a focused text box has.
    painter->save();
    painter->setPen(highlight.darker(125));
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    QColor inner = highlight;
    inner.setAlpha(110);
    painter->setPen(inner);
    painter->drawRect(option->rect.adjusted(1, 1, -2, -2));
    painter->restore();
  }
}

}  // namespace vcurve
