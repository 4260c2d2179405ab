#include "ui/profile/profile_table_model.h"

#include <QColor>
#include <QStringList>
#include <algorithm>

#include "ui/profile/table_edits.h"

namespace vcurve::profileui {
namespace {

using profile::TableColumn;

constexpr std::int8_t kNoMark = -1;

QString qText(const std::string& text) { return QString::fromStdString(text); }

const QColor& readOnlyColour() {
  static const QColor colour(244, 244, 244);
  return colour;
}

}  // namespace

const QColor& ProfileTableModel::errorColour() {
  static const QColor colour(255, 196, 196);
  return colour;
}

const QColor& ProfileTableModel::warningColour() {
  static const QColor colour(255, 226, 160);
  return colour;
}

ProfileTableModel::ProfileTableModel(ProfileDocument* document, QObject* parent)
    : QAbstractTableModel(parent), document_(document), shown_(document->profile()) {
  connect(document_, &ProfileDocument::profileChanged, this, &ProfileTableModel::showChange);
  connect(document_, &ProfileDocument::profileReplaced, this, &ProfileTableModel::showReplaced);
  connect(document_, &ProfileDocument::findingsChanged, this, &ProfileTableModel::markFindings);
  markFindings();
}

// One row more than there are points: the empty row under the last, where
// a point typed is added to the end.
int ProfileTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_->size()) + 1;
}

int ProfileTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(profile::kTableColumns);
}

QVariant ProfileTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const TableColumn column = profile::tableColumn(static_cast<std::size_t>(index.column()));
  switch (role) {
    case Qt::DisplayRole:
      if (column == TableColumn::Radius) return copyText(index);
      return qText(profile::cellText(*shown_, row, column, style_));
    case Qt::EditRole:
      return copyText(index);
    case Qt::TextAlignmentRole:
      return static_cast<int>((column == TableColumn::Kind ? Qt::AlignHCenter : Qt::AlignRight) |
                              Qt::AlignVCenter);
    case Qt::BackgroundRole: {
      const std::int8_t mark =
          row < marks_.size() ? marks_[row][static_cast<std::size_t>(column)] : kNoMark;
      if (mark == static_cast<std::int8_t>(profile::Severity::Error)) return errorColour();
      if (mark == static_cast<std::int8_t>(profile::Severity::Warning)) return warningColour();
      if (!isInputColumn(index.column())) return readOnlyColour();
      return {};
    }
    case Qt::ToolTipRole: {
      QStringList lines;
      for (const profile::Finding& f : document_->findings()) {
        // A run (最大坡长, 平均纵坡) is told on every grade of it.
        const std::size_t last = f.onGrade ? std::max(f.row, f.lastRow) : f.row;
        if (f.row <= row && row <= last && profile::findingColumn(f) == column) {
          lines << qText(profile::findingLine(f, &shown_->chainage()));
        }
      }
      return lines.isEmpty() ? QVariant() : QVariant(lines.join('\n'));
    }
    default:
      return {};
  }
}

QVariant ProfileTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) {
    return section == static_cast<int>(shown_->size()) ? QVariant(QStringLiteral("*"))
                                                       : QVariant(section + 1);
  }
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromUtf8(profile::columnTitle(profile::tableColumn(section)));
}

Qt::ItemFlags ProfileTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (isInputColumn(index.column())) flags |= Qt::ItemIsEditable;
  return flags;
}

bool ProfileTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !isInputColumn(index.column()) ||
      !checkIndex(index, CheckIndexOption::IndexIsValid)) {
    return false;
  }
  const auto row = static_cast<std::size_t>(index.row());
  const auto column = static_cast<profile::InputColumn>(index.column());
  std::string text = value.toString().toStdString();
  // A station typed is a field station; the points are at true distances.
  const profile::ChainageEquations& chainage = document_->profile()->chainage();
  if (column == profile::InputColumn::Station && !chainage.empty()) {
    if (const auto typed = profile::readFieldStation(text)) {
      const profile::FieldLookup found = chainage.distance(*typed);
      if (!found.ok()) {
        Q_EMIT editRefused(qText(profile::fieldProblem(chainage, typed->station, found)));
        return false;
      }
      text = profile::exactText(found.distance);
    }
  }
  const TableEdit edit = editCell(document_->points(), row, column, text);
  QString refusal = qText(edit.error);
  if (edit.ok()) {
    const QString what = QStringLiteral("%1%2%3").arg(
        row < document_->points().size() ? QStringLiteral("修改") : QStringLiteral("添加"),
        qText(profile::rowText(row)),
        QString::fromUtf8(profile::columnTitle(profile::tableColumn(index.column()))));
    refusal = document_->editPoints(edit.points, edit.change, what);
  }
  if (!refusal.isEmpty()) {
    Q_EMIT editRefused(refusal);
    return false;
  }
  return true;
}

