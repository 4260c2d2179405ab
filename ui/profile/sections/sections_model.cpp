#include "ui/profile/sections/sections_model.h"

namespace vcurve::profileui {

SectionsModel::SectionsModel(SectionsState* state, SectionsTable table, QObject* parent)
    : QAbstractTableModel(parent), state_(state), table_(table) {
  // The rows may be sorted anew by any change: the views see a new table.
  connect(state_, &SectionsState::changed, this, [this] {
    beginResetModel();
    endResetModel();
  });
}

int SectionsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : state_->rowCount(table_);
}

int SectionsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : SectionsState::columnCount(table_);
}

QVariant SectionsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return state_->cellText(table_, index.row(), index.column());
  }
  if (role == Qt::TextAlignmentRole) {
    // 设计高程位置, 偏向 and 旋转轴 are words; the rest numbers and stations.
    const bool word = table_ == SectionsTable::Templates
                          ? index.column() == 12
                          : index.column() == 5 || index.column() == 6;
    return QVariant::fromValue(Qt::AlignVCenter | (word ? Qt::AlignHCenter : Qt::AlignRight));
  }
  return {};
}

bool SectionsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const QString reason = state_->setCell(table_, index.row(), index.column(), value.toString());
  if (reason.isEmpty()) return true;
  Q_EMIT editRefused(reason);
  return false;
}

QVariant SectionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return SectionsState::columnTitle(table_, section);
}

Qt::ItemFlags SectionsModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

}  // namespace vcurve::profileui
