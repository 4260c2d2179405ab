#include "ui/menu_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <string_view>

#include "ui/form1.h"
#include "ui/shortcut_priority.h"

namespace vcurve {
namespace {

// The spaces at the end of the item captions stand between the caption and
// the shortcut text.
// clang-format off
constexpr MenuItemLayout kFileItems[] = {
    {"notepad", "记事本   ", "Ctrl+N", &Form1::notepad_Click},
    {"calc",    "计算器   ", "Ctrl+C", &Form1::calc_Click},
    {"j",       "-",         "",       nullptr},
    {"exit",    "退出    ",  "Ctrl+E", &Form1::exit_Click},
};
constexpr MenuItemLayout kHelpItems[] = {
    {"shuoming", "使用说明    ", "F1",     nullptr},
    {"about",    "关于    ",     "Ctrl+A", &Form1::about_Click},
};
constexpr MenuLayout kMenus[] = {
    {"file", "文件[&F]", kFileItems},
    {"help", "帮助[&H]", kHelpItems},
};
// clang-format on

}  // namespace

std::span<const MenuLayout> Form1Menus() { return kMenus; }

void Form1::buildMenus() {
  QList<QKeySequence> shortcuts;
  for (const MenuLayout& menuLayout : Form1Menus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuLayout.caption));
    menu->setObjectName(QString::fromUtf8(menuLayout.name));
    for (const MenuItemLayout& item : menuLayout.items) {
      if (std::string_view(item.caption) == "-") {
        menu->addSeparator()->setObjectName(QString::fromUtf8(item.name));
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item.caption));
      action->setObjectName(QString::fromUtf8(item.name));
      if (*item.shortcut != '\0') {
        const QKeySequence key(QString::fromLatin1(item.shortcut), QKeySequence::PortableText);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        shortcuts << key;
      }
      if (item.handler != nullptr) connect(action, &QAction::triggered, this, item.handler);
    }
  }
  installMenuShortcutPriority(this, shortcuts);
}

}  // namespace vcurve
