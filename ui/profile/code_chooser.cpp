#include "ui/profile/code_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace vcurve::profileui {
namespace {

QString utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const profile::DesignCode& codeOf(const QComboBox* box) {
  const auto* code = profile::designCode(box->currentData().toString().toStdString());
  return code != nullptr ? *code : profile::highwayCode();
}

}  // namespace

CodeChooser::CodeChooser(QWidget* parent)
    : QWidget(parent),
      code_(new QComboBox(this)),
      class_(new QComboBox(this)),
      speed_(new QComboBox(this)),
      icy_(new QCheckBox(QStringLiteral("积雪冰冻"), this)),
      ridge_(new QCheckBox(QStringLiteral("越岭"), this)) {
  code_->setObjectName(QStringLiteral("designCode"));
  class_->setObjectName(QStringLiteral("roadClass"));
  speed_->setObjectName(QStringLiteral("designSpeed"));
  for (const profile::DesignCode* code : profile::designCodes()) {
    code_->addItem(utf8(code->name), utf8(code->key));
    code_->setItemData(code_->count() - 1, utf8(code->title), Qt::ToolTipRole);
  }
  code_->setToolTip(QStringLiteral("检查所依据的规范"));
  class_->setToolTip(QStringLiteral("道路等级；“不分等级”时只按设计速度检查"));
  speed_->setToolTip(QStringLiteral("“不检查”时只查竖曲线重叠等几何问题"));
  icy_->setToolTip(QStringLiteral("积雪冰冻地区：按规范降低最大纵坡"));
  ridge_->setToolTip(QStringLiteral("越岭路线：二级、三级、四级公路检查平均纵坡"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* widget : std::initializer_list<QWidget*>{new QLabel(QStringLiteral("规范"), this),
                                                         code_, class_, speed_, icy_, ridge_}) {
    layout->addWidget(widget);
  }
  fillClasses();
  fillSpeeds();
  connect(code_, &QComboBox::currentIndexChanged, this, &CodeChooser::codeChosen);
  connect(class_, &QComboBox::currentIndexChanged, this, &CodeChooser::classChosen);
  connect(speed_, &QComboBox::currentIndexChanged, this, &CodeChooser::changed);
  connect(icy_, &QCheckBox::toggled, this, &CodeChooser::changed);
  connect(ridge_, &QCheckBox::toggled, this, &CodeChooser::changed);
}

void CodeChooser::fillClasses() {
  const QSignalBlocker quiet(class_);
  const QString before = class_->currentData().toString();
  class_->clear();
  class_->addItem(QStringLiteral("不分等级"), QString());
  for (const profile::RoadClass& roadClass : codeOf(code_).classes) {
    class_->addItem(utf8(roadClass.name), utf8(roadClass.name));
  }
  class_->setCurrentIndex(std::max(0, class_->findData(before)));
}

void CodeChooser::fillSpeeds() {
  const QSignalBlocker quiet(speed_);
  const QVariant before = speed_->currentData();
  const profile::DesignCode& code = codeOf(code_);
  const profile::RoadClass* roadClass =
      code.forClass(class_->currentData().toString().toStdString());
  speed_->clear();
  for (const profile::SpeedLimits& limits : code.speeds) {
    if (roadClass == nullptr || profile::allowsSpeed(*roadClass, limits.speed)) {
      speed_->addItem(QStringLiteral("%1 km/h").arg(limits.speed), limits.speed);
    }
  }
  speed_->addItem(QStringLiteral("不检查"), QVariant());
  // A speed the new list lacks gives way to the class's fastest.
  const int index = before.isValid() ? speed_->findData(before) : speed_->count() - 1;
  speed_->setCurrentIndex(index >= 0 ? index : 0);
}

void CodeChooser::codeChosen() {
  fillClasses();
  fillSpeeds();
  Q_EMIT changed();
}

void CodeChooser::classChosen() {
  fillSpeeds();
  Q_EMIT changed();
}

profile::RoadSettings CodeChooser::applied(profile::RoadSettings settings) const {
  settings.code = code_->currentData().toString().toStdString();
  settings.roadClass = class_->currentData().toString().toStdString();
  const QVariant speed = speed_->currentData();
  settings.speed = speed.isValid() ? std::optional<int>(speed.toInt()) : std::nullopt;
  settings.icy = icy_->isChecked();
  settings.ridgeRoute = ridge_->isChecked();
  return settings;
}

void CodeChooser::show(const profile::RoadSettings& settings) {
  const QSignalBlocker quietCode(code_);
  const QSignalBlocker quietIcy(icy_);
  const QSignalBlocker quietRidge(ridge_);
  const profile::DesignCode* code =
      settings.code.empty() ? &profile::highwayCode() : profile::designCode(settings.code);
  if (code == nullptr) code = &profile::highwayCode();
  code_->setCurrentIndex(std::max(0, code_->findData(utf8(code->key))));
  fillClasses();
  {
    const QSignalBlocker quiet(class_);
    class_->setCurrentIndex(
        std::max(0, class_->findData(QString::fromStdString(settings.roadClass))));
  }
  fillSpeeds();
  {
    const QSignalBlocker quiet(speed_);
    const int index = settings.speed ? speed_->findData(*settings.speed) : speed_->count() - 1;
    speed_->setCurrentIndex(index >= 0 ? index : speed_->count() - 1);
  }
  icy_->setChecked(settings.icy);
  ridge_->setChecked(settings.ridgeRoute);
}

QString CodeChooser::summary() const {
  if (!speed_->currentData().isValid()) return speed_->currentText();
  QString text = code_->currentText();
  if (!class_->currentData().toString().isEmpty()) text += QLatin1Char(' ') + class_->currentText();
  return text + QLatin1Char(' ') + speed_->currentText();
}

}  // namespace vcurve::profileui
