#include "ui/profile/equations_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/station_text.h"
#include "ui/profile/profile_document.h"

namespace vcurve::profileui {
namespace {

QString qText(const std::string& text) { return QString::fromStdString(text); }

// "K1+800=K1+792.35" as an equation; nullopt for anything else.
std::optional<profile::ChainageEquation> typedEquation(const QString& text) {
  const auto read = profile::readFieldStation(text.trimmed().toStdString());
  if (!read || !read->ahead) return std::nullopt;
  return profile::ChainageEquation{read->station, *read->ahead};
}

}  // namespace

EquationsCommand::EquationsCommand(ProfileDocument* document,
                                   std::vector<profile::ChainageEquation> before,
                                   std::vector<profile::ChainageEquation> after,
                                   const QString& text)
    : QUndoCommand(text),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)) {}

void EquationsCommand::redo() { document_->applyEquations(after_); }
void EquationsCommand::undo() { document_->applyEquations(before_); }

EquationsPanel::EquationsPanel(ProfileDocument* document, QWidget* parent)
    : QWidget(parent), document_(document) {
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("equationEdit"));
  edit_->setPlaceholderText(QStringLiteral("前桩号=后桩号，如 K1+800=K1+792.35"));
  auto* addButton = new QPushButton(QStringLiteral("添加"), this);
  auto* changeButton = new QPushButton(QStringLiteral("修改所选"), this);
  auto* removeButton = new QPushButton(QStringLiteral("删除所选"), this);
  list_ = new QTableWidget(0, 3, this);
  list_->setHorizontalHeaderLabels(
      {QStringLiteral("前桩号"), QStringLiteral("后桩号"), QStringLiteral("断链")});
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->horizontalHeader()->setStretchLastSection(true);
  auto* row = new QHBoxLayout;
  row->addWidget(edit_, 1);
  row->addWidget(addButton);
  row->addWidget(changeButton);
  row->addWidget(removeButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(row);
  layout->addWidget(list_, 1);
  connect(addButton, &QPushButton::clicked, this, &EquationsPanel::addTyped);
  connect(edit_, &QLineEdit::returnPressed, this, &EquationsPanel::addTyped);
  connect(changeButton, &QPushButton::clicked, this, &EquationsPanel::changeTyped);
  connect(removeButton, &QPushButton::clicked, this, &EquationsPanel::removeChosen);
  connect(document_, &ProfileDocument::profileChanged, this, &EquationsPanel::show);
  connect(document_, &ProfileDocument::profileReplaced, this, &EquationsPanel::show);
  show();
}

void EquationsPanel::show() {
  const profile::ChainageEquations& chainage = document_->profile()->chainage();
  list_->setRowCount(static_cast<int>(chainage.size()));
  for (std::size_t i = 0; i < chainage.size(); ++i) {
    const auto r = static_cast<int>(i);
    list_->setItem(r, 0, new QTableWidgetItem(qText(chainageText(chainage.equations()[i].back))));
    list_->setItem(r, 1, new QTableWidgetItem(qText(chainageText(chainage.equations()[i].ahead))));
    list_->setItem(r, 2, new QTableWidgetItem(qText(chainage.kindText(i))));
  }
}

QString EquationsPanel::apply(std::vector<profile::ChainageEquation> equations,
                              const QString& what) {
  if (const std::string why = profile::ChainageEquations::problem(equations); !why.empty()) {
    return qText(why);
  }
  document_->undoStack()->push(new EquationsCommand(
      document_, document_->profile()->chainage().equations(), std::move(equations), what));
  return {};
}

QString EquationsPanel::add(const QString& text) {
  const auto equation = typedEquation(text);
  if (!equation) return QStringLiteral("应写作“前桩号=后桩号”，如 K1+800=K1+792.35");
  const profile::ChainageEquations& chainage = document_->profile()->chainage();
  // The back station is read in the numbering as it stands: where it lies
  // tells between which equations the new one goes.
  const profile::FieldLookup at = chainage.distance(equation->back);
  if (!at.ok()) return qText(profile::fieldProblem(chainage, equation->back, at));
  std::vector<profile::ChainageEquation> equations = chainage.equations();
  equations.insert(equations.begin() + static_cast<std::ptrdiff_t>(chainage.segmentAt(at.distance)),
                   *equation);
  return apply(std::move(equations), QStringLiteral("添加断链"));
}

QString EquationsPanel::change(int row, const QString& text) {
  auto equations = document_->profile()->chainage().equations();
  if (row < 0 || row >= static_cast<int>(equations.size()))
    return QStringLiteral("请先选择一个断链");
  const auto equation = typedEquation(text);
  if (!equation) return QStringLiteral("应写作“前桩号=后桩号”，如 K1+800=K1+792.35");
  equations[static_cast<std::size_t>(row)] = *equation;
  return apply(std::move(equations), QStringLiteral("修改断链"));
}

QString EquationsPanel::remove(int row) {
  auto equations = document_->profile()->chainage().equations();
  if (row < 0 || row >= static_cast<int>(equations.size()))
    return QStringLiteral("请先选择一个断链");
  equations.erase(equations.begin() + row);
  return apply(std::move(equations), QStringLiteral("删除断链"));
}

void EquationsPanel::addTyped() {
  const QString why = add(edit_->text());
  if (why.isEmpty()) edit_->clear();
  Q_EMIT statusMessage(why.isEmpty() ? QStringLiteral("已添加断链")
                                     : QStringLiteral("断链未添加：") + why);
}

void EquationsPanel::changeTyped() {
  const QString why = change(list_->currentRow(), edit_->text());
  Q_EMIT statusMessage(why.isEmpty() ? QStringLiteral("已修改断链")
                                     : QStringLiteral("断链未修改：") + why);
}

void EquationsPanel::removeChosen() {
  const QString why = remove(list_->currentRow());
  Q_EMIT statusMessage(why.isEmpty() ? QStringLiteral("已删除断链")
                                     : QStringLiteral("断链未删除：") + why);
}

}  // namespace vcurve::profileui
