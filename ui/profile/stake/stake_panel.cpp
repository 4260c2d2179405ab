#include "ui/profile/stake/stake_panel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/station_text.h"
#include "profile/profile_text.h"
#include "ui/profile/stake/stake_copy.h"
#include "ui/profile/stake/stake_files.h"
#include "ui/profile/stake/stake_model.h"
#include "ui/profile/stake/stake_pages.h"

namespace vcurve::profileui {
namespace {

// Stations closer than this print as the same chainage.
constexpr double kSameStation = 0.0005;

QString text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString chainage(double station) { return text(chainageText(station)); }

}  // namespace

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
  void goTo(double station);
  // Why there is no table to hand out; empty when there is one.
  QString missingTable() const;
  StakeHeading heading() const;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

void StakePanel::State::build() {
  model = new StakeModel(panel);
  view = new QTableView(panel);
  view->setModel(model);
  view->setObjectName(QStringLiteral("stakeTable"));
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setAlternatingRowColors(true);
  view->setWordWrap(false);
  // Fixed heights and widths: nothing is measured row by row, so a reset
  // or a scroll costs the same at a hundred thousand rows as at ten.
  QHeaderView* rows = view->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(view->fontMetrics().height() + 6);
  rows->hide();
  QHeaderView* columns = view->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setStretchLastSection(true);
  const QFontMetrics metrics = view->fontMetrics();
  for (int column = 0; column < StakeModel::kNoteColumn; ++column) {
    const QString widest =
        column == 0 ? QStringLiteral("K000+000.000") : QStringLiteral("0000.000");
    columns->resizeSection(column,
                           std::max(metrics.horizontalAdvance(widest),
                                    metrics.horizontalAdvance(StakeModel::columnTitle(column))) +
                               24);
  }
  view->installEventFilter(this);
  auto* copy = new QAction(QStringLiteral("复制选中行\tCtrl+C"), view);
  view->addAction(copy);
  view->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(copy, &QAction::triggered, this, &State::copyRows);
  connect(view, &QAbstractItemView::doubleClicked, panel, [this](const QModelIndex& index) {
    Q_EMIT panel->stationActivated(index.data(StakeModel::kStationRole).toDouble());
  });

  intervalEdit = new QLineEdit(text(profile::exactText(interval)), panel);
  intervalEdit->setObjectName(QStringLiteral("interval"));
  intervalEdit->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("0000.000")) + 16);
  intervalEdit->setAlignment(Qt::AlignRight);
  connect(intervalEdit, &QLineEdit::editingFinished, this, &State::intervalTyped);
  findEdit = new QLineEdit(panel);
  findEdit->setObjectName(QStringLiteral("findStation"));
  findEdit->setPlaceholderText(QStringLiteral("桩号，回车定位"));
  findEdit->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("K000+000.000")) * 3 / 2);
  connect(findEdit, &QLineEdit::returnPressed, this, &State::findTyped);
  rowsLabel = new QLabel(panel);

  auto* top = new QHBoxLayout;
  auto* intervalLabel = new QLabel(QStringLiteral("桩距(&I)："), panel);
  intervalLabel->setBuddy(intervalEdit);
  top->addWidget(intervalLabel);
  top->addWidget(intervalEdit);
  top->addWidget(new QLabel(QStringLiteral("m"), panel));
  top->addSpacing(24);
  auto* findLabel = new QLabel(QStringLiteral("定位(&F)："), panel);
  findLabel->setBuddy(findEdit);
  top->addWidget(findLabel);
  top->addWidget(findEdit);
  top->addStretch(1);
  top->addWidget(rowsLabel);

  addEdit = new QLineEdit(panel);
  addEdit->setObjectName(QStringLiteral("addStation"));
  addEdit->setPlaceholderText(QStringLiteral("K5+030 或 5030"));
  connect(addEdit, &QLineEdit::returnPressed, this, &State::addTyped);
  auto* addButton = new QPushButton(QStringLiteral("添加"), panel);
  connect(addButton, &QPushButton::clicked, this, &State::addTyped);
  addedList = new QListWidget(panel);
  addedList->setObjectName(QStringLiteral("addedStations"));
  addedList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  addedList->installEventFilter(this);
  connect(addedList, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { goTo(item->data(Qt::UserRole).toDouble()); });
  auto* removeButton = new QPushButton(QStringLiteral("删除"), panel);
  connect(removeButton, &QPushButton::clicked, this, &State::removeChosen);

  auto* side = new QVBoxLayout;
  auto* addLabel = new QLabel(QStringLiteral("加桩(&A)："), panel);
  addLabel->setBuddy(addEdit);
  side->addWidget(addLabel);
  auto* addRow = new QHBoxLayout;
  addRow->addWidget(addEdit, 1);
  addRow->addWidget(addButton);
  side->addLayout(addRow);
  side->addWidget(addedList, 1);
  side->addWidget(removeButton, 0, Qt::AlignRight);
  auto* sideBox = new QWidget(panel);
  sideBox->setLayout(side);
  side->setContentsMargins(0, 0, 0, 0);
  sideBox->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("K000+000.000")) * 2);

  auto* body = new QHBoxLayout;
  body->addWidget(view, 1);
  body->addWidget(sideBox);
  auto* layout = new QVBoxLayout(panel);
  layout->addLayout(top);
  layout->addLayout(body, 1);
  rebuild();
}

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
      problem = text(why);
    }
  }
  model->setTable(table);
  if (!profile) {
    rowsLabel->clear();
  } else if (!profile->usable()) {
    rowsLabel->setText(text(profile::lookupProblemText(profile::LookupStatus::Unusable)));
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
  if (typed == text(profile::exactText(interval))) return;
  QString problem;
  const profile::CellReading reading =
      profile::readCell(profile::InputColumn::Elevation, typed.toStdString());
  if (typed.isEmpty()) {
    problem = QStringLiteral("缺少桩距");
  } else if (!reading.ok()) {
    problem = text(reading.error);
  } else if (panel->setInterval(reading.value, &problem)) {
    return;
  }
  intervalEdit->setText(text(profile::exactText(interval)));
  Q_EMIT panel->statusMessage(QStringLiteral("桩距未改：%1").arg(problem));
}

