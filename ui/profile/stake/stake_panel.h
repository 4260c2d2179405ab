#pragma once

// The 逐桩高程表 tab: a row at every interval, every key point and every
// station the user adds, with design and ground elevations, fill, cut and
// grade. Rows are computed when they are shown, never stored, so a table
// of a hundred thousand rows scrolls like a short one. It is what the
// engineer hands out: as CSV, as an Excel workbook, printed, or as PDF.

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "profile/checks.h"
#include "profile/ground_line.h"
#include "profile/profile.h"
#include "sections/cross_section.h"

class QPrinter;

namespace vcurve::profileui {

class StakePanel : public QWidget {
  Q_OBJECT

 public:
  explicit StakePanel(QWidget* parent = nullptr);
  ~StakePanel() override;

  // What the table is of. A null ground line leaves the ground columns empty.
  void setProfile(std::shared_ptr<const profile::Profile> profile);
  void setGroundLine(std::shared_ptr<const profile::GroundLine> ground);
  // With sections, the table shows the subgrade edges' elevations too.
  void setSections(std::shared_ptr<const sections::Sections> sections);
  // What the printed pages name in their heading: the profile's file name
  // and the design speed ("80 km/h", or "不检查").
  void setDocumentInfo(const QString& fileName, const QString& designSpeed);
  // What the workbook's third sheet lists, under the heading the window
  // shows over them.
  void setFindings(std::vector<profile::Finding> findings, const QString& heading);

  double interval() const;
  std::vector<double> addedStations() const;
  // As if typed: a refused interval keeps the old one and gives the
  // engine's reason in *problem (which may be null).
  bool setInterval(double metres, QString* problem = nullptr);
  // Stations the user wants in the table besides the interval and the key
  // points; kept in order, each once.
  void setAddedStations(std::vector<double> stations);
  // Empties the 定位 and 加桩 fields: what was typed there was for another road.
  void clearEntries();

  // Each returns false and a Chinese reason in *error when the file could
  // not be written; a file that fails is never left half-written.
  bool exportCsv(const QString& path, QString* error) const;
  // The workbook: this table, the 纵坡竖曲线表 and the findings.
  bool exportXlsx(const QString& path, QString* error) const;
  bool savePdf(const QString& path, QString* error) const;
  // A4, a heading and page numbers on every page, the header row repeated.
  void print(QPrinter* printer) const;

 Q_SIGNALS:
  // A short note for the window's status bar.
  void statusMessage(const QString& text);
  // The user chose a row: the window may show that station in the drawing.
  void stationActivated(double station);
  // The user changed the interval or the added stations, which are kept
  // in the road's file: the file wants saving.
  void settingsEdited();
  // A station typed into 定位: the table went to its row, or to the next
  // row when the station is none, which note then says.
  void stationFound(double station, const QString& note);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vcurve::profileui
