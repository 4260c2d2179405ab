#include "ui/profile/window_settings.h"

#include <QDir>
#include <QFileInfo>

namespace vcurve::profileui {
namespace {

const QString kRecentFiles = QStringLiteral("recentFiles");
const QString kDesignSpeed = QStringLiteral("designSpeed");
const QString kDesignCode = QStringLiteral("designCode");
const QString kRoadClass = QStringLiteral("roadClass");
constexpr int kFirstDesignSpeed = 80;
constexpr int kNoCheck = 0;

// One spelling per file, so that a file opened by two routes is listed once.
QString canonical(const QString& path) {
  const QString resolved = QFileInfo(path).absoluteFilePath();
  return QDir::cleanPath(resolved);
}

}  // namespace

QStringList WindowSettings::recentFiles() const {
  return settings_->value(kRecentFiles).toStringList();
}

void WindowSettings::addRecentFile(const QString& path) {
  QStringList files = recentFiles();
  const QString file = canonical(path);
  files.removeAll(file);
  files.prepend(file);
  while (files.size() > kMostRecentFiles) files.removeLast();
  settings_->setValue(kRecentFiles, files);
}

void WindowSettings::removeRecentFile(const QString& path) {
  QStringList files = recentFiles();
  files.removeAll(canonical(path));
  settings_->setValue(kRecentFiles, files);
}

QByteArray WindowSettings::value(const QString& key) const {
  return settings_->value(key).toByteArray();
}

void WindowSettings::setValue(const QString& key, const QByteArray& value) {
  settings_->setValue(key, value);
}

std::optional<int> WindowSettings::designSpeed() const {
  const int speed = settings_->value(kDesignSpeed, kFirstDesignSpeed).toInt();
  if (speed == kNoCheck) return std::nullopt;
  return speed;
}

void WindowSettings::setDesignSpeed(std::optional<int> speed) {
  settings_->setValue(kDesignSpeed, speed.value_or(kNoCheck));
}

profile::RoadSettings WindowSettings::checkChoice() const {
  profile::RoadSettings choice;
  choice.code = settings_->value(kDesignCode).toString().toStdString();
  choice.roadClass = settings_->value(kRoadClass).toString().toStdString();
  choice.speed = designSpeed();
  return choice;
}

void WindowSettings::setCheckChoice(const profile::RoadSettings& choice) {
  settings_->setValue(kDesignCode, QString::fromStdString(choice.code));
  settings_->setValue(kRoadClass, QString::fromStdString(choice.roadClass));
  setDesignSpeed(choice.speed);
}

}  // namespace vcurve::profileui
