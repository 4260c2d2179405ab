#pragma once

// The 路基设计表 tab: the table at the stake table's stations beside the
// section template and 超高表 it is made from, and the table handed out as
// CSV, Excel and PDF.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

#include "profile/ground_line.h"
#include "profile/profile.h"
#include "ui/profile/sections/sections_state.h"

class QLabel;
class QTableView;

namespace vcurve::profileui {

class SectionsPanel;
class SubgradeModel;
class CrossSectionView;

class SubgradePanel : public QWidget {
  Q_OBJECT

 public:
  explicit SubgradePanel(QWidget* parent = nullptr);

  void setProfile(std::shared_ptr<const profile::Profile> profile);
  void setGroundLine(std::shared_ptr<const profile::GroundLine> ground);
  void setDocumentInfo(const QString& fileName, const QString& designSpeed);

  SectionsState* state() { return &state_; }
  SectionsPanel* editor() const { return editor_; }
  QTableView* table() const { return table_; }
  int rowCount() const;

  // The rows that read and stand are taken; each message is a row that
  // did not (or why the file could not be read).
  QStringList load(const QString& path);
  // The sections as the file load reads.
  bool saveSections(const QString& path, QString* error) const;
  bool exportCsv(const QString& path, QString* error) const;
  bool exportXlsx(const QString& path, QString* error) const;
  bool savePdf(const QString& path, QString* error) const;

  // "左路肩 123.456  右路肩 123.321" at a station, empty where no section
  // holds; the small cross-section follows it.
  QString edgeText(std::optional<double> station);

 Q_SIGNALS:
  void statusMessage(const QString& text);

 private:
  void rebuild();
  QString missingTable() const;

  SectionsState state_;
  std::shared_ptr<const profile::Profile> profile_;
  std::shared_ptr<const profile::GroundLine> ground_;
  QString fileName_, designSpeed_;
  SubgradeModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* empty_ = nullptr;
  SectionsPanel* editor_ = nullptr;
  CrossSectionView* section_ = nullptr;
};

}  // namespace vcurve::profileui
