#include "ui/profile/stake/stake_model.h"

#include <QFont>
#include <limits>

#include "profile/profile_text.h"
#include "sections/subgrade_table.h"

namespace vcurve::profileui {

using profile::StakeColumn;

StakeModel::StakeModel(QObject* parent) : QAbstractTableModel(parent) {}

void StakeModel::setTable(std::shared_ptr<const profile::StakeTable> table) {
  beginResetModel();
  table_ = std::move(table);
  cached_ = false;
  endResetModel();
}

void StakeModel::setSections(std::shared_ptr<const sections::Sections> sections) {
  beginResetModel();
  sections_ = std::move(sections);
  endResetModel();
}

profile::StakeEdges StakeModel::edges() const { return sections::stakeEdges(sections_); }

int StakeModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !table_) return 0;
  // The engine's limit on rows is far below this; a view could not scroll
  // past it anyway.
  constexpr auto kMostRows = static_cast<std::size_t>(std::numeric_limits<int>::max());
  return static_cast<int>(std::min(table_->size(), kMostRows));
}

int StakeModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns + (sections_ ? 2 : 0);
}

const profile::StakeRow& StakeModel::rowAt(std::size_t index) const {
  if (!cached_ || cachedIndex_ != index) {
    cachedRow_ = table_->row(index);
    cachedIndex_ = index;
    cached_ = true;
  }
  return cachedRow_;
}

QString StakeModel::columnTitle(int column) {
  if (column == kNoteColumn) return QStringLiteral("备注");
  return QString::fromStdString(std::string(profile::stakeColumnTitle(StakeColumn(column))));
}

QString StakeModel::cellText(const profile::StakeTable& table, const profile::StakeRow& row,
                             std::size_t index, int column) {
  if (column == kNoteColumn) return QString::fromStdString(table.note(index));
  return QString::fromStdString(profile::StakeTable::cellText(row, StakeColumn(column)));
}

QVariant StakeModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid) || !table_) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      if (column > kNoteColumn) {
        const auto edges = sections::edgeElevations(*sections_, rowAt(row));
        const auto& z = column == kNoteColumn + 1 ? edges.left : edges.right;
        return z ? QString::fromStdString(profile::fixed3(*z)) : QString();
      }
      if (column == kNoteColumn) return QString::fromStdString(table_->note(row));
      return cellText(*table_, rowAt(row), row, column);
    case kStationRole:
      return table_->station(row);
    case Qt::TextAlignmentRole:
      // Numbers line up on the decimal point only when right-aligned.
      return QVariant::fromValue(column == kNoteColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                                       : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
      if (!table_->note(row).empty()) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::ToolTipRole:
      if (column == int(StakeColumn::Design)) {
        const profile::StakeRow& stake = rowAt(row);
        if (stake.status != profile::LookupStatus::Ok) {
          return QString::fromStdString(std::string(profile::lookupProblemText(stake.status)));
        }
      }
      return {};
    default:
      return {};
  }
}

QVariant StakeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < columnCount()) {
    if (section > kNoteColumn) {
      return QString::fromUtf8(section == kNoteColumn + 1 ? profile::kLeftEdgeTitle
                                                          : profile::kRightEdgeTitle);
    }
    return columnTitle(section);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace vcurve::profileui
