// Where everything sits: the drawing across the top, the two tables under
// it, the findings and the reverse lookup beside them, and what of that
// layout the window remembers.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>

#include "profile/design_code.h"
#include "profile/profile_text.h"
#include "ui/profile/code_chooser.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/elevation_lookup.h"
#include "ui/profile/equations_panel.h"
#include "ui/profile/findings_panel.h"
#include "ui/profile/folding_spin_box.h"
#include "ui/profile/point_table.h"
#include "ui/profile/profile_table_model.h"
#include "ui/profile/profile_window.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kState = QStringLiteral("window/state");
const QString kMainSplit = QStringLiteral("window/mainSplitter");
const QString kBottomSplit = QStringLiteral("window/bottomSplitter");
const QString kSideSplit = QStringLiteral("window/sideSplitter");

constexpr double kDefaultExaggeration = 10;

// Wide enough for the column's whole title and for the widest value a
// road gives it, so that the columns fit without wasting room and no
// title is cut short.
// A tab's panel may want more height than a small screen leaves under the
// drawing: it scrolls, rather than taking the drawing's share.
QScrollArea* scrolledPage(QWidget* parent) {
  auto* page = new QScrollArea(parent);
  page->setWidgetResizable(true);
  page->setFrameShape(QFrame::NoFrame);
  return page;
}

void sizeColumns(QTableView* table) {
  static constexpr std::array<const char*, profile::kTableColumns + 1> kWidest{
      "K12+345.678", "1234.567", "100000",  "-10.00",      "1234.567",    "",
      "1234.567",    "1234.567", "123.456", "K12+345.678", "K12+345.678", "起点 接既有路"};
  const QFontMetrics metrics(table->font());
  QHeaderView* header = table->horizontalHeader();
  for (int c = 0; c < table->model()->columnCount(); ++c) {
    const char* widest = static_cast<std::size_t>(c) < kWidest.size() ? kWidest[c] : "";
    const int value = metrics.horizontalAdvance(QString::fromUtf8(widest)) + 16;
    header->resizeSection(c, std::max(value, header->sectionSizeHint(c)));
  }
}

}  // namespace

void ProfileWindow::buildWidgets() {
  setObjectName(QStringLiteral("profileWindow"));
  setAcceptDrops(true);

  view_ = new ProfileView(this);
  view_->setObjectName(QStringLiteral("drawing"));
  view_->setMinimumHeight(120);

  auto* table = new PointTable(&document_, this);
  connect(table, &PointTable::editRefused, this, &ProfileWindow::refuse);
  table_ = table;
  table_->setObjectName(QStringLiteral("profileTable"));
  table_->setModel(model_);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  table_->viewport()->installEventFilter(this);
  table_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  sizeColumns(table_);

  stakePage_ = scrolledPage(this);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(table_, QStringLiteral("纵坡竖曲线表"));
  tabs_->addTab(stakePage_, QStringLiteral("逐桩高程表"));
  subgradePage_ = scrolledPage(this);
  tabs_->addTab(subgradePage_, QStringLiteral("路基设计表"));
  equations_ = new EquationsPanel(&document_, this);
  tabs_->addTab(equations_, QStringLiteral("断链"));
  connect(equations_, &EquationsPanel::statusMessage, this, &ProfileWindow::say);

  findings_ = new FindingsPanel(this);
  lookup_ = new ElevationLookup(this);
  sideSplit_ = new QSplitter(Qt::Vertical, this);
  sideSplit_->setObjectName(QStringLiteral("sideSplitter"));
  sideSplit_->addWidget(findings_);
  sideSplit_->addWidget(lookup_);
  sideSplit_->setStretchFactor(0, 3);
  sideSplit_->setStretchFactor(1, 1);

  bottomSplit_ = new QSplitter(Qt::Horizontal, this);
  bottomSplit_->setObjectName(QStringLiteral("bottomSplitter"));
  bottomSplit_->addWidget(tabs_);
  bottomSplit_->addWidget(sideSplit_);
  bottomSplit_->setStretchFactor(0, 3);
  bottomSplit_->setStretchFactor(1, 2);

  mainSplit_ = new QSplitter(Qt::Vertical, this);
  mainSplit_->setObjectName(QStringLiteral("mainSplitter"));
  mainSplit_->addWidget(view_);
  mainSplit_->addWidget(bottomSplit_);
  mainSplit_->setStretchFactor(0, 1);
  mainSplit_->setStretchFactor(1, 1);
  setCentralWidget(mainSplit_);

  auto* toolBar = addToolBar(QStringLiteral("工具栏"));
  toolBar->setObjectName(QStringLiteral("toolBar"));
  toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolBar->setMovable(false);
  buildActions(this, document_.undoStack(), table_, toolBar, &actions_, &recentMenu_);

  toolBar->addSeparator();
  buildSpeedChooser();
  toolBar->addWidget(chooser_);
  toolBar->addWidget(new QLabel(QStringLiteral("  纵向放大 "), toolBar));
  exaggeration_ = new FoldingSpinBox(toolBar);
  exaggeration_->setObjectName(QStringLiteral("exaggeration"));
  exaggeration_->setRange(1, 100);
  exaggeration_->setDecimals(0);
  exaggeration_->setSuffix(QStringLiteral(" 倍"));
  exaggeration_->setValue(kDefaultExaggeration);
  exaggeration_->setToolTip(QStringLiteral("高程方向相对桩号方向的放大倍数"));
  toolBar->addWidget(exaggeration_);

  summary_ = new QLabel(this);
  hover_ = new QLabel(this);
  hover_->setObjectName(QStringLiteral("hoverText"));
  statusBar()->addPermanentWidget(hover_);
  statusBar()->addPermanentWidget(summary_);
}

