#pragma once

// The reverse lookup: an elevation typed, every station where the design
// line reaches it listed.

#include <QWidget>
#include <memory>

#include "profile/profile.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace vcurve::profileui {

class ElevationLookup : public QWidget {
  Q_OBJECT

 public:
  explicit ElevationLookup(QWidget* parent = nullptr);

  // Looked up again when the profile changes, so the list is never stale.
  void setProfile(std::shared_ptr<const profile::Profile> profile);
  QLineEdit* field() const { return field_; }
  QListWidget* results() const { return results_; }

 Q_SIGNALS:
  void stationActivated(double station);

 private:
  void lookUp();
  void activate(QListWidgetItem* item);

  std::shared_ptr<const profile::Profile> profile_;
  QLineEdit* field_;
  QListWidget* results_;
};

}  // namespace vcurve::profileui
