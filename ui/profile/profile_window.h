#pragma once

// The window of vcurve-profile (纵断面设计): the drawing over the
// 纵坡竖曲线表 and the 逐桩高程表, the findings and the reverse lookup
// beside them. Its parts live in files by job: the layout
// (profile_window_layout.cpp), the action table (profile_actions.cpp), the
// file commands (profile_window_files.cpp), the table's editing commands
// (profile_window_edits.cpp), and the wiring of the parts to the document
// (here).

#include <QMainWindow>
#include <QString>
#include <cstddef>
#include <map>
#include <optional>

#include "ui/profile/profile_actions.h"
#include "ui/profile/profile_document.h"
#include "ui/profile/table_edits.h"
#include "ui/profile/window_settings.h"

class QComboBox;

namespace vcurve::profileui {
class CodeChooser;
}
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QPrinter;
class QScrollArea;
class QSettings;
class QSplitter;
class QTabWidget;
class QTableView;

namespace vcurve::profileui {

class EquationsPanel;
class ElevationLookup;
class FindingsPanel;
class ProfileDialogs;
class ProfileTableModel;
class ProfileView;
struct DesignHeading;
class StakePanel;
class SubgradePanel;

class ProfileWindow : public QMainWindow {
  Q_OBJECT

 public:
  struct Services {
    ProfileDialogs* dialogs = nullptr;
    QSettings* settings = nullptr;
  };
  explicit ProfileWindow(Services services, QWidget* parent = nullptr);
  ~ProfileWindow() override;

  // Opens a file as File ▸ Open does, without asking about unsaved changes.
  bool openPath(const QString& path);

  ProfileDocument& document() { return document_; }
  ProfileTableModel* tableModel() const { return model_; }
  QTableView* table() const { return table_; }
  ProfileView* drawing() const { return view_; }
  // Made when first shown or used: a tab the user may never open costs the
  // start-up and every edit nothing.
  StakePanel* stakePanel();
  FindingsPanel* findingsPanel() const { return findings_; }
  // Made when first shown or used, as the stake table is.
  SubgradePanel* subgradePanel();
  ElevationLookup* elevationLookup() const { return lookup_; }
  QComboBox* speedChooser() const { return speed_; }
  QDoubleSpinBox* exaggerationBox() const { return exaggeration_; }
  QAction* action(Command command) const;
  QLabel* hoverLabel() const { return hover_; }

  // The commands the action table names.
  void newProfile();
  void openProfile();
  void saveCommand() { save(); }
  void saveAsCommand() { saveAs(); }
  // False when the file was not saved (cancelled or failed).
  bool save();
  bool saveAs();
  void quit() { close(); }
  void importGround();
  void exportStakeCsv();
  void exportStakeXlsx();
  void printStakeTable();
  void saveStakePdf();
  // profile_window_print.cpp
  void previewStakeTable();
  void previewDesignTable();
  void printDesignTable();
  void saveDesignPdf();
  void exportSheets();  // profile_window_sheets.cpp
  // sections/profile_window_sections.cpp
  void importSections();
  void loadSections(const QString& path);
  void saveSections();
  void exportSubgradeCsv();
  void exportSubgradeXlsx();
  void saveSubgradePdf();
  void about();
  void copyCells();
  void pasteOver();
  void pasteBelow();
  void insertRow();
  void deleteRows();
  void fitAll();
  void toggleStationsInMetres(bool metres);
  void findElevation();
  // A cell still being typed in becomes an edit (or is refused), so that a
  // command never acts on the profile without what the user just typed.
  void commitPendingEdit();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Layout (profile_window_layout.cpp).
  void buildWidgets();
  void buildSpeedChooser();
  void restoreLayout();
  void saveLayout();

  // Wiring (profile_window.cpp).
  void connectParts();
  void showProfile();
  void showGround();
  void showFindings();
  void showFile();
  void selectRows(std::size_t first, std::size_t last);
  void selectRow(std::size_t row);
  // A station gone to: marked on the drawing, its elevations in the status
  // bar after the note, the tab the user is in left as it is.
  void showStation(double station, const QString& note);
  void markStation(double station);
  std::optional<std::size_t> rowAt(double station) const;
  void dragPvi(std::size_t row, double elevation);
  void chooseBasis();
  // A road opened or begun: its settings in the toolbar and the stake table.
  void showRoadSettings(const profile::RoadSettings& settings);
  // The toolbar's and the stake table's settings, for saving with the road.
  profile::RoadSettings currentRoadSettings() const;
  void refuse(const QString& reason);
  void say(const QString& message);

  // Files (profile_window_files.cpp).
  bool maybeSave();
  bool saveTo(const QString& path, FileFormat format);
  void openRecent(const QString& path);
  void fillRecentMenu();
  QString startFolder() const;
  QString suggestedPath(const QString& suffix) const;
  // Whether to save over an existing file, saying what would be lost.
  QString replaceQuestion(const QString& path, FileFormat format) const;
  QString speedText() const;
  // The line over the findings, as the findings panel shows it.
  QString findingsHeading() const;

  // The 路基设计表 (sections/profile_window_sections.cpp).
  void loadSectionsBeside(const QString& profilePath);
  void exportSubgrade(const QString& suffix, const QString& filter);
  void showHoverText(const QString& text);
  // The stake table's edge columns follow the sections.
  void showSections();

  // Paper (profile_window_print.cpp).
  DesignHeading designHeading() const;
  void paintDesignTable(QPrinter* printer) const;

  // Editing (profile_window_edits.cpp).
  void applyEdit(const TableEdit& edit, const QString& what);
  void paste(PasteMode mode);
  std::optional<std::size_t> currentRow() const;

  Services services_;
  WindowSettings settings_;
  ProfileDocument document_;
  ProfileTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  ProfileView* view_ = nullptr;
  QScrollArea* stakePage_ = nullptr;
  StakePanel* stake_ = nullptr;
  QScrollArea* subgradePage_ = nullptr;
  SubgradePanel* subgrade_ = nullptr;
  FindingsPanel* findings_ = nullptr;
  ElevationLookup* lookup_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  EquationsPanel* equations_ = nullptr;
  QSplitter* mainSplit_ = nullptr;
  QSplitter* bottomSplit_ = nullptr;
  QSplitter* sideSplit_ = nullptr;
  QComboBox* speed_ = nullptr;
  CodeChooser* chooser_ = nullptr;
  QDoubleSpinBox* exaggeration_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* hover_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  std::map<Command, QAction*> actions_;
};

}  // namespace vcurve::profileui
