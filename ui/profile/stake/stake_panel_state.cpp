#include "ui/profile/stake/stake_panel_state.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/station_text.h"
#include "profile/profile_text.h"
#include "ui/profile/stake/stake_copy.h"
#include "ui/profile/stake/stake_model.h"

// What the panel does when the profile changes and when the user types,
// copies or deletes.

namespace vcurve::profileui {
namespace {

QString chainage(double station) { return utf8Text(chainageText(station)); }

// A typed station is a field station: on a road with 断链, the true
// distance it names, or why it names none.
profile::CellReading typedStation(const std::shared_ptr<const profile::Profile>& profile,
                                  const QString& text) {
  profile::CellReading reading =
      profile::readCell(profile::InputColumn::Station, text.toStdString());
  if (!profile || profile->chainage().empty()) return reading;
  const auto typed = profile::readFieldStation(text.toStdString());
  if (!typed) return reading;
  const profile::FieldLookup found = profile->chainage().distance(*typed);
  if (!found.ok()) return {0, profile::fieldProblem(profile->chainage(), typed->station, found)};
  return {found.distance, {}};
}

}  // namespace

void StakePanel::State::rebuild() {
  // The row at the top stays at the top when the profile is edited.
  std::optional<double> topStation;
  if (table && model->rowCount() > 0) {
    const int top = view->rowAt(0);
    if (top >= 0) topStation = table->station(static_cast<std::size_t>(top));
  }
  table.reset();
  QString problem;
  if (profile) {
    const std::string why = profile::StakeTable::intervalProblem(
        interval, profile->endStation() - profile->startStation());
    if (why.empty()) {
      table = std::make_shared<const profile::StakeTable>(profile, ground, interval, added);
    } else {
      problem = utf8Text(why);
    }
  }
  model->setTable(table);
  if (!profile) {
    rowsLabel->clear();
  } else if (!profile->usable()) {
    rowsLabel->setText(utf8Text(profile::lookupProblemText(profile::LookupStatus::Unusable)));
  } else {
    rowsLabel->setText(QStringLiteral("共 %1 行").arg(model->rowCount()));
  }
  if (topStation && model->rowCount() > 0) {
    const auto row = std::min(table->rowAtOrAfter(*topStation), table->size() - 1);
    view->scrollTo(model->index(static_cast<int>(row), 0), QAbstractItemView::PositionAtTop);
  }
  if (!problem.isEmpty()) Q_EMIT panel->statusMessage(problem);
}

void StakePanel::State::showAdded() {
  addedList->clear();
  for (const double station : added) {
    auto* item = new QListWidgetItem(chainage(station), addedList);
    item->setData(Qt::UserRole, station);
  }
}

void StakePanel::State::intervalTyped() {
  const QString typed = intervalEdit->text().trimmed();
  if (typed == utf8Text(profile::exactText(interval))) return;
  QString problem;
  const profile::CellReading reading =
      profile::readCell(profile::InputColumn::Elevation, typed.toStdString());
  if (typed.isEmpty()) {
    problem = QStringLiteral("缺少桩距");
  } else if (!reading.ok()) {
    problem = utf8Text(reading.error);
  } else if (panel->setInterval(reading.value, &problem)) {
    Q_EMIT panel->settingsEdited();
    return;
  }
  intervalEdit->setText(utf8Text(profile::exactText(interval)));
  Q_EMIT panel->statusMessage(QStringLiteral("桩距未改：%1").arg(problem));
}

void StakePanel::State::addTyped() {
  const profile::CellReading reading = typedStation(profile, addEdit->text());
  if (!reading.ok()) {
    Q_EMIT panel->statusMessage(utf8Text(reading.error));
    return;
  }
  const double station = reading.value;
  if (profile && profile->usable() && !profile->contains(station)) {
    Q_EMIT panel->statusMessage(QStringLiteral("%1 不在纵断面起终点 %2 至 %3 之间")
                                    .arg(chainage(station), chainage(profile->startStation()),
                                         chainage(profile->endStation())));
    return;
  }
  const auto at = std::lower_bound(added.begin(), added.end(), station - kSameStation);
  if (at != added.end() && std::fabs(*at - station) < kSameStation) {
    Q_EMIT panel->statusMessage(QStringLiteral("已有加桩 %1").arg(chainage(station)));
    return;
  }
  added.insert(at, station);
  addEdit->clear();
  showAdded();
  rebuild();
  Q_EMIT panel->settingsEdited();
  goTo(station);
  Q_EMIT panel->statusMessage(QStringLiteral("已加桩 %1").arg(chainage(station)));
}

void StakePanel::State::removeChosen() {
  const QList<QListWidgetItem*> chosen = addedList->selectedItems();
  if (chosen.isEmpty()) return;
  for (const QListWidgetItem* item : chosen) {
    const double station = item->data(Qt::UserRole).toDouble();
    added.erase(std::remove(added.begin(), added.end(), station), added.end());
  }
  showAdded();
  rebuild();
  Q_EMIT panel->settingsEdited();
}

void StakePanel::State::findTyped() {
  const profile::CellReading reading = typedStation(profile, findEdit->text());
  if (!reading.ok()) {
    Q_EMIT panel->statusMessage(utf8Text(reading.error));
    return;
  }
  if (profile && profile->usable() && !profile->contains(reading.value)) {
    Q_EMIT panel->statusMessage(QStringLiteral("%1：%2").arg(
        chainage(reading.value),
        utf8Text(profile::lookupProblemText(profile::LookupStatus::OutsideProfile))));
    return;
  }
  const double station = reading.value;
  const std::optional<double> row = goTo(station);
  QString note;
  if (row && std::fabs(*row - station) >= kSameStation) {
    note =
        QStringLiteral("%1 不是表中的桩，已定位到其后的 %2").arg(chainage(station), chainage(*row));
  }
  Q_EMIT panel->stationFound(station, note);
}

std::optional<double> StakePanel::State::goTo(double station) {
  if (!table || table->size() == 0) return std::nullopt;
  const auto row = std::min(table->rowAtOrAfter(station), table->size() - 1);
  const QModelIndex index = model->index(static_cast<int>(row), 0);
  view->selectRow(index.row());
  view->scrollTo(index, QAbstractItemView::PositionAtCenter);
  return table->station(row);
}

void StakePanel::State::copyRows() {
  if (!table) return;
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  for (const QItemSelectionRange& range : view->selectionModel()->selection()) {
    ranges.emplace_back(range.top(), range.bottom());
  }
  if (ranges.empty()) return;
  const QString rows = stakeRowsText(*table, ranges);
  QApplication::clipboard()->setText(rows);
  Q_EMIT panel->statusMessage(QStringLiteral("已复制 %1 行").arg(rows.count(QLatin1Char('\n'))));
}

bool StakePanel::State::eventFilter(QObject* watched, QEvent* event) {
  const bool override = event->type() == QEvent::ShortcutOverride;
  if (!override && event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // Claimed before any shortcut of the window sees it: Ctrl+C in the table
  // copies whole rows, Delete in the list removes stations.
  const bool copy = watched == view && key->matches(QKeySequence::Copy);
  const bool remove = watched == addedList &&
                      (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Backspace);
  if (!copy && !remove) return false;
  if (override) {
    event->accept();
    return true;
  }
  if (copy) copyRows();
  if (remove) removeChosen();
  return true;
}

QString StakePanel::State::missingTable() const {
  if (!profile) return QStringLiteral("尚无纵断面");
  if (!profile->usable())
    return utf8Text(profile::lookupProblemText(profile::LookupStatus::Unusable));
  if (!table) {
    return utf8Text(profile::StakeTable::intervalProblem(
        interval, profile->endStation() - profile->startStation()));
  }
  return {};
}

StakeHeading StakePanel::State::heading() const {
  return {fileName, designSpeed, utf8Text(profile::exactText(interval)) + QStringLiteral(" m")};
}

}  // namespace vcurve::profileui
