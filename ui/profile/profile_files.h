#pragma once

// Profile and ground-line files as the window reads and writes them (read
// by profile_opening.h), saved through a temporary file that replaces the
// old one only once it is complete.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "profile/ground_line.h"
#include "profile/profile.h"
#include "profile/road_settings.h"
#include "ui/profile/profile_document.h"

namespace vcurve::profileui {

// Picks one of a LandXML file's profiles by index; none cancels.
using ProfileChooser = std::function<std::optional<int>(const QStringList& names)>;

struct OpenedProfile {
  std::vector<profile::ProfilePoint> points;
  std::shared_ptr<const profile::GroundLine> ground;  // null when the file has none
  QString profileName;
  FileFormat format = FileFormat::Csv;
  // What saving over the file would lose of it, in Chinese: a LandXML
  // file's plan and surfaces, a CSV file's title or a column of its own.
  QString unkept;
  std::vector<profile::ChainageEquation> equations;  // the 断链, the points' numbering
  QString units;                                     // the unit the file was in when not metres
  QString groundProblem;                             // why the file's ground line was left out
  profile::RoadSettings settings;                    // the defaults when the file keeps none
  QString error;                                     // in Chinese; empty when read
  bool cancelled = false;
};

struct OpenedGround {
  std::shared_ptr<const profile::GroundLine> ground;
  QString error;
  bool cancelled = false;
};

// LandXML for a .xml or .landxml name, CSV for any other.
FileFormat formatForPath(const QString& path);
QByteArray documentBytes(const ProfileDocument& document, FileFormat format);

// The reason in Chinese, or empty once the file is complete on disk.
QString writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace vcurve::profileui
