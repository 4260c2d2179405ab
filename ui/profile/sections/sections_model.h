#pragma once

// One of the two tables of the sections panel (横断面 or 超高) as Qt's
// views see it: the state's cell texts, editable, a refused edit told by
// editRefused with its reason.

#include <QAbstractTableModel>

#include "ui/profile/sections/sections_state.h"

namespace vcurve::profileui {

class SectionsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  SectionsModel(SectionsState* state, SectionsTable table, QObject* parent = nullptr);

  SectionsTable table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 Q_SIGNALS:
  void editRefused(const QString& reason);

 private:
  SectionsState* state_;
  SectionsTable table_;
};

}  // namespace vcurve::profileui
