#pragma once

// The 纵坡竖曲线表 as an item model over the document: the three input
// columns and 备注 editable, the derived ones read-only, every text from the engine,
// and the cells that findings are about coloured by their severity.

#include <QAbstractTableModel>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "profile/profile_text.h"
#include "ui/profile/profile_document.h"

namespace vcurve::profileui {

class ProfileTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ProfileTableModel(ProfileDocument* document, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A text that does not read, or that would leave the points underivable,
  // is refused: the cell keeps its value and editRefused says why.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  profile::StationStyle stationStyle() const { return style_; }
  void setStationStyle(profile::StationStyle style);

  static bool isInputColumn(int column) { return column >= 0 && column < 3; }
  // 备注, after the engine's columns: typed freely, derives nothing.
  static constexpr int kRemarkColumn = static_cast<int>(profile::kTableColumns);
  // What a copied cell holds: the exact value of an input cell, so that it
  // pastes back unchanged, and the shown text of the others.
  QString copyText(const QModelIndex& index) const;

  static const QColor& errorColour();
  static const QColor& warningColour();

 Q_SIGNALS:
  void editRefused(const QString& reason);

 private:
  bool setRemark(std::size_t row, const QString& typed);
  void showChange(RowChange change);
  void showReplaced();
  void markFindings();

  ProfileDocument* document_;
  std::shared_ptr<const profile::Profile> shown_;
  profile::StationStyle style_ = profile::StationStyle::Chainage;
  // The most serious finding about each cell: the Severity, or -1.
  std::vector<std::array<std::int8_t, profile::kTableColumns>> marks_;
};

}  // namespace vcurve::profileui
