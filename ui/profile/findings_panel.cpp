#include "ui/profile/findings_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
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

// Drawn here rather than taken from the desktop's icon theme, whose
// lookup costs the window's start-up more than all its controls: a red
// disc, an amber triangle, a blue disc, in the colours of the table's cells.
QIcon severityIcon(profile::Severity severity) {
  static const std::array<QIcon, 3> icons = [] {
    std::array<QIcon, 3> drawn;
    const std::array<QColor, 3> colours{QColor(210, 40, 40), QColor(235, 160, 0),
                                        QColor(50, 110, 200)};
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      QPixmap pixmap(16, 16);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(colours[i]);
      if (static_cast<profile::Severity>(i) == profile::Severity::Warning) {
        painter.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)}));
      } else {
        painter.drawEllipse(QRectF(2, 2, 12, 12));
      }
      painter.end();
      drawn[i] = QIcon(pixmap);
    }
    return drawn;
  }();
  return icons[static_cast<std::size_t>(severity)];
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
  // What is wrong first; the place, the longest text, last.
  list_->setHeaderLabels({QStringLiteral("级别"), QStringLiteral("规则"), QStringLiteral("实际"),
                          QStringLiteral("要求"), QStringLiteral("位置")});
  // Every column as wide as its longest text, the list scrolling sideways
  // in a narrow window rather than cutting the place short.
  list_->header()->setStretchLastSection(false);
  heading_->setWordWrap(true);
  connect(list_, &QTreeWidget::itemActivated, this, &FindingsPanel::activate);
}

void FindingsPanel::setFindings(const std::vector<profile::Finding>& findings,
                                const QString& checkedAgainst,
                                const profile::ChainageEquations* chainage) {
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(findings.size()));
  for (const profile::Finding& f : findings) {
    auto* item = new QTreeWidgetItem({qText(profile::severityText(f.severity)),
                                      qText(profile::ruleText(f.rule)),
                                      qText(profile::foundText(f)), qText(profile::requiredText(f)),
                                      qText(profile::placeText(f, chainage))});
    item->setIcon(0, severityIcon(f.severity));
    const QString line = qText(profile::findingLine(f, chainage));
    for (int c = 0; c < list_->columnCount(); ++c) item->setToolTip(c, line);
    item->setData(0, kRowRole, QVariant::fromValue(static_cast<qulonglong>(f.row)));
    items << item;
  }
  list_->addTopLevelItems(items);
  for (int c = 0; c < list_->columnCount(); ++c) list_->resizeColumnToContents(c);
  summary_ = countsText(findings);
  heading_->setText(QStringLiteral("检查结果（%1）：%2").arg(checkedAgainst, summary_));
}

QString FindingsPanel::countsText(const std::vector<profile::Finding>& findings) {
  std::array<int, 3> counts{};
  for (const profile::Finding& f : findings) ++counts[static_cast<std::size_t>(f.severity)];
  return QStringLiteral("错误 %1 · 警告 %2 · 提示 %3").arg(counts[0]).arg(counts[1]).arg(counts[2]);
}

void FindingsPanel::activate(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  Q_EMIT rowActivated(static_cast<std::size_t>(item->data(0, kRowRole).toULongLong()));
}

}  // namespace vcurve::profileui
