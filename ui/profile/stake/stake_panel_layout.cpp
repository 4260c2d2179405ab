#include "ui/profile/stake/stake_panel_state.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "profile/profile_text.h"
#include "ui/profile/stake/stake_model.h"

// The panel's controls and how they are wired.

namespace vcurve::profileui {

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
    columns->resizeSection(
        column, std::max(metrics.horizontalAdvance(widest) + 24, columns->sectionSizeHint(column)));
  }
  view->installEventFilter(this);
  auto* copy = new QAction(QStringLiteral("复制选中行\tCtrl+C"), view);
  view->addAction(copy);
  view->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(copy, &QAction::triggered, this, &State::copyRows);
  connect(view, &QAbstractItemView::doubleClicked, panel, [this](const QModelIndex& index) {
    Q_EMIT panel->stationActivated(index.data(StakeModel::kStationRole).toDouble());
  });

  intervalEdit = new QLineEdit(utf8Text(profile::exactText(interval)), panel);
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
  auto* findLabel = new QLabel(QStringLiteral("定位(&L)："), panel);
  findLabel->setBuddy(findEdit);
  top->addWidget(findLabel);
  top->addWidget(findEdit);
  top->addStretch(1);
  top->addWidget(rowsLabel);

  addEdit = new QLineEdit(panel);
  addEdit->setObjectName(QStringLiteral("addStation"));
  addEdit->setPlaceholderText(QStringLiteral("如 K5+030"));
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

}  // namespace vcurve::profileui
