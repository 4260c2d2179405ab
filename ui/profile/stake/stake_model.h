#pragma once

// The stake table as Qt's views see it: one row per row of the engine's
// StakeTable, computed when a view asks for it. Nothing is kept per row,
// so a reset costs the same for ten rows as for a hundred million.

#include <QAbstractTableModel>
#include <memory>

#include "profile/stake_table.h"
#include "sections/cross_section.h"

namespace vcurve::profileui {

class StakeModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The engine's six columns, then the key points at the row.
  static constexpr int kNoteColumn = static_cast<int>(profile::kStakeColumns);
  static constexpr int kColumns = kNoteColumn + 1;
  // The row's station in metres, as a double.
  static constexpr int kStationRole = Qt::UserRole + 1;

  explicit StakeModel(QObject* parent = nullptr);

  // Null empties the model.
  void setTable(std::shared_ptr<const profile::StakeTable> table);
  // With sections, two more columns after the note: the left and right
  // subgrade edges' elevations. Null takes them away.
  void setSections(std::shared_ptr<const sections::Sections> sections);
  const profile::StakeTable* table() const { return table_.get(); }
  // What the files and pages need to show the same edge columns; empty
  // without sections.
  profile::StakeEdges edges() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  static QString columnTitle(int column);
  // A cell's text exactly as the table shows it.
  static QString cellText(const profile::StakeTable& table, const profile::StakeRow& row,
                          std::size_t index, int column);

 private:
  const profile::StakeRow& rowAt(std::size_t index) const;

  std::shared_ptr<const profile::StakeTable> table_;
  std::shared_ptr<const sections::Sections> sections_;
  // A view asks for every column and role of a row in turn: the row is
  // computed once for all of them.
  mutable std::size_t cachedIndex_ = 0;
  mutable bool cached_ = false;
  mutable profile::StakeRow cachedRow_;
};

}  // namespace vcurve::profileui
