#include "ui/profile/profile_actions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QUndoStack>
#include <array>

#include "ui/profile/profile_window.h"

namespace vcurve::profileui {
namespace {

using K = QKeySequence;
using W = ProfileWindow;

// clang-format off
constexpr std::array kActions{
  // command, menu, caption, standard key, keys, separator before, on the toolbar, on the table,
  // run, toggle
  ActionEntry{Command::New,              MenuName::File, "新建(&N)",                     K::New,       "",             false, true,  false, &W::newProfile,      nullptr},
  ActionEntry{Command::Open,             MenuName::File, "打开(&O)…",                    K::Open,      "",             false, true,  false, &W::openProfile,     nullptr},
  ActionEntry{Command::Save,             MenuName::File, "保存(&S)",                     K::Save,      "",             true,  true,  false, &W::saveCommand,     nullptr},
  ActionEntry{Command::SaveAs,           MenuName::File, "另存为(&A)…",                  K::SaveAs,    "Ctrl+Shift+S", false, false, false, &W::saveAsCommand,   nullptr},
  ActionEntry{Command::ImportGround,     MenuName::File, "导入地面线(&G)…",              std::nullopt, "Ctrl+G",       true,  false, false, &W::importGround,    nullptr},
  ActionEntry{Command::ExportStakeCsv,   MenuName::File, "导出逐桩高程表 CSV(&C)…",      std::nullopt, "",             true,  false, false, &W::exportStakeCsv,  nullptr},
  ActionEntry{Command::ExportStakeXlsx,  MenuName::File, "导出逐桩高程表 Excel(&E)…",    std::nullopt, "",             false, false, false, &W::exportStakeXlsx, nullptr},
  ActionEntry{Command::PreviewStake,     MenuName::File, "打印预览逐桩高程表(&V)…",      K::Print,     "Ctrl+P",       true,  false, false, &W::previewStakeTable, nullptr},
  ActionEntry{Command::PrintStake,       MenuName::File, "打印逐桩高程表(&P)…",          std::nullopt, "Ctrl+Shift+P", false, false, false, &W::printStakeTable, nullptr},
  ActionEntry{Command::SaveStakePdf,     MenuName::File, "逐桩高程表存为 PDF(&D)…",      std::nullopt, "",             false, false, false, &W::saveStakePdf,    nullptr},
  ActionEntry{Command::PreviewDesign,    MenuName::File, "打印预览纵坡竖曲线表(&W)…",    std::nullopt, "",             true,  false, false, &W::previewDesignTable, nullptr},
  ActionEntry{Command::PrintDesign,      MenuName::File, "打印纵坡竖曲线表(&L)…",        std::nullopt, "",             false, false, false, &W::printDesignTable, nullptr},
  ActionEntry{Command::SaveDesignPdf,    MenuName::File, "纵坡竖曲线表存为 PDF(&F)…",    std::nullopt, "",             false, false, false, &W::saveDesignPdf,   nullptr},
  ActionEntry{Command::ExportSheets,     MenuName::File, "导出纵断面图(&T)…",            std::nullopt, "",             true,  false, false, &W::exportSheets,    nullptr},
  ActionEntry{Command::ImportSections,   MenuName::File, "导入横断面/超高表(&H)…",       std::nullopt, "",             true,  false, false, &W::importSections,  nullptr},
  ActionEntry{Command::SaveSections,     MenuName::File, "保存横断面/超高表…",           std::nullopt, "",             false, false, false, &W::saveSections,    nullptr},
  ActionEntry{Command::ExportSubgradeCsv, MenuName::File, "导出路基设计表 CSV…",         std::nullopt, "",             false, false, false, &W::exportSubgradeCsv, nullptr},
  ActionEntry{Command::ExportSubgradeXlsx, MenuName::File, "导出路基设计表 Excel…",      std::nullopt, "",             false, false, false, &W::exportSubgradeXlsx, nullptr},
  ActionEntry{Command::SaveSubgradePdf,  MenuName::File, "路基设计表存为 PDF…",          std::nullopt, "",             false, false, false, &W::saveSubgradePdf, nullptr},
  ActionEntry{Command::Quit,             MenuName::File, "退出(&X)",                     K::Quit,      "Ctrl+Q",       true,  false, false, &W::quit,            nullptr},
  ActionEntry{Command::Undo,             MenuName::Edit, "撤销",                         K::Undo,      "",             true,  true,  false, nullptr,             nullptr},
  ActionEntry{Command::Redo,             MenuName::Edit, "重做",                         K::Redo,      "",             false, true,  false, nullptr,             nullptr},
  ActionEntry{Command::Copy,             MenuName::Edit, "复制(&C)",                     K::Copy,      "",             true,  false, true,  &W::copyCells,       nullptr},
  ActionEntry{Command::Paste,            MenuName::Edit, "粘贴(&P)",                     K::Paste,     "",             false, false, true,  &W::pasteOver,       nullptr},
  ActionEntry{Command::PasteBelow,       MenuName::Edit, "粘贴为新行（当前行下方）(&B)", std::nullopt, "Ctrl+Shift+V", false, false, true,  &W::pasteBelow,      nullptr},
  ActionEntry{Command::InsertRow,        MenuName::Edit, "插入行(&I)",                   std::nullopt, "Ctrl+I",       true,  true,  true,  &W::insertRow,       nullptr},
  ActionEntry{Command::DeleteRows,       MenuName::Edit, "删除行(&D)",                   std::nullopt, "Ctrl+Del",     false, true,  true,  &W::deleteRows,      nullptr},
  ActionEntry{Command::FindElevation,    MenuName::Edit, "按高程反查桩号(&F)",           K::Find,      "Ctrl+F",       true,  false, false, &W::findElevation,   nullptr},
  ActionEntry{Command::FitAll,           MenuName::View, "全图(&A)",                     std::nullopt, "Ctrl+0",       true,  true,  false, &W::fitAll,          nullptr},
  ActionEntry{Command::StationsInMetres, MenuName::View, "桩号以米显示(&M)",             std::nullopt, "",             false, false, false, nullptr,             &W::toggleStationsInMetres},
  ActionEntry{Command::About,            MenuName::Help, "关于(&A)",                     std::nullopt, "",             false, false, false, &W::about,           nullptr},
};
// clang-format on

constexpr std::array<const char*, 4> kMenuTitles{"文件(&F)", "编辑(&E)", "视图(&V)", "帮助(&H)"};

QList<QKeySequence> keysOf(const ActionEntry& entry) {
  QList<QKeySequence> keys;
  if (entry.standardKey) keys = QKeySequence::keyBindings(*entry.standardKey);
  // A desktop without the standard binding still gets the usual key.
  if (keys.isEmpty() && entry.keys[0] != '\0') keys << QKeySequence(QString::fromUtf8(entry.keys));
  return keys;
}

// "打开(&O)…" becomes "打开" for the toolbar. Plain string work: a regular
// expression compiled for each of twenty captions was a visible part of
// the start-up.
QString plainCaption(const char* caption) {
  QString text = QString::fromUtf8(caption);
  if (const qsizetype accelerator = text.indexOf(QLatin1String("(&")); accelerator >= 0) {
    text.remove(accelerator, 4);
  }
  text.remove(QChar(0x2026));
  return text;
}

}  // namespace

std::span<const ActionEntry> actionTable() { return kActions; }

void buildActions(ProfileWindow* window, QUndoStack* undo, QWidget* table, QToolBar* toolBar,
                  std::map<Command, QAction*>* actions, QMenu** recentMenu) {
  std::array<QMenu*, kMenuTitles.size()> menus{};
  for (std::size_t m = 0; m < menus.size(); ++m) {
    menus[m] = window->menuBar()->addMenu(QString::fromUtf8(kMenuTitles[m]));
  }
  bool toolGroupStarted = false;
  for (const ActionEntry& entry : kActions) {
    QAction* action = nullptr;
    if (entry.command == Command::Undo) {
      action = undo->createUndoAction(window, QStringLiteral("撤销"));
    } else if (entry.command == Command::Redo) {
      action = undo->createRedoAction(window, QStringLiteral("重做"));
    } else {
      action = new QAction(QString::fromUtf8(entry.caption), window);
    }
    action->setShortcuts(keysOf(entry));
    action->setIconText(plainCaption(entry.caption));
    // Connected first, so that it runs before the command.
    QObject::connect(action, &QAction::triggered, window, &ProfileWindow::commitPendingEdit);
    if (entry.run != nullptr) QObject::connect(action, &QAction::triggered, window, entry.run);
    if (entry.toggle != nullptr) {
      action->setCheckable(true);
      QObject::connect(action, &QAction::toggled, window, entry.toggle);
    }
    if (entry.onTable) {
      action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
      table->addAction(action);
    } else {
      window->addAction(action);
    }

    QMenu* menu = menus[static_cast<std::size_t>(entry.menu)];
    if (entry.separatorBefore) menu->addSeparator();
    menu->addAction(action);
    if (entry.command == Command::Open) {
      *recentMenu = menu->addMenu(QStringLiteral("最近打开的文件(&R)"));
      (*recentMenu)->setToolTipsVisible(true);
    }
    if (entry.onToolBar) {
      if (entry.separatorBefore && toolGroupStarted) toolBar->addSeparator();
      toolBar->addAction(action);
      toolGroupStarted = true;
    }
    if (!action->shortcut().isEmpty()) {
      action->setToolTip(
          QStringLiteral("%1（%2）")
              .arg(action->iconText(), action->shortcut().toString(QKeySequence::NativeText)));
    }
    (*actions)[entry.command] = action;
  }
}

}  // namespace vcurve::profileui
