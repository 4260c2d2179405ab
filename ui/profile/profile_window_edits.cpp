// The table's editing commands: copy and paste in the shape spreadsheets
// use, rows inserted and deleted, and the view toggles.

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <set>

#include "profile/csv_records.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/elevation_lookup.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/profile_window.h"

namespace vcurve::profileui {

std::optional<std::size_t> ProfileWindow::currentRow() const {
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return static_cast<std::size_t>(current.row());
}

void ProfileWindow::applyEdit(const TableEdit& edit, const QString& what) {
  QString refusal = QString::fromStdString(edit.error);
  if (edit.ok()) refusal = document_.editPoints(edit.points, edit.change, what);
  if (!refusal.isEmpty()) {
    refuse(refusal);
    return;
  }
  selectRows(edit.firstRow, edit.lastRow);
}

// Rows separated by line breaks and cells by tabs, as Excel and WPS copy
// them, over the rectangle the selection spans.
void ProfileWindow::copyCells() {
  const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return;
  int top = selected.front().row(), bottom = top;
  int left = selected.front().column(), right = left;
  for (const QModelIndex& index : selected) {
    top = std::min(top, index.row());
    bottom = std::max(bottom, index.row());
    left = std::min(left, index.column());
    right = std::max(right, index.column());
  }
  // The empty row under the last point holds nothing to copy.
  bottom = std::min(bottom, static_cast<int>(document_.points().size()) - 1);
  if (top > bottom) return;
  QString text;
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      if (column > left) text += '\t';
      const QModelIndex index = model_->index(row, column);
      if (table_->selectionModel()->isSelected(index)) text += model_->copyText(index);
    }
    text += '\n';
  }
  QApplication::clipboard()->setText(text);
  say(QStringLiteral("已复制 %1 行 %2 列").arg(bottom - top + 1).arg(right - left + 1));
}

void ProfileWindow::pasteOver() { paste(PasteMode::Over); }
void ProfileWindow::pasteBelow() { paste(PasteMode::Below); }

void ProfileWindow::paste(PasteMode mode) {
  const QString text = QApplication::clipboard()->text();
  const auto cells = profile::pastedCells(text.toStdString());
  if (cells.empty()) {
    refuse(QStringLiteral("剪贴板中没有可粘贴的内容"));
    return;
  }
  // The block's top-left lands on the selection's top-left cell.
  int row = table_->currentIndex().isValid() ? table_->currentIndex().row() : model_->rowCount();
  int column = std::max(table_->currentIndex().column(), 0);
  for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
    row = std::min(row, index.row());
  }
  if (mode == PasteMode::Below && !table_->currentIndex().isValid()) row = model_->rowCount() - 1;
  // A pasted block's stations would need each its stretch of numbering.
  if (!document_.profile()->chainage().empty() && (column == 0 || mode == PasteMode::Below)) {
    refuse(QStringLiteral("纵断面有断链，桩号请逐格输入，不能粘贴"));
    return;
  }
  const TableEdit edit = pasteCells(document_.points(), static_cast<std::size_t>(row),
                                    static_cast<std::size_t>(column), cells, mode);
  const std::size_t count = edit.ok() ? edit.lastRow - edit.firstRow + 1 : 0;
  applyEdit(edit, QStringLiteral("粘贴 %1 行").arg(count));
}

void ProfileWindow::insertRow() {
  const std::size_t at = currentRow().value_or(document_.points().size());
  applyEdit(insertPoint(document_.points(), at),
            QStringLiteral("插入%1").arg(QString::fromStdString(profile::rowText(at))));
}

void ProfileWindow::deleteRows() {
  std::set<std::size_t> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
    rows.insert(static_cast<std::size_t>(index.row()));
  }
  if (rows.empty() && currentRow()) rows.insert(*currentRow());
  applyEdit(deletePoints(document_.points(), rows), QStringLiteral("删除 %1 行").arg(rows.size()));
}

void ProfileWindow::fitAll() { view_->fitAll(); }

void ProfileWindow::toggleStationsInMetres(bool metres) {
  model_->setStationStyle(metres ? profile::StationStyle::Metres : profile::StationStyle::Chainage);
}

void ProfileWindow::findElevation() {
  lookup_->field()->setFocus(Qt::ShortcutFocusReason);
  lookup_->field()->selectAll();
}

}  // namespace vcurve::profileui
