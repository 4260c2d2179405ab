#pragma once

// The 纵坡竖曲线表 as a spreadsheet user keys it: Enter commits and moves
// down, Tab and Shift+Tab step across the cells that can be typed in and
// leave no editor open behind them, Delete clears, and the row under the
// last point takes a new one.

#include <QTableView>
#include <optional>

namespace vcurve::profileui {

class ProfileDocument;

class PointTable : public QTableView {
  Q_OBJECT

 public:
  PointTable(ProfileDocument* document, QWidget* parent = nullptr);
  void setModel(QAbstractItemModel* model) override;

 Q_SIGNALS:
  void editRefused(const QString& reason);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void commitData(QWidget* editor) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  struct Cell {
    int row = 0;
    int column = 0;
  };
  // The next cell that can be typed in, on along the row and on to the
  // next one; `from` itself at the end.
  QModelIndex across(Cell from, bool forward) const;
  QModelIndex below(Cell from) const;
  void goTo(const QModelIndex& index);
  void clearCells();

  ProfileDocument* document_;
  // Where the cell being committed was, before a point it adds moves the
  // rows under it, and whether the model refused it.
  std::optional<Cell> committed_;
  bool refused_ = false;
  // A row keyed across with Tab: Enter goes on from the column it began at,
  // on the row below.
  std::optional<Cell> tabRun_;
};

}  // namespace vcurve::profileui
