// The window's file commands: new, open, recent, save, import of a ground
// line, the stake table handed out, and About.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPageSize>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>

#include "profile/design_code.h"
#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_files.h"
#include "ui/profile/profile_opening.h"
#include "ui/profile/profile_window.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

const QString kProfileFilter = QStringLiteral(
    "纵断面文件 (*.csv *.xml *.landxml);;CSV 文件 (*.csv);;LandXML 文件 (*.xml *.landxml);;"
    "所有文件 (*)");
// The type the profile came in comes first, and is the one chosen.
const QString kSaveFilter = QStringLiteral("CSV 文件 (*.csv);;LandXML 文件 (*.xml)");
const QString kSaveXmlFilter = QStringLiteral("LandXML 文件 (*.xml);;CSV 文件 (*.csv)");
const QString kGroundFilter =
    QStringLiteral("地面线文件 (*.csv *.xml *.landxml);;CSV 文件 (*.csv);;所有文件 (*)");

// A name typed without a suffix gets the one its filter stands for.
QString withSuffix(const QString& path, const QString& suffix) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + '.' + suffix;
}

// A name beside the file that no file has yet: "road-纵断面.xml", then
// "road-纵断面(2).xml".
QString freshPath(const QFileInfo& file, const QString& ending, const QString& suffix) {
  for (int n = 1;; ++n) {
    const QString count = n > 1 ? QStringLiteral("(%1)").arg(n) : QString();
    const QString path = file.dir().filePath(file.completeBaseName() + ending + count + suffix);
    if (!QFileInfo::exists(path)) return path;
  }
}

}  // namespace