void ProfileTableModel::setStationStyle(profile::StationStyle style) {
  if (style == style_) return;
  style_ = style;
  if (rowCount() == 0) return;
  const int last = rowCount() - 1;
  Q_EMIT dataChanged(index(0, 0), index(last, 0));
  const int start = static_cast<int>(TableColumn::CurveStart);
  Q_EMIT dataChanged(index(0, start), index(last, start + 1));
}

QString ProfileTableModel::copyText(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= shown_->size()) return {};
  if (!isInputColumn(index.column())) {
    return qText(profile::cellText(*shown_, row, profile::tableColumn(index.column()), style_));
  }
  const profile::ProfilePoint& p = shown_->points()[row];
  switch (static_cast<profile::InputColumn>(index.column())) {
    case profile::InputColumn::Station:
      if (!shown_->chainage().empty()) {
        return qText(style_ == profile::StationStyle::Chainage
                         ? shown_->stationText(p.station)
                         : profile::exactText(shown_->chainage().field(p.station)));
      }
      return qText(style_ == profile::StationStyle::Chainage
                       ? profile::inputText(profile::InputColumn::Station, p.station)
                       : profile::exactText(p.station));
    case profile::InputColumn::Elevation:
      return qText(profile::exactText(p.elevation));
    case profile::InputColumn::Radius:
      break;
  }
  // No curve is shown, and copied, as nothing, as an emptied cell leaves it.
  return p.radius == 0 ? QString() : qText(profile::exactText(p.radius));
}

void ProfileTableModel::showChange(RowChange change) {
  const auto size = static_cast<int>(document_->profile()->size());
  const int before = rowCount() - 1;
  const auto at = static_cast<int>(change.at);
  const auto removed = static_cast<int>(change.removed);
  const auto inserted = static_cast<int>(change.inserted);
  if (before - removed + inserted != size) {
    // Not what the edit said: show it afresh rather than misplace rows.
    showReplaced();
    return;
  }
  if (removed != inserted) {
    // The rows that come or go are announced with every other row still
    // as it was, as views and selections expect; the rows the edit
    // replaced change after, with the rest.
    std::vector<profile::ProfilePoint> between = shown_->points();
    const auto from = [](auto& points, int row) { return points.begin() + row; };
    if (removed > inserted) {
      between.erase(from(between, at + inserted), from(between, at + removed));
      beginRemoveRows({}, at + inserted, at + removed - 1);
    } else {
      const auto& added = document_->profile()->points();
      between.insert(from(between, at + removed), from(added, at + removed),
                     from(added, at + inserted));
      beginInsertRows({}, at + removed, at + inserted - 1);
    }
    shown_ = std::make_shared<const profile::Profile>(std::move(between));
    if (removed > inserted) {
      endRemoveRows();
    } else {
      endInsertRows();
    }
  }
  shown_ = document_->profile();
  // A point moves the grades, curves and findings of its neighbours and
  // beyond: every derived cell may differ.
  if (size > 0) Q_EMIT dataChanged(index(0, 0), index(size - 1, columnCount() - 1));
}

void ProfileTableModel::showReplaced() {
  beginResetModel();
  shown_ = document_->profile();
  endResetModel();
}

void ProfileTableModel::markFindings() {
  marks_.assign(document_->profile()->size(), {});
  for (auto& row : marks_) row.fill(kNoMark);
  for (const profile::Finding& f : document_->findings()) {
    const std::size_t last = f.onGrade ? std::max(f.row, f.lastRow) : f.row;
    for (std::size_t row = f.row; row <= last && row < marks_.size(); ++row) {
      std::int8_t& mark = marks_[row][static_cast<std::size_t>(profile::findingColumn(f))];
      const auto severity = static_cast<std::int8_t>(f.severity);
      if (mark == kNoMark || severity < mark) mark = severity;
    }
  }
  if (rowCount() > 0) {
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                       {Qt::BackgroundRole, Qt::ToolTipRole});
  }
}

}  // namespace vcurve::profileui
