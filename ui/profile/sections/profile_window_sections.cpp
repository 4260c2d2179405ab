// The window's commands for the 路基设计表 tab: its sections read from a
// file (chosen, or the one kept beside the profile) and saved, and the
// table handed out as CSV, Excel and PDF.

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QTabWidget>

#include "ui/profile/drawing/profile_view.h"
#include "ui/profile/profile_dialogs.h"
#include "ui/profile/profile_window.h"
#include "ui/profile/sections/subgrade_panel.h"
#include "ui/profile/stake/stake_panel.h"

namespace vcurve::profileui {
namespace {

const QString kSectionsFilter = QStringLiteral("横断面/超高表 CSV (*.csv);;所有文件 (*)");

QString withSuffix(const QString& path, const QString& suffix) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + '.' + suffix;
}

}  // namespace

SubgradePanel* ProfileWindow::subgradePanel() {
  if (subgrade_ != nullptr) return subgrade_;
  subgrade_ = new SubgradePanel(subgradePage_);
  subgrade_->setObjectName(QStringLiteral("subgradePanel"));
  subgradePage_->setWidget(subgrade_);
  subgrade_->setProfile(document_.profile());
  subgrade_->setGroundLine(document_.ground());
  subgrade_->setDocumentInfo(document_.displayName(), speedText());
  connect(subgrade_, &SubgradePanel::statusMessage, this, &ProfileWindow::say);
  connect(subgrade_->state(), &SectionsState::changed, this, &ProfileWindow::showSections);
  return subgrade_;
}

void ProfileWindow::importSections() {
  const QString path = services_.dialogs->openPath(this, QStringLiteral("导入横断面/超高表"),
                                                   kSectionsFilter, startFolder());
  if (path.isEmpty()) return;
  loadSections(path);
  tabs_->setCurrentWidget(subgradePage_);
}

void ProfileWindow::loadSections(const QString& path) {
  const QStringList problems = subgradePanel()->load(path);
  const QString name = QFileInfo(path).fileName();
  if (!problems.isEmpty()) {
    services_.dialogs->showError(
        this, QStringLiteral("导入横断面/超高表"),
        QStringLiteral("以下各行有误，未读入（其余各行已读入）：\n%1").arg(problems.join('\n')));
  }
  say(QStringLiteral("已读入“%1”：%2 个横断面，%3 个超高")
          .arg(name)
          .arg(subgrade_->state()->rowCount(SectionsTable::Templates))
          .arg(subgrade_->state()->rowCount(SectionsTable::Curves)));
}

void ProfileWindow::loadSectionsBeside(const QString& profilePath) {
  // The sample roads keep their sections as NAME-sections.csv beside NAME.csv.
  const QFileInfo profile(profilePath);
  const QString beside =
      profile.dir().filePath(profile.completeBaseName() + QStringLiteral("-sections.csv"));
  // Sections of the road open before are not this road's.
  if (subgrade_ != nullptr) subgrade_->state()->reset();
  if (QFileInfo::exists(beside)) loadSections(beside);
}

void ProfileWindow::saveSections() {
  const QString path = withSuffix(
      services_.dialogs->savePath(this, QStringLiteral("保存横断面/超高表"),
                                  suggestedPath(QStringLiteral("-sections.csv")), kSectionsFilter),
      QStringLiteral("csv"));
  if (path.isEmpty()) return;
  QString error;
  if (!subgradePanel()->saveSections(path, &error)) {
    services_.dialogs->showError(this, QStringLiteral("保存横断面/超高表"), error);
    return;
  }
  say(QStringLiteral("横断面/超高表已保存到“%1”").arg(QFileInfo(path).fileName()));
}

void ProfileWindow::exportSubgrade(const QString& suffix, const QString& filter) {
  const QString caption = QStringLiteral("导出路基设计表");
  const QString path =
      withSuffix(services_.dialogs->savePath(
                     this, caption, suggestedPath(QStringLiteral("-路基设计表.") + suffix), filter),
                 suffix);
  if (path.isEmpty()) return;
  QString error;
  SubgradePanel* panel = subgradePanel();
  panel->setDocumentInfo(document_.displayName(), speedText());
  const bool written = suffix == QLatin1String("csv")    ? panel->exportCsv(path, &error)
                       : suffix == QLatin1String("xlsx") ? panel->exportXlsx(path, &error)
                                                         : panel->savePdf(path, &error);
  if (!written) {
    services_.dialogs->showError(this, caption, error);
    return;
  }
  say(QStringLiteral("路基设计表已导出到“%1”").arg(QFileInfo(path).fileName()));
}

void ProfileWindow::exportSubgradeCsv() {
  exportSubgrade(QStringLiteral("csv"), QStringLiteral("CSV 文件 (*.csv)"));
}
void ProfileWindow::exportSubgradeXlsx() {
  exportSubgrade(QStringLiteral("xlsx"), QStringLiteral("Excel 工作簿 (*.xlsx)"));
}
void ProfileWindow::saveSubgradePdf() {
  exportSubgrade(QStringLiteral("pdf"), QStringLiteral("PDF 文件 (*.pdf)"));
}

void ProfileWindow::showSections() {
  if (stake_ == nullptr || subgrade_ == nullptr) return;
  const sections::Sections& sections = subgrade_->state()->sections();
  stake_->setSections(sections.empty() ? nullptr
                                       : std::make_shared<const sections::Sections>(sections));
}

void ProfileWindow::showHoverText(const QString& text) {
  // Before any sections, the panel is not made for a hover.
  const QString edges =
      subgrade_ != nullptr ? subgrade_->edgeText(view_->hoverStation()) : QString();
  hover_->setText(edges.isEmpty() || text.isEmpty() ? text : text + QStringLiteral("　") + edges);
}

}  // namespace vcurve::profileui