// The profile's folder; for a road not yet saved, the folder of the file
// opened last, then the documents folder, never the program's own.
QString ProfileWindow::startFolder() const {
  QString file = document_.filePath();
  if (file.isEmpty()) file = settings_.recentFiles().value(0);
  if (!file.isEmpty() && QFileInfo(file).absoluteDir().exists()) {
    return QFileInfo(file).absolutePath();
  }
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString ProfileWindow::suggestedPath(const QString& suffix) const {
  if (document_.filePath().isEmpty()) {
    return QDir(startFolder()).filePath(QStringLiteral("纵断面") + suffix);
  }
  const QFileInfo file(document_.filePath());
  return file.dir().filePath(file.completeBaseName() + suffix);
}

bool ProfileWindow::maybeSave() {
  if (!document_.isModified()) return true;
  switch (services_.dialogs->askToSave(this, document_.displayName())) {
    case SaveChoice::Save:
      return save();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

void ProfileWindow::newProfile() {
  if (!maybeSave()) return;
  document_.replace(newProfilePoints(), nullptr);
  showRoadSettings(settings_.checkChoice());
  document_.setFile({}, FileFormat::Csv, {});
  view_->fitAll();
  say(QStringLiteral("新建纵断面：在表中填写各变坡点的桩号、高程和竖曲线半径"));
}

void ProfileWindow::openProfile() {
  if (!maybeSave()) return;
  const QString path = services_.dialogs->openPath(this, QStringLiteral("打开纵断面"),
                                                   kProfileFilter, startFolder());
  if (!path.isEmpty()) openPath(path);
}

bool ProfileWindow::openPath(const QString& path) {
  const auto choose = [this](const QStringList& names) {
    return services_.dialogs->chooseItem(this, QStringLiteral("选择纵断面"),
                                         QStringLiteral("文件中有多个纵断面，请选择一个："), names);
  };
  OpenedProfile opened = openProfileFile(this, path, choose);
  if (opened.cancelled) return false;
  if (!opened.error.isEmpty()) {
    if (!QFileInfo::exists(path)) settings_.removeRecentFile(path);
    services_.dialogs->showError(this, QStringLiteral("打开纵断面"), opened.error);
    return false;
  }
  const std::size_t count = opened.points.size();
  const bool hasGround = opened.ground != nullptr;
  // Stations added to the stake table belong to the road they were added
  // on; reopening the same file keeps them.
  const bool sameRoad =
      !document_.filePath().isEmpty() && QFileInfo(path) == QFileInfo(document_.filePath());
  profile::RoadSettings settings = std::move(opened.settings);
  if (sameRoad && settings.addedStations.empty())
    settings.addedStations = currentRoadSettings().addedStations;
  document_.replace(std::move(opened.points), std::move(opened.ground),
                    std::move(opened.equations));
  showRoadSettings(settings);
  // Saving writes only the profile and its ground line: a file that holds
  // more is saved under another name rather than overwritten.
  document_.setFile(path, opened.format, opened.profileName, opened.unkept);
  settings_.addRecentFile(path);
  loadSectionsBeside(path);
  table_->clearSelection();
  view_->fitAll();
  QString notes;
  if (!opened.units.isEmpty())
    notes += QStringLiteral("；文件原为%1，已换算为米").arg(opened.units);
  if (!opened.groundProblem.isEmpty()) {
    notes += QStringLiteral("；地面线有误未读入：%1").arg(opened.groundProblem);
  }
  say(QStringLiteral("已打开“%1”：%2 个点%3%4")
          .arg(document_.displayName())
          .arg(count)
          .arg(hasGround ? QStringLiteral("，含地面线") : QString(), notes));
  return true;
}

void ProfileWindow::openRecent(const QString& path) {
  if (maybeSave()) openPath(path);
}

void ProfileWindow::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = settings_.recentFiles();
  if (files.isEmpty()) {
    recentMenu_->addAction(QStringLiteral("（无）"))->setEnabled(false);
    return;
  }
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* item =
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    item->setToolTip(QDir::toNativeSeparators(path));
    connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
  }
}

bool ProfileWindow::save() {
  if (document_.filePath().isEmpty() || !document_.savesInPlace()) {
    if (!document_.filePath().isEmpty()) {
      say(QStringLiteral("“%1”中的%2本程序不保存，请另存为新文件，以免覆盖原文件")
              .arg(document_.displayName(), document_.unkept()));
    }
    return saveAs();
  }
  return saveTo(document_.filePath(), document_.format());
}

bool ProfileWindow::saveAs() {
  const QString caption = QStringLiteral("纵断面另存为");
  const bool xml = document_.format() == FileFormat::LandXml;
  const QString suffix = xml ? QStringLiteral("xml") : QStringLiteral("csv");
  QString suggested = suggestedPath('.' + suffix);
  // Offered is the file itself when a save keeps all of it, else a name no
  // file has: never another file, nor the same road's file of the other type.
  if (!document_.filePath().isEmpty()) {
    const bool itself = QFileInfo(suggested) == QFileInfo(document_.filePath());
    if (itself ? !document_.savesInPlace() : QFileInfo::exists(suggested)) {
      suggested = freshPath(QFileInfo(document_.filePath()),
                            xml ? QStringLiteral("-纵断面") : QStringLiteral("-纵坡竖曲线表"),
                            '.' + suffix);
    }
  }
  const QString path = withSuffix(
      services_.dialogs->savePath(this, caption, suggested, xml ? kSaveXmlFilter : kSaveFilter,
                                  /*confirmOverwrite=*/false),
      suffix);
  if (path.isEmpty()) return false;
  const FileFormat format = formatForPath(path);
  if (QFileInfo::exists(path) &&
      !services_.dialogs->confirmReplace(this, caption, replaceQuestion(path, format))) {
    return false;
  }
  if (!saveTo(path, format)) return false;
  document_.setFile(path, format, document_.profileName());
  return true;
}

QString ProfileWindow::replaceQuestion(const QString& path, FileFormat format) const {
  QStringList lost;
  if (QFileInfo(path) != QFileInfo(document_.filePath())) {
    lost << QStringLiteral("该文件原有的全部内容");
  } else if (!document_.savesInPlace()) {
    lost << QStringLiteral("文件中的") + document_.unkept();
  }
  if (format == FileFormat::Csv && document_.ground() != nullptr) {
    lost << QStringLiteral("本纵断面的地面线（CSV 文件不含地面线）");
  }
  QString text = QStringLiteral("“%1”已存在。").arg(QFileInfo(path).fileName());
  if (!lost.isEmpty())
    text += QStringLiteral("替换它将丢失%1。").arg(lost.join(QStringLiteral("；")));
  return text + QStringLiteral("\n\n要替换它吗？");
}

bool ProfileWindow::saveTo(const QString& path, FileFormat format) {
  document_.setRoadSettings(currentRoadSettings());
  const QString error = writeWholeFile(path, documentBytes(document_, format));
  if (!error.isEmpty()) {
    services_.dialogs->showError(this, QStringLiteral("保存纵断面"), error);
    return false;
  }
  document_.markSaved();
  settings_.addRecentFile(path);
  QString saved = QStringLiteral("已保存“%1”").arg(QFileInfo(path).fileName());
  if (format == FileFormat::Csv && document_.ground() != nullptr) {
    saved += QStringLiteral("；CSV 文件不含地面线，另存为 LandXML 可一并保存");
  }
  say(saved);
  return true;
}

void ProfileWindow::importGround() {
  const QString path =
      services_.dialogs->openPath(this, QStringLiteral("导入地面线"), kGroundFilter, startFolder());
  if (path.isEmpty()) return;
  const auto choose = [this](const QStringList& names) {
    return services_.dialogs->chooseItem(this, QStringLiteral("选择地面线"),
                                         QStringLiteral("文件中有多个纵断面，取哪一个的地面线："),
                                         names);
  };
  OpenedGround opened = openGroundFile(this, path, choose);
  if (opened.cancelled) return;
  if (!opened.error.isEmpty()) {
    services_.dialogs->showError(this, QStringLiteral("导入地面线"), opened.error);
    return;
  }
  const std::size_t count = opened.ground->points().size();
  document_.editGround(std::move(opened.ground), QStringLiteral("导入地面线"));
  say(QStringLiteral("已导入地面线“%1”：%2 个点").arg(QFileInfo(path).fileName()).arg(count));
}

void ProfileWindow::exportStakeCsv() {
  const QString path =
      withSuffix(services_.dialogs->savePath(this, QStringLiteral("导出逐桩高程表"),
                                             suggestedPath(QStringLiteral("-逐桩高程表.csv")),
                                             QStringLiteral("CSV 文件 (*.csv)")),
                 QStringLiteral("csv"));
  if (path.isEmpty()) return;
  QString error;
  if (!stakePanel()->exportCsv(path, &error)) {
    services_.dialogs->showError(this, QStringLiteral("导出逐桩高程表"), error);
    return;
  }
  say(QStringLiteral("逐桩高程表已导出到“%1”").arg(QFileInfo(path).fileName()));
}

void ProfileWindow::exportStakeXlsx() {
  const QString path =
      withSuffix(services_.dialogs->savePath(this, QStringLiteral("导出逐桩高程表"),
                                             suggestedPath(QStringLiteral("-逐桩高程表.xlsx")),
                                             QStringLiteral("Excel 工作簿 (*.xlsx)")),
                 QStringLiteral("xlsx"));
  if (path.isEmpty()) return;
  QString error;
  if (!stakePanel()->exportXlsx(path, &error)) {
    services_.dialogs->showError(this, QStringLiteral("导出逐桩高程表"), error);
    return;
  }
  say(QStringLiteral("逐桩高程表已导出到“%1”").arg(QFileInfo(path).fileName()));
}

void ProfileWindow::printStakeTable() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QStringLiteral("逐桩高程表 - %1").arg(document_.displayName()));
  if (!services_.dialogs->setUpPrinter(this, &printer)) return;
  stakePanel()->print(&printer);
  say(QStringLiteral("逐桩高程表已送打印"));
}

