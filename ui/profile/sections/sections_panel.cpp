#include "ui/profile/sections/sections_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/profile/sections/sections_model.h"

namespace vcurve::profileui {
namespace {

QToolButton* button(const QString& text, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setText(text);
  b->setAutoRaise(true);
  return b;
}

}  // namespace

SectionsPanel::SectionsPanel(SectionsState* state, QWidget* parent)
    : QWidget(parent), state_(state) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* tools = new QHBoxLayout;
  QToolButton* undo = button(QStringLiteral("撤销"), this);
  QToolButton* redo = button(QStringLiteral("重做"), this);
  undo->setObjectName(QStringLiteral("sectionsUndo"));
  redo->setObjectName(QStringLiteral("sectionsRedo"));
  undo->setEnabled(state_->undoStack()->canUndo());
  redo->setEnabled(state_->undoStack()->canRedo());
  connect(undo, &QToolButton::clicked, state_->undoStack(), &QUndoStack::undo);
  connect(redo, &QToolButton::clicked, state_->undoStack(), &QUndoStack::redo);
  connect(state_->undoStack(), &QUndoStack::canUndoChanged, undo, &QToolButton::setEnabled);
  connect(state_->undoStack(), &QUndoStack::canRedoChanged, redo, &QToolButton::setEnabled);
  tools->addWidget(undo);
  tools->addWidget(redo);
  tools->addStretch();
  layout->addLayout(tools);

  constexpr SectionsTable kTables[] = {SectionsTable::Templates, SectionsTable::Curves};
  for (const SectionsTable table : kTables) {
    const auto t = std::size_t(table);
    auto* title = new QHBoxLayout;
    title->addWidget(new QLabel(table == SectionsTable::Templates ? QStringLiteral("标准横断面")
                                                                  : QStringLiteral("超高与加宽"),
                                this));
    title->addStretch();
    QToolButton* insert = button(QStringLiteral("插入行"), this);
    QToolButton* remove = button(QStringLiteral("删除行"), this);
    connect(insert, &QToolButton::clicked, this, [this, table] { insertRow(table); });
    connect(remove, &QToolButton::clicked, this, [this, table] { deleteRows(table); });
    title->addWidget(insert);
    title->addWidget(remove);
    layout->addLayout(title);

    models_[t] = new SectionsModel(state_, table, this);
    views_[t] = new QTableView(this);
    views_[t]->setObjectName(table == SectionsTable::Templates ? QStringLiteral("templateTable")
                                                               : QStringLiteral("curveTable"));
    views_[t]->setModel(models_[t]);
    views_[t]->verticalHeader()->setDefaultSectionSize(views_[t]->fontMetrics().height() + 6);
    views_[t]->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    views_[t]->installEventFilter(this);
    connect(models_[t], &SectionsModel::editRefused, this, &SectionsPanel::refuse);
    if (table == SectionsTable::Templates) {
      // A road has a few templates and many curves: three rows in view, the
      // curves the rest.
      QTableView* v = views_[t];
      v->setFixedHeight(v->horizontalHeader()->sizeHint().height() +
                        3 * v->verticalHeader()->defaultSectionSize() +
                        v->horizontalScrollBar()->sizeHint().height() + 2 * v->frameWidth());
    }
    layout->addWidget(views_[t], table == SectionsTable::Templates ? 0 : 1);
  }

  reason_ = new QLabel(this);
  reason_->setObjectName(QStringLiteral("sectionsRefusal"));
  reason_->setWordWrap(true);
  reason_->setStyleSheet(QStringLiteral("color: #b00020;"));
  layout->addWidget(reason_);
  // A change that went through takes the last refusal's reason away.
  connect(state_, &SectionsState::changed, reason_, &QLabel::clear);
}

QTableView* SectionsPanel::view(SectionsTable table) const { return views_[std::size_t(table)]; }

QString SectionsPanel::refusal() const { return reason_->text(); }

SectionsTable SectionsPanel::tableOf(QObject* view) const {
  return view == views_[1] ? SectionsTable::Curves : SectionsTable::Templates;
}

void SectionsPanel::refuse(const QString& reason) {
  reason_->setText(reason);
  Q_EMIT statusMessage(QStringLiteral("未修改：") + reason);
}

void SectionsPanel::paste(SectionsTable table) {
  const QModelIndex at = view(table)->currentIndex();
  const QString reason =
      state_->paste(table, at.isValid() ? at.row() : state_->rowCount(table),
                    at.isValid() ? at.column() : 0, QApplication::clipboard()->text());
  if (!reason.isEmpty()) refuse(reason);
}

void SectionsPanel::insertRow(SectionsTable table) {
  const QModelIndex at = view(table)->currentIndex();
  const QString reason =
      state_->insertRow(table, at.isValid() ? at.row() : state_->rowCount(table) - 1);
  if (!reason.isEmpty()) refuse(reason);
}

void SectionsPanel::deleteRows(SectionsTable table) {
  const QModelIndexList rows = view(table)->selectionModel()->selectedRows();
  int first = view(table)->currentIndex().row(), last = first;
  for (const QModelIndex& r : rows) {
    first = std::min(first, r.row());
    last = std::max(last, r.row());
  }
  if (first < 0) return;
  const QString reason = state_->removeRows(table, first, last - first + 1);
  if (!reason.isEmpty()) refuse(reason);
}

// The window's own undo, redo and paste act on the profile; in these
// tables the keys act on the sections.
bool SectionsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
    return QWidget::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  auto* view = qobject_cast<QTableView*>(watched);
  // A cell being typed in has its editor focused: its keys never reach here.
  if (view == nullptr) return false;
  const bool undo = key->matches(QKeySequence::Undo);
  const bool redo = key->matches(QKeySequence::Redo);
  const bool paste = key->matches(QKeySequence::Paste);
  if (!undo && !redo && !paste) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (undo) state_->undoStack()->undo();
  if (redo) state_->undoStack()->redo();
  if (paste) this->paste(tableOf(watched));
  return true;
}

}  // namespace vcurve::profileui
