#include "ui/profile/sections/subgrade_model.h"

#include <QFont>
#include <climits>

namespace vcurve::profileui {

using sections::SubgradeColumn;

std::shared_ptr<const SubgradeData> SubgradeData::make(
    std::shared_ptr<const profile::Profile> profile,
    std::shared_ptr<const profile::GroundLine> ground, const sections::Sections& sections) {
  if (!profile || !profile->usable() || profile->size() < 2 || sections.empty()) return nullptr;
  auto data = std::make_shared<SubgradeData>();
  data->stakes = std::make_shared<const profile::StakeTable>(std::move(profile), std::move(ground),
                                                             profile::kDefaultInterval);
  data->sections = sections;
  data->table = std::make_unique<sections::SubgradeTable>(*data->stakes, data->sections);
  return data;
}

SubgradeModel::SubgradeModel(QObject* parent) : QAbstractTableModel(parent) {}

void SubgradeModel::setData(std::shared_ptr<const SubgradeData> data) {
  beginResetModel();
  data_ = std::move(data);
  cached_ = false;
  endResetModel();
}

int SubgradeModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !data_) return 0;
  // A view counts rows in int; a longer table shows its first 2³¹ − 1.
  return int(std::min<std::size_t>(data_->table->size(), std::size_t(INT_MAX)));
}

int SubgradeModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(sections::kSubgradeColumns);
}

QVariant SubgradeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !data_) return {};
  const auto column = static_cast<SubgradeColumn>(index.column());
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::AlignVCenter |
                               (column == SubgradeColumn::Note ? Qt::AlignLeft : Qt::AlignRight));
  }
  if (role != Qt::DisplayRole && role != Qt::FontRole) return {};
  const auto i = std::size_t(index.row());
  if (role == Qt::FontRole) {
    if (data_->table->note(i).empty()) return {};
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (column == SubgradeColumn::Note) return QString::fromStdString(data_->table->note(i));
  if (!cached_ || cachedIndex_ != i) {
    cachedRow_ = data_->table->row(i);
    cachedIndex_ = i;
    cached_ = true;
  }
  return QString::fromStdString(data_->table->cellText(cachedRow_, column));
}

QVariant SubgradeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (data_) {
    return QString::fromUtf8(data_->table->columnTitle(static_cast<SubgradeColumn>(section)));
  }
  // The titles before any table: those of a road of two points.
  static const profile::StakeTable stakes(
      std::make_shared<const profile::Profile>(
          std::vector<profile::ProfilePoint>{{0, 0, 0}, {100, 0, 0}}),
      nullptr);
  static const sections::Sections none;
  static const sections::SubgradeTable titles(stakes, none);
  return QString::fromUtf8(titles.columnTitle(static_cast<SubgradeColumn>(section)));
}

}  // namespace vcurve::profileui
