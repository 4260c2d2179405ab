#pragma once

// The toolbar's 规范, 等级 and 设计速度, with the two settings that tie the
// code to the road's place (积雪冰冻地区, 越岭路线): what the profile is
// checked against. The classes follow the code, the speeds the class.

#include <QWidget>

#include "profile/road_settings.h"

class QCheckBox;
class QComboBox;

namespace vcurve::profileui {

class CodeChooser : public QWidget {
  Q_OBJECT

 public:
  explicit CodeChooser(QWidget* parent = nullptr);

  // The choice written into the settings of a road, the rest kept.
  profile::RoadSettings applied(profile::RoadSettings settings) const;
  // Shows a road's choice without announcing it.
  void show(const profile::RoadSettings& settings);
  // "JTG D20—2017 二级公路 60 km/h", or 不检查.
  QString summary() const;

  QComboBox* codeBox() const { return code_; }
  QComboBox* classBox() const { return class_; }
  QComboBox* speedBox() const { return speed_; }

 Q_SIGNALS:
  void changed();

 private:
  void fillClasses();
  void fillSpeeds();
  void codeChosen();
  void classChosen();

  QComboBox* code_;
  QComboBox* class_;
  QComboBox* speed_;
  QCheckBox* icy_;
  QCheckBox* ridge_;
};

}  // namespace vcurve::profileui
