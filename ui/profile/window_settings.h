#pragma once

// What the profile window remembers between sessions: its size and place,
// how its splitters divide it, the files opened last and the design speed.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <optional>

#include "profile/road_settings.h"

namespace vcurve::profileui {

class WindowSettings {
 public:
  explicit WindowSettings(QSettings* settings) : settings_(settings) {}

  static constexpr int kMostRecentFiles = 8;

  // Newest first, each once.
  QStringList recentFiles() const;
  void addRecentFile(const QString& path);
  void removeRecentFile(const QString& path);

  QByteArray value(const QString& key) const;
  void setValue(const QString& key, const QByteArray& value);

  // None for 不检查; 80 km/h for a first start.
  std::optional<int> designSpeed() const;
  void setDesignSpeed(std::optional<int> speed);
  // The code, class and speed last chosen, for a road begun from nothing.
  profile::RoadSettings checkChoice() const;
  void setCheckChoice(const profile::RoadSettings& choice);

 private:
  QSettings* settings_;
};

}  // namespace vcurve::profileui
