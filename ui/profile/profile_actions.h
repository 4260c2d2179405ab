#pragma once

// Every command of the profile window with its caption, key, menu and
// toolbar place, in one table.

#include <QKeySequence>
#include <map>
#include <optional>
#include <span>

class QAction;
class QMenu;
class QToolBar;
class QUndoStack;
class QWidget;

namespace vcurve::profileui {

class ProfileWindow;

enum class Command {
  New,
  Open,
  Save,
  SaveAs,
  ImportGround,
  ExportStakeCsv,
  ExportStakeXlsx,
  PreviewStake,
  PrintStake,
  SaveStakePdf,
  PreviewDesign,
  PrintDesign,
  SaveDesignPdf,
  ExportSheets,
  ImportSections,
  SaveSections,
  ExportSubgradeCsv,
  ExportSubgradeXlsx,
  SaveSubgradePdf,
  Quit,
  Undo,
  Redo,
  Copy,
  Paste,
  PasteBelow,
  InsertRow,
  DeleteRows,
  FindElevation,
  FitAll,
  StationsInMetres,
  About,
};

enum class MenuName { File, Edit, View, Help };

struct ActionEntry {
  Command command;
  MenuName menu;
  const char* caption;  // UTF-8, with its &-accelerator
  std::optional<QKeySequence::StandardKey> standardKey;
  const char* keys;  // when the desktop has no standard key for it
  bool separatorBefore;
  bool onToolBar;
  // Acts on the table: in its context menu, and its keys work while the
  // table has the focus, leaving a cell editor's own copy and paste alone.
  bool onTable;
  void (ProfileWindow::*run)();
  void (ProfileWindow::*toggle)(bool);  // for a checkable action instead
};

std::span<const ActionEntry> actionTable();

// Builds the actions, the menu bar and the toolbar of the window from the
// table; undo and redo come from the stack. The recent-files submenu
// follows Open.
void buildActions(ProfileWindow* window, QUndoStack* undo, QWidget* table, QToolBar* toolBar,
                  std::map<Command, QAction*>* actions, QMenu** recentMenu);

}  // namespace vcurve::profileui
