#include "ui/profile/point_table.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <set>
#include <utility>

#include "ui/profile/profile_document.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/table_edits.h"

namespace vcurve::profileui {

PointTable::PointTable(ProfileDocument* document, QWidget* parent)
    : QTableView(parent), document_(document) {}

void PointTable::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  if (auto* points = qobject_cast<ProfileTableModel*>(model)) {
    connect(points, &ProfileTableModel::editRefused, this, [this] { refused_ = true; });
  }
}

QModelIndex PointTable::across(Cell from, bool forward) const {
  const int columns = model()->columnCount();
  const int cells = model()->rowCount() * columns;
  for (int at = from.row * columns + from.column + (forward ? 1 : -1); at >= 0 && at < cells;
       at += forward ? 1 : -1) {
    const QModelIndex index = model()->index(at / columns, at % columns);
    if (index.flags().testFlag(Qt::ItemIsEditable)) return index;
  }
  return model()->index(from.row, from.column);
}

QModelIndex PointTable::below(Cell from) const {
  return model()->index(std::min(from.row + 1, model()->rowCount() - 1), from.column);
}

void PointTable::goTo(const QModelIndex& index) {
  if (!index.isValid()) return;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

QModelIndex PointTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  if ((action != MoveNext && action != MovePrevious) || !current.isValid()) {
    return QTableView::moveCursor(action, modifiers);
  }
  const Cell from{current.row(), current.column()};
  if (!tabRun_ || tabRun_->row != from.row) tabRun_ = from;
  const QModelIndex to = across(from, action == MoveNext);
  if (to.row() != from.row) tabRun_.reset();
  return to;
}

void PointTable::keyPressEvent(QKeyEvent* event) {
  const QModelIndex current = currentIndex();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (state() != EditingState && current.isValid() && plain) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: {
        Cell from{current.row(), current.column()};
        if (tabRun_ && tabRun_->row == from.row) from.column = tabRun_->column;
        tabRun_.reset();
        goTo(below(from));
        return;
      }
      case Qt::Key_Delete:
        clearCells();
        return;
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Home:
      case Qt::Key_End:
        tabRun_.reset();
        break;
      default:
        break;
    }
  }
  QTableView::keyPressEvent(event);
}

// What an input method types into a cell not yet open replaces the cell,
// as a key does; the view would open the cell and lose the text.
void PointTable::inputMethodEvent(QInputMethodEvent* event) {
  const QModelIndex current = currentIndex();
  const bool typed = !event->commitString().isEmpty() || !event->preeditString().isEmpty();
  if (state() == EditingState || !typed || !current.flags().testFlag(Qt::ItemIsEditable) ||
      !edit(current, AnyKeyPressed, event)) {
    QTableView::inputMethodEvent(event);
    return;
  }
  if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(current))) {
    editor->clear();
    QCoreApplication::sendEvent(editor, event);
  }
}

void PointTable::mousePressEvent(QMouseEvent* event) {
  tabRun_.reset();
  QTableView::mousePressEvent(event);
}

// The radii selected lose their curves in one step; a station or an
// elevation cannot be empty, and the model says so.
void PointTable::clearCells() {
  std::set<std::size_t> radii;
  const int radius = static_cast<int>(profile::InputColumn::Radius);
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
    if (index.column() == radius) radii.insert(static_cast<std::size_t>(index.row()));
  }
  const TableEdit edit = clearRadii(document_->points(), radii);
  if (!edit.ok()) {
    const QModelIndex current = currentIndex();
    if (current.flags().testFlag(Qt::ItemIsEditable)) model()->setData(current, QString());
    return;
  }
  const QString refusal = document_->editPoints(
      edit.points, edit.change, QStringLiteral("清除 %1 个竖曲线半径").arg(radii.size()));
  if (!refusal.isEmpty()) Q_EMIT editRefused(refusal);
}

void PointTable::commitData(QWidget* editor) {
  const QModelIndex current = currentIndex();
  committed_ = Cell{current.row(), current.column()};
  refused_ = false;
  QTableView::commitData(editor);
}

void PointTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const QModelIndex current = currentIndex();
  const Cell at = committed_.value_or(Cell{current.row(), current.column()});
  const bool refused = std::exchange(refused_, false);
  committed_.reset();
  switch (hint) {
    case QAbstractItemDelegate::EditNextItem:
    case QAbstractItemDelegate::EditPreviousItem: {
      // The next cell is current, not open: arrows move between cells.
      QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
      if (!tabRun_ || tabRun_->row != at.row) tabRun_ = at;
      const QModelIndex to = refused ? model()->index(at.row, at.column)
                                     : across(at, hint == QAbstractItemDelegate::EditNextItem);
      if (to.row() != at.row) tabRun_.reset();
      goTo(to);
      return;
    }
    case QAbstractItemDelegate::SubmitModelCache: {
      // Enter. A refused cell stays where it is, to be typed again.
      QTableView::closeEditor(editor, hint);
      Cell from = at;
      if (tabRun_ && tabRun_->row == from.row) from.column = tabRun_->column;
      tabRun_.reset();
      goTo(refused ? model()->index(at.row, at.column) : below(from));
      return;
    }
    default:
      QTableView::closeEditor(editor, hint);
  }
}

}  // namespace vcurve::profileui
