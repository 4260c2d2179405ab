#pragma once

// What the stake-table panel holds and how its controls behave; private to
// the panel's own files.

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "profile/stake_table.h"
#include "ui/profile/stake/stake_pages.h"
#include "ui/profile/stake/stake_panel.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTableView;

namespace vcurve::profileui {

class StakeModel;

// Stations closer than this print as the same chainage.
inline constexpr double kSameStation = 0.0005;

inline QString utf8Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

struct StakePanel::State : QObject {
  explicit State(StakePanel* owner) : panel(owner) {}

  StakePanel* panel;
  std::shared_ptr<const profile::Profile> profile;
  std::shared_ptr<const profile::GroundLine> ground;
  std::shared_ptr<const profile::StakeTable> table;
  double interval = profile::kDefaultInterval;
  std::vector<double> added;  // ascending
  QString fileName;
  QString designSpeed;
  std::vector<profile::Finding> findings;
  QString findingsHeading;

  StakeModel* model = nullptr;
  QTableView* view = nullptr;
  QLineEdit* intervalEdit = nullptr;
  QLineEdit* findEdit = nullptr;
  QLabel* rowsLabel = nullptr;
  QLineEdit* addEdit = nullptr;
  QListWidget* addedList = nullptr;

  void build();
  void rebuild();
  void showAdded();
  void intervalTyped();
  void addTyped();
  void removeChosen();
  void findTyped();
  void copyRows();
  // The station of the row gone to; none in an empty table.
  std::optional<double> goTo(double station);
  // Why there is no table to hand out; empty when there is one.
  QString missingTable() const;
  StakeHeading heading() const;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vcurve::profileui
