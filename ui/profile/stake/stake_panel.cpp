#include "ui/profile/stake/stake_panel.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "profile/profile_text.h"
#include "ui/profile/long_work.h"
#include "ui/profile/printed_range.h"
#include "ui/profile/stake/stake_files.h"
#include "ui/profile/stake/stake_model.h"
#include "ui/profile/stake/stake_pages.h"
#include "ui/profile/stake/stake_panel_state.h"

namespace vcurve::profileui {
namespace {

// Page by page, so that a table of a hundred thousand pages shows how far
// it has got and can be stopped; false when it was.
bool paintPages(QWidget* window, const StakePages& pages, QPainter& painter,
                QPagedPaintDevice& device, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, pages.pageCount());
  LongWork work(window, QStringLiteral("正在生成第 %1–%2 页…").arg(first).arg(last),
                last - first + 1);
  for (int page = first; page <= last; ++page) {
    if (!work.advance(page - first)) return false;
    if (page != first) device.newPage();
    pages.paint(painter, device, page, page);
  }
  return true;
}

}  // namespace

StakePanel::StakePanel(QWidget* parent) : QWidget(parent), state_(std::make_unique<State>(this)) {
  state_->build();
}

StakePanel::~StakePanel() = default;

void StakePanel::setProfile(std::shared_ptr<const profile::Profile> profile) {
  state_->profile = std::move(profile);
  state_->rebuild();
}

void StakePanel::setGroundLine(std::shared_ptr<const profile::GroundLine> ground) {
  state_->ground = std::move(ground);
  state_->rebuild();
}

void StakePanel::setSections(std::shared_ptr<const sections::Sections> sections) {
  state_->model->setSections(std::move(sections));
}

void StakePanel::setDocumentInfo(const QString& fileName, const QString& designSpeed) {
  state_->fileName = fileName;
  state_->designSpeed = designSpeed;
}

void StakePanel::setFindings(std::vector<profile::Finding> findings, const QString& heading) {
  state_->findings = std::move(findings);
  state_->findingsHeading = heading;
}

double StakePanel::interval() const { return state_->interval; }

std::vector<double> StakePanel::addedStations() const { return state_->added; }

bool StakePanel::setInterval(double metres, QString* problem) {
  const double length = state_->profile
                            ? state_->profile->endStation() - state_->profile->startStation()
                            : std::nan("");
  const std::string why = profile::StakeTable::intervalProblem(metres, length);
  if (!why.empty()) {
    if (problem != nullptr) *problem = utf8Text(why);
    return false;
  }
  state_->interval = metres;
  state_->intervalEdit->setText(utf8Text(profile::exactText(metres)));
  state_->rebuild();
  return true;
}

void StakePanel::setAddedStations(std::vector<double> stations) {
  std::sort(stations.begin(), stations.end());
  stations.erase(std::unique(stations.begin(), stations.end(),
                             [](double a, double b) { return b - a < kSameStation; }),
                 stations.end());
  state_->added = std::move(stations);
  state_->showAdded();
  state_->rebuild();
}

void StakePanel::clearEntries() {
  state_->findEdit->clear();
  state_->addEdit->clear();
}

bool StakePanel::exportCsv(const QString& path, QString* error) const {
  QString unused;
  if (error == nullptr) error = &unused;
  if (*error = state_->missingTable(); !error->isEmpty()) return false;
  LongWork work(window(), QStringLiteral("正在写出 CSV…"), qint64(state_->table->size()));
  return writeStakeCsvFile(*state_->table, path, error, &work, state_->model->edges());
}

bool StakePanel::exportXlsx(const QString& path, QString* error) const {
  QString unused;
  if (error == nullptr) error = &unused;
  if (*error = state_->missingTable(); !error->isEmpty()) return false;
  // What the printed pages say over the table, on one line under the title.
  const StakeHeading heading = state_->heading();
  QString about =
      QStringLiteral("文件：%1")
          .arg(heading.fileName.isEmpty() ? QStringLiteral("未命名") : heading.fileName);
  if (!heading.designSpeed.isEmpty()) {
    about += QStringLiteral("　设计速度：%1").arg(heading.designSpeed);
  }
  about += QStringLiteral("　桩距：%1").arg(heading.interval);
  const std::string findingsHeading = state_->findingsHeading.toStdString();
  LongWork work(window(), QStringLiteral("正在写出 Excel 文件…"), qint64(state_->table->size()));
  return writeStakeXlsxFile(*state_->table, path, about.toStdString(),
                            {&state_->findings, findingsHeading}, error, &work,
                            state_->model->edges());
}

bool StakePanel::savePdf(const QString& path, QString* error) const {
  QString unused;
  if (error == nullptr) error = &unused;
  if (*error = state_->missingTable(); !error->isEmpty()) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("逐桩高程表 %1").arg(state_->fileName).trimmed());
    writer.setCreator(QStringLiteral("纵断面设计"));
    setStakePageLayout(writer);
    const StakePages pages(state_->table.get(), state_->heading(), writer, state_->model->edges());
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      *error = QStringLiteral("无法生成 PDF“%1”").arg(QFileInfo(path).fileName());
      return false;
    }
    if (!paintPages(window(), pages, painter, writer, 1, pages.pageCount())) {
      painter.end();
      file.cancelWriting();
      *error = LongWork::cancelledText();
      return false;
    }
  }
  if (!file.commit()) {
    *error = QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), file.errorString());
    return false;
  }
  return true;
}

void StakePanel::print(QPrinter* printer) const {
  if (const QString missing = state_->missingTable(); !missing.isEmpty()) {
    Q_EMIT state_->panel->statusMessage(QStringLiteral("未打印：%1").arg(missing));
    return;
  }
  // The paper is the printer's; the margins are the ones the pages are
  // laid out for, or the printer's least where it cannot go that close.
  printer->setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
  if (printer->docName().isEmpty()) printer->setDocName(QStringLiteral("逐桩高程表"));
  const StakePages pages(state_->table.get(), state_->heading(), *printer, state_->model->edges());
  const auto [first, last] = printedRange(*printer, pages.pageCount());
  QPainter painter;
  if (!painter.begin(printer)) {
    Q_EMIT state_->panel->statusMessage(QStringLiteral("无法开始打印"));
    return;
  }
  if (!paintPages(window(), pages, painter, *printer, first, last)) {
    printer->abort();
    Q_EMIT state_->panel->statusMessage(QStringLiteral("已取消打印"));
  }
}

}  // namespace vcurve::profileui
