#pragma once

#include <QKeySequence>
#include <QList>

class QWidget;

namespace vcurve {

// The menu's shortcut keys work everywhere in the window and win over a
// control's own use of the same key: Ctrl+C in a text box chooses 计算器 and
// copies nothing, Ctrl+A opens 关于 instead of selecting all.
void installMenuShortcutPriority(QWidget* window, const QList<QKeySequence>& shortcuts);

}  // namespace vcurve
