#include "ui/profile/profile_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "profile/stake_table.h"
#include "ui/profile/code_chooser.h"
#include "ui/profile/drawing/pointer_text.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/elevation_lookup.h"
#include "ui/profile/findings_panel.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/sections/subgrade_panel.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

constexpr int kMessageMilliseconds = 8000;

// The first local file of a drop, or empty.
QString droppedFile(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

ProfileWindow::ProfileWindow(Services services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      settings_(services.settings),
      model_(new ProfileTableModel(&document_, this)) {
  buildWidgets();
  connectParts();
  restoreLayout();
  showFile();
  showProfile();
  showFindings();
}

ProfileWindow::~ProfileWindow() = default;

QAction* ProfileWindow::action(Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void ProfileWindow::connectParts() {
  connect(&document_, &ProfileDocument::profileChanged, this, &ProfileWindow::showProfile);
  connect(&document_, &ProfileDocument::profileReplaced, this, &ProfileWindow::showProfile);
  connect(&document_, &ProfileDocument::groundChanged, this, &ProfileWindow::showGround);
  connect(&document_, &ProfileDocument::findingsChanged, this, &ProfileWindow::showFindings);
  connect(&document_, &ProfileDocument::fileChanged, this, &ProfileWindow::showFile);
  connect(document_.undoStack(), &QUndoStack::cleanChanged, this, &ProfileWindow::showFile);
  connect(model_, &ProfileTableModel::editRefused, this, &ProfileWindow::refuse);

  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            view_->setSelectedRow(current.isValid() ? std::optional<std::size_t>(current.row())
                                                    : std::nullopt);
          });
  connect(view_, &ProfileView::rowClicked, this, &ProfileWindow::selectRow);
  connect(view_, &ProfileView::pviElevationDragged, this, &ProfileWindow::dragPvi);
  // The counts follow a dragged point before it is let go.
  connect(view_, &ProfileView::dragPreviewChanged, this,
          [this](const std::shared_ptr<const profile::Profile>& preview) {
            summary_->setText(preview ? FindingsPanel::countsText(document_.findingsFor(*preview))
                                      : findings_->summary());
          });
  connect(view_, &ProfileView::hoverTextChanged, this, &ProfileWindow::showHoverText);
  connect(exaggeration_, &QDoubleSpinBox::valueChanged, view_,
          &ProfileView::setVerticalExaggeration);
  connect(view_, &ProfileView::verticalExaggerationChanged, this, [this](double factor) {
    const QSignalBlocker quiet(exaggeration_);
    exaggeration_->setValue(factor);
  });
  view_->setVerticalExaggeration(exaggeration_->value());

  connect(chooser_, &CodeChooser::changed, this, &ProfileWindow::chooseBasis);
  connect(findings_, &FindingsPanel::rowActivated, this, &ProfileWindow::selectRow);
  connect(lookup_, &ElevationLookup::stationActivated, this,
          [this](double station) { showStation(station, {}); });
  connect(&document_, &ProfileDocument::profileReplaced, view_,
          [this] { view_->setMarkedStation(std::nullopt); });
  connect(tabs_, &QTabWidget::currentChanged, this, [this] {
    if (tabs_->currentWidget() == stakePage_) stakePanel();
    if (tabs_->currentWidget() == subgradePage_) subgradePanel();
  });
  if (recentMenu_ != nullptr) {
    connect(recentMenu_, &QMenu::aboutToShow, this, &ProfileWindow::fillRecentMenu);
  }
}

void ProfileWindow::showProfile() {
  const auto& profile = document_.profile();
  view_->setProfile(profile);
  if (stake_ != nullptr) stake_->setProfile(profile);
  if (subgrade_ != nullptr) subgrade_->setProfile(profile);
  lookup_->setProfile(profile);
}

void ProfileWindow::showGround() {
  view_->setGroundLine(document_.ground());
  if (stake_ != nullptr) stake_->setGroundLine(document_.ground());
  if (subgrade_ != nullptr) subgrade_->setGroundLine(document_.ground());
}

void ProfileWindow::showFindings() {
  view_->setFindings(document_.findings());
  findings_->setFindings(document_.findings(), chooser_->summary(),
                         &document_.profile()->chainage());
  summary_->setText(findings_->summary());
  if (stake_ != nullptr) stake_->setFindings(document_.findings(), findingsHeading());
}

QString ProfileWindow::findingsHeading() const {
  return QStringLiteral("检查结果（%1）：%2").arg(chooser_->summary(), findings_->summary());
}

void ProfileWindow::showFile() {
  setWindowTitle(QStringLiteral("%1[*] - 纵断面设计").arg(document_.displayName()));
  setWindowFilePath(document_.filePath());
  setWindowModified(document_.isModified());
  if (stake_ != nullptr) stake_->setDocumentInfo(document_.displayName(), speedText());
  if (subgrade_ != nullptr) subgrade_->setDocumentInfo(document_.displayName(), speedText());
}

void ProfileWindow::chooseBasis() {
  document_.setRoadSettings(chooser_->applied(document_.roadSettings()));
  document_.markSettingsEdited();
  settings_.setCheckChoice(chooser_->applied({}));
  if (stake_ != nullptr) stake_->setDocumentInfo(document_.displayName(), speedText());
}

void ProfileWindow::showRoadSettings(const profile::RoadSettings& settings) {
  chooser_->show(settings);
  document_.setRoadSettings(chooser_->applied(settings));
  if (stake_ != nullptr) {
    stake_->clearEntries();
    stake_->setAddedStations(settings.addedStations);
    stake_->setInterval(settings.stakeInterval.value_or(profile::kDefaultInterval));
  }
}

profile::RoadSettings ProfileWindow::currentRoadSettings() const {
  profile::RoadSettings settings = chooser_->applied(document_.roadSettings());
  if (stake_ != nullptr) {
    settings.addedStations = stake_->addedStations();
    settings.stakeInterval = stake_->interval();
    if (settings.stakeInterval == profile::kDefaultInterval) {
      settings.stakeInterval.reset();
    }
  }
  return settings;
}

QString ProfileWindow::speedText() const { return speed_->currentText(); }

void ProfileWindow::selectRows(std::size_t first, std::size_t last) {
  const int rows = model_->rowCount();
  if (rows == 0) return;
  const int top = std::min(static_cast<int>(first), rows - 1);
  const int bottom = std::clamp(static_cast<int>(last), top, rows - 1);
  const QItemSelection selection(model_->index(top, 0),
                                 model_->index(bottom, model_->columnCount() - 1));
  const int column = std::max(table_->currentIndex().column(), 0);
  table_->selectionModel()->setCurrentIndex(model_->index(top, column),
                                            QItemSelectionModel::NoUpdate);
  table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  table_->scrollTo(model_->index(top, 0));
  view_->setSelectedRow(static_cast<std::size_t>(top));
}

void ProfileWindow::selectRow(std::size_t row) {
  tabs_->setCurrentWidget(table_);
  selectRows(row, row);
  table_->setFocus(Qt::OtherFocusReason);
}

// The row of the PVI or grade a station lies on, as the engine finds it.
std::optional<std::size_t> ProfileWindow::rowAt(double station) const {
  const profile::StationLookup found = document_.profile()->lookup(station);
  if (found.status == profile::LookupStatus::Unusable ||
      found.status == profile::LookupStatus::OutsideProfile) {
    return std::nullopt;
  }
  return found.row;
}

void ProfileWindow::showStation(double station, const QString& note) {
  view_->setMarkedStation(station);
  const QString where = hoverText(*document_.profile(), document_.ground().get(), station);
  say(note.isEmpty() ? where : note + QStringLiteral("；") + where);
}

// A stake row double-clicked: its station marked, and the PVI or grade it
// lies on selected in the 纵坡竖曲线表, leaving the user in the stake table.
void ProfileWindow::markStation(double station) {
  showStation(station, {});
  if (const auto row = rowAt(station)) selectRows(*row, *row);
}

void ProfileWindow::commitPendingEdit() {
  // The item delegate commits an open editor when it loses the focus.
  const QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && focus != table_ && table_->isAncestorOf(focus)) table_->setFocus();
}

