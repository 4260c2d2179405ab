#pragma once

// The findings of the checks as a list: level, place, rule, what was found
// and what the code requires. Double-clicking one goes to its row.

#include <QWidget>
#include <cstddef>
#include <vector>

#include "profile/checks.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace vcurve::profileui {

class FindingsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit FindingsPanel(QWidget* parent = nullptr);

  // With equations, places are given in field stations.
  void setFindings(const std::vector<profile::Finding>& findings, const QString& checkedAgainst,
                   const profile::ChainageEquations* chainage = nullptr);
  QTreeWidget* list() const { return list_; }
  // "错误 1 · 警告 2 · 提示 0", for the status bar too.
  const QString& summary() const { return summary_; }
  // "错误 1 · 警告 2 · 提示 0"
  static QString countsText(const std::vector<profile::Finding>& findings);

 Q_SIGNALS:
  void rowActivated(std::size_t row);

 private:
  void activate(QTreeWidgetItem* item);

  QLabel* heading_;
  QTreeWidget* list_;
  QString summary_;
};

}  // namespace vcurve::profileui
