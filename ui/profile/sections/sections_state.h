#pragma once

// The section template and the 超高表 the window holds, as the cells the
// user sees and edits. Every change, whether typed, pasted, inserted,
// deleted or loaded, goes through the engine's reader as a whole file and
// is refused, with the reader's reason, unless every row still reads and
// stands with the others: the rows held are always a table the engine can
// compute. Changes are steps of the panel's own undo stack.

#include <QObject>
#include <QStringList>
#include <QUndoStack>
#include <array>
#include <vector>

#include "profile/chainage_equations.h"
#include "sections/cross_section.h"
#include "sections/sections_csv.h"

namespace vcurve::profileui {

enum class SectionsTable { Templates = 0, Curves = 1 };

class SectionsState : public QObject {
  Q_OBJECT

 public:
  using Cells = std::vector<QStringList>;  // rows of cell texts

  explicit SectionsState(QObject* parent = nullptr);

  // The profile's 断链, through which the stations are read and written.
  void setChainage(const profile::ChainageEquations& chainage);
  // Where the profile runs: a first template row covers it.
  void setExtent(double from, double to) {
    extentFrom_ = from;
    extentTo_ = to;
  }

  const sections::Sections& sections() const { return sections_; }
  bool empty() const { return sections_.empty(); }
  QUndoStack* undoStack() { return &undo_; }

  static int columnCount(SectionsTable table);
  static QString columnTitle(SectionsTable table, int column);
  int rowCount(SectionsTable table) const;
  QString cellText(SectionsTable table, int row, int column) const;

  // Each returns empty when done, else why not, leaving everything as it
  // was. `what` names the step in the undo stack.
  QString setCell(SectionsTable table, int row, int column, const QString& text);
  // Cells copied from Excel (tab between cells, a line a row) laid over the
  // table from (row, column) on, rows added past the last.
  QString paste(SectionsTable table, int row, int column, const QString& text);
  // A row after `row` (or at the end), carrying on from the one before it.
  QString insertRow(SectionsTable table, int row);
  QString removeRows(SectionsTable table, int first, int count);

  // A sections CSV: the rows that read and stand replace the tables (one
  // step of the undo stack); the rest are told, a message each.
  QStringList load(const QByteArray& bytes, const QString& fileName);
  // What load reads back.
  QByteArray csv() const;
  // No rows and no history: another road was opened.
  void reset();

 Q_SIGNALS:
  void changed();

 private:
  friend class SectionsStep;
  // The tables' texts if they read and stand, else the reason.
  QString tryCells(const std::array<Cells, 2>& cells, const QString& what);
  QString tryRows(const sections::SectionRows& rows, const QString& what);
  void show(const sections::SectionRows& rows);

  profile::ChainageEquations chainage_;
  sections::Sections sections_;
  std::array<Cells, 2> cells_;
  QUndoStack undo_;
  double extentFrom_ = 0, extentTo_ = 1000;
};

}  // namespace vcurve::profileui