void ProfileWindow::dragPvi(std::size_t row, double elevation) {
  if (row >= document_.points().size()) return;
  auto points = document_.points();
  points[row].elevation = elevation;
  const QString what =
      QStringLiteral("拖动%1高程").arg(QString::fromStdString(profile::rowText(row)));
  const QString refusal = document_.editPoints(std::move(points), {row, 1, 1}, what);
  if (!refusal.isEmpty()) refuse(refusal);
}

void ProfileWindow::refuse(const QString& reason) {
  statusBar()->showMessage(QStringLiteral("未修改：%1").arg(reason), kMessageMilliseconds);
}

void ProfileWindow::say(const QString& message) {
  statusBar()->showMessage(message, kMessageMilliseconds);
}

bool ProfileWindow::event(QEvent* event) {
  // The table sends an empty status tip at every move of the mouse, which
  // would wipe out why an edit was just refused before it could be read.
  if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
    return true;
  }
  return QMainWindow::event(event);
}

bool ProfileWindow::eventFilter(QObject* watched, QEvent* event) {
  // A click below the last row leaves no row current, so that 插入行 adds
  // a point after the end; a view keeps its current row otherwise, and
  // the profile could only grow inwards.
  if (watched == table_->viewport() && event->type() == QEvent::MouseButtonPress &&
      !table_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid()) {
    table_->selectionModel()->clear();
  }
  return QMainWindow::eventFilter(watched, event);
}

void ProfileWindow::closeEvent(QCloseEvent* event) {
  commitPendingEdit();
  if (!maybeSave()) {
    event->ignore();
    return;
  }
  saveLayout();
  event->accept();
}

void ProfileWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ProfileWindow::dropEvent(QDropEvent* event) {
  const QString path = droppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Asked once the drop is over: the program the file came from waits on
  // the drop until it returns.
  QTimer::singleShot(0, this, [this, path] {
    if (maybeSave()) openPath(path);
  });
}

}  // namespace vcurve::profileui
