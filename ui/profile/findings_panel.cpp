#include "ui/profile/findings_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "profile/profile_text.h"

namespace vcurve::profileui {
namespace {

constexpr int kRowRole = Qt::UserRole;

QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStyle::StandardPixmap iconOf(profile::Severity severity) {
  switch (severity) {
    case profile::Severity::Error:
      return QStyle::SP_MessageBoxCritical;
    case profile::Severity::Warning:
      return QStyle::SP_MessageBoxWarning;
    case profile::Severity::Note:
      break;
  }
  return QStyle::SP_MessageBoxInformation;
}

}  // namespace

FindingsPanel::FindingsPanel(QWidget* parent)
    : QWidget(parent), heading_(new QLabel(this)), list_(new QTreeWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(heading_);
  layout->addWidget(list_);
  list_->setObjectName(QStringLiteral("findings"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->setHeaderLabels({QStringLiteral("级别"), QStringLiteral("位置"), QStringLiteral("规则"),
                          QStringLiteral("实际"), QStringLiteral("要求")});
  list_->header()->setStretchLastSection(true);
  connect(list_, &QTreeWidget::itemActivated, this, &FindingsPanel::activate);
}

void FindingsPanel::setFindings(const std::vector<profile::Finding>& findings,
                                const QString& checkedAgainst) {
  std::array<int, 3> counts{};
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(findings.size()));
  for (const profile::Finding& f : findings) {
    ++counts[static_cast<std::size_t>(f.severity)];
    auto* item =
        new QTreeWidgetItem({qText(profile::severityText(f.severity)), qText(profile::placeText(f)),
                             qText(profile::ruleText(f.rule)), qText(profile::foundText(f)),
                             qText(profile::requiredText(f))});
    item->setIcon(0, style()->standardIcon(iconOf(f.severity)));
    const QString line = qText(profile::findingLine(f));
    for (int c = 0; c < list_->columnCount(); ++c) item->setToolTip(c, line);
    item->setData(0, kRowRole, QVariant::fromValue(static_cast<qulonglong>(f.row)));
    items << item;
  }
  list_->addTopLevelItems(items);
  for (int c = 0; c + 1 < list_->columnCount(); ++c) list_->resizeColumnToContents(c);
  summary_ =
      QStringLiteral("错误 %1 · 警告 %2 · 提示 %3").arg(counts[0]).arg(counts[1]).arg(counts[2]);
  heading_->setText(QStringLiteral("检查结果（%1）：%2").arg(checkedAgainst, summary_));
}

void FindingsPanel::activate(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  Q_EMIT rowActivated(static_cast<std::size_t>(item->data(0, kRowRole).toULongLong()));
}

}  // namespace vcurve::profileui