void ProfileWindow::saveStakePdf() {
  const QString path =
      withSuffix(services_.dialogs->savePath(this, QStringLiteral("逐桩高程表存为 PDF"),
                                             suggestedPath(QStringLiteral("-逐桩高程表.pdf")),
                                             QStringLiteral("PDF 文件 (*.pdf)")),
                 QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  QString error;
  if (!stakePanel()->savePdf(path, &error)) {
    services_.dialogs->showError(this, QStringLiteral("逐桩高程表存为 PDF"), error);
    return;
  }
  say(QStringLiteral("逐桩高程表已存为“%1”").arg(QFileInfo(path).fileName()));
}

void ProfileWindow::about() {
  const profile::DesignCode& code = profile::highwayCode();
  services_.dialogs->showAbout(
      this, QStringLiteral("关于纵断面设计"),
      QStringLiteral(
          "<p><b>纵断面设计</b> vcurve-profile %1</p>"
          "<p>编辑纵坡竖曲线表，按 %2《%3》检查竖曲线半径、竖曲线长度、"
          "最大纵坡和最短坡长，绘制纵断面图，生成逐桩高程表并导出为 CSV、Excel 或 PDF。</p>"
          "<p>与竖曲线高程计算器 vcurve 同属一个软件包。</p>")
          .arg(QCoreApplication::applicationVersion(), QString::fromUtf8(code.name),
               QString::fromUtf8(code.title)));
}

}  // namespace vcurve::profileui
