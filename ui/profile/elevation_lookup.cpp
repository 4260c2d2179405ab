#include "ui/profile/elevation_lookup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "profile/profile_text.h"

namespace vcurve::profileui {
namespace {

constexpr int kStationRole = Qt::UserRole;

}  // namespace

ElevationLookup::ElevationLookup(QWidget* parent)
    : QWidget(parent), field_(new QLineEdit(this)), results_(new QListWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("按高程反查桩号"), this));
  auto* row = new QHBoxLayout;
  field_->setObjectName(QStringLiteral("lookupElevation"));
  field_->setPlaceholderText(QStringLiteral("设计高程(m)，如 850.5"));
  auto* button = new QPushButton(QStringLiteral("查找"), this);
  row->addWidget(field_, 1);
  row->addWidget(button);
  layout->addLayout(row);
  // A few lines are enough for the stations of one elevation; the rest of
  // a small screen's height goes to the findings above.
  results_->setMinimumHeight(results_->fontMetrics().height() * 3);
  layout->addWidget(results_, 1);
  connect(field_, &QLineEdit::returnPressed, this, &ElevationLookup::lookUp);
  connect(button, &QPushButton::clicked, this, &ElevationLookup::lookUp);
  connect(results_, &QListWidget::itemActivated, this, &ElevationLookup::activate);
}

void ElevationLookup::setProfile(std::shared_ptr<const profile::Profile> profile) {
  profile_ = std::move(profile);
  if (!field_->text().trimmed().isEmpty()) lookUp();
}

void ElevationLookup::lookUp() {
  results_->clear();
  if (!profile_ || field_->text().trimmed().isEmpty()) return;
  const profile::CellReading z =
      profile::readCell(profile::InputColumn::Elevation, field_->text().toStdString());
  if (!z.ok()) {
    results_->addItem(QString::fromStdString(z.error));
    return;
  }
  const auto matches = profile_->stationsAtElevation(z.value);
  if (matches.empty()) {
    results_->addItem(QStringLiteral("设计线上没有高程为 %1 m 的点")
                          .arg(QString::fromStdString(profile::fixed3(z.value))));
    return;
  }
  for (const profile::ElevationMatch& match : matches) {
    const QString text = QString::fromStdString(profile::matchText(match));
    auto* item = new QListWidgetItem(text, results_);
    item->setToolTip(text);
    item->setData(kStationRole, match.station);
  }
}

void ElevationLookup::activate(QListWidgetItem* item) {
  if (item == nullptr || !item->data(kStationRole).isValid()) return;
  Q_EMIT stationActivated(item->data(kStationRole).toDouble());
}

}  // namespace vcurve::profileui