StakePanel* ProfileWindow::stakePanel() {
  if (stake_ != nullptr) return stake_;
  stake_ = new StakePanel(stakePage_);
  stake_->setObjectName(QStringLiteral("stakePanel"));
  stakePage_->setWidget(stake_);
  stake_->setProfile(document_.profile());
  stake_->setGroundLine(document_.ground());
  stake_->setDocumentInfo(document_.displayName(), speedText());
  stake_->setFindings(document_.findings(), findingsHeading());
  const profile::RoadSettings& road = document_.roadSettings();
  stake_->setAddedStations(road.addedStations);
  if (road.stakeInterval) stake_->setInterval(*road.stakeInterval);
  showSections();
  connect(stake_, &StakePanel::stationActivated, this, &ProfileWindow::markStation);
  connect(stake_, &StakePanel::settingsEdited, &document_, &ProfileDocument::markSettingsEdited);
  connect(stake_, &StakePanel::stationFound, this, &ProfileWindow::showStation);
  connect(stake_, &StakePanel::statusMessage, this, &ProfileWindow::say);
  return stake_;
}

void ProfileWindow::buildSpeedChooser() {
  chooser_ = new CodeChooser(this);
  speed_ = chooser_->speedBox();
  const profile::RoadSettings choice = settings_.checkChoice();
  chooser_->show(choice);
  document_.setRoadSettings(chooser_->applied(document_.roadSettings()));
}

void ProfileWindow::restoreLayout() {
  if (!restoreGeometry(settings_.value(kGeometry))) {
    // A first start: most of the screen, since the drawing and the table
    // both want width, but not a wall of it on a large monitor.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(screen.width() * 9 / 10, 1600), std::min(screen.height() * 9 / 10, 1000));
  }
  restoreState(settings_.value(kState));
  // Shares rather than sizes: a splitter whose parts all stretch keeps
  // their proportions as the window grows, so the drawing has nearly half
  // the height on any screen, and the findings nearly half the width,
  // which their places and the code's clauses need, once the window is
  // wide enough for the whole 纵坡竖曲线表.
  if (!mainSplit_->restoreState(settings_.value(kMainSplit))) mainSplit_->setSizes({450, 550});
  if (!bottomSplit_->restoreState(settings_.value(kBottomSplit))) {
    bottomSplit_->setSizes({520, 480});
  }
  if (!sideSplit_->restoreState(settings_.value(kSideSplit))) sideSplit_->setSizes({300, 120});
}

void ProfileWindow::saveLayout() {
  settings_.setValue(kGeometry, saveGeometry());
  settings_.setValue(kState, saveState());
  settings_.setValue(kMainSplit, mainSplit_->saveState());
  settings_.setValue(kBottomSplit, bottomSplit_->saveState());
  settings_.setValue(kSideSplit, sideSplit_->saveState());
  settings_.setCheckChoice(chooser_->applied({}));
}

}  // namespace vcurve::profileui
