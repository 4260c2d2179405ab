#pragma once

// The 路基设计表 as Qt's views see it, a row computed when a view asks for
// it, as the stake table's model does.

#include <QAbstractTableModel>
#include <memory>

#include "profile/stake_table.h"
#include "sections/subgrade_table.h"

namespace vcurve::profileui {

// What the table is made of, kept alive together: the table refers to the
// others.
struct SubgradeData {
  std::shared_ptr<const profile::StakeTable> stakes;
  sections::Sections sections;
  std::unique_ptr<sections::SubgradeTable> table;

  // Null when the profile cannot be computed or no template holds.
  static std::shared_ptr<const SubgradeData> make(std::shared_ptr<const profile::Profile> profile,
                                                  std::shared_ptr<const profile::GroundLine> ground,
                                                  const sections::Sections& sections);
};

class SubgradeModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SubgradeModel(QObject* parent = nullptr);

  void setData(std::shared_ptr<const SubgradeData> data);
  const SubgradeData* subgrade() const { return data_.get(); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::shared_ptr<const SubgradeData> data_;
  mutable std::size_t cachedIndex_ = 0;
  mutable bool cached_ = false;
  mutable sections::SubgradeRow cachedRow_;
};

}  // namespace vcurve::profileui