void StakePanel::State::addTyped() {
  const profile::CellReading reading =
      profile::readCell(profile::InputColumn::Station, addEdit->text().toStdString());
  if (!reading.ok()) {
    Q_EMIT panel->statusMessage(text(reading.error));
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
}

void StakePanel::State::findTyped() {
  const profile::CellReading reading =
      profile::readCell(profile::InputColumn::Station, findEdit->text().toStdString());
  if (!reading.ok()) {
    Q_EMIT panel->statusMessage(text(reading.error));
    return;
  }
  if (profile && profile->usable() && !profile->contains(reading.value)) {
    Q_EMIT panel->statusMessage(QStringLiteral("%1：%2").arg(
        chainage(reading.value),
        text(profile::lookupProblemText(profile::LookupStatus::OutsideProfile))));
    return;
  }
  goTo(reading.value);
}

void StakePanel::State::goTo(double station) {
  if (!table || table->size() == 0) return;
  const auto row = std::min(table->rowAtOrAfter(station), table->size() - 1);
  const QModelIndex index = model->index(static_cast<int>(row), 0);
  view->selectRow(index.row());
  view->scrollTo(index, QAbstractItemView::PositionAtCenter);
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
  if (!profile->usable()) return text(profile::lookupProblemText(profile::LookupStatus::Unusable));
  if (!table) {
    return text(profile::StakeTable::intervalProblem(
        interval, profile->endStation() - profile->startStation()));
  }
  return {};
}

StakeHeading StakePanel::State::heading() const {
  return {fileName, designSpeed, text(profile::exactText(interval)) + QStringLiteral(" m")};
}

StakePanel::StakePanel(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>(this)) {
  state_->build();
}

StakePanel::~StakePanel() = default;

void StakePanel::setProfile(std::shared_ptr<const profile::Profile> profile) {
  state_->profile = std::move(profile);
  state_->rebuild();
}

void StakePanel::setGroundLine(std::shared_ptr<const profile::GroundLine> ground) {
  state_->ground = std::move(ground);
  state_->rebuild();
}

void StakePanel::setDocumentInfo(const QString& fileName, const QString& designSpeed) {
  state_->fileName = fileName;
  state_->designSpeed = designSpeed;
}

double StakePanel::interval() const { return state_->interval; }

std::vector<double> StakePanel::addedStations() const { return state_->added; }

bool StakePanel::setInterval(double metres, QString* problem) {
  const double length = state_->profile
                            ? state_->profile->endStation() - state_->profile->startStation()
                            : std::nan("");
  const std::string why = profile::StakeTable::intervalProblem(metres, length);
  if (!why.empty()) {
    if (problem != nullptr) *problem = text(why);
    return false;
  }
  state_->interval = metres;
  state_->intervalEdit->setText(text(profile::exactText(metres)));
  state_->rebuild();
  return true;
}

void StakePanel::setAddedStations(std::vector<double> stations) {
  std::sort(stations.begin(), stations.end());
  stations.erase(std::unique(stations.begin(), stations.end(),
                             [](double a, double b) { return b - a < kSameStation; }),
                 stations.end());
  state_->added = std::move(stations);
  state_->showAdded();
  state_->rebuild();
}

bool StakePanel::exportCsv(const QString& path, QString* error) const {
  if (*error = state_->missingTable(); !error->isEmpty()) return false;
  return writeStakeCsvFile(*state_->table, path, error);
}

bool StakePanel::exportXlsx(const QString& path, QString* error) const {
  if (*error = state_->missingTable(); !error->isEmpty()) return false;
  QString title = QStringLiteral("逐桩高程表");
  if (!state_->fileName.isEmpty()) title += QStringLiteral("　文件：%1").arg(state_->fileName);
  if (!state_->designSpeed.isEmpty()) {
    title += QStringLiteral("　设计速度：%1").arg(state_->designSpeed);
  }
  return writeStakeXlsxFile(*state_->table, path, title.toStdString(), error);
}

bool StakePanel::savePdf(const QString& path, QString* error) const {
  if (*error = state_->missingTable(); !error->isEmpty()) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("逐桩高程表 %1").arg(state_->fileName).trimmed());
    writer.setCreator(QStringLiteral("纵断面设计"));
    setStakePageLayout(writer);
    const StakePages pages(state_->table.get(), state_->heading(), writer);
    QPainter painter(&writer);
    pages.paint(painter, writer, 1, pages.pageCount());
  }
  if (!file.commit()) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
    return false;
  }
  return true;
}

void StakePanel::print(QPrinter* printer) const {
  if (const QString missing = state_->missingTable(); !missing.isEmpty()) {
    Q_EMIT state_->panel->statusMessage(QStringLiteral("未打印：%1").arg(missing));
    return;
  }
  // The paper is the printer's; the margins are the ones the pages are
  // laid out for, or the printer's least where it cannot go that close.
  printer->setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
  if (printer->docName().isEmpty()) printer->setDocName(QStringLiteral("逐桩高程表"));
  const StakePages pages(state_->table.get(), state_->heading(), *printer);
  int first = 1;
  int last = pages.pageCount();
  if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
    first = printer->fromPage();
    last = std::max(first, printer->toPage());
  }
  QPainter painter;
  if (!painter.begin(printer)) {
    Q_EMIT state_->panel->statusMessage(QStringLiteral("无法开始打印"));
    return;
  }
  pages.paint(painter, *printer, first, last);
}

}  // namespace vcurve::profileui
