#include "ui/profile/sections/subgrade_panel.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QSaveFile>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "profile/profile_text.h"
#include "sections/subgrade_table.h"
#include "ui/pages/subgrade_pages.h"
#include "ui/profile/long_work.h"
#include "ui/profile/sections/cross_section_view.h"
#include "ui/profile/sections/sections_panel.h"
#include "ui/profile/sections/subgrade_model.h"
#include "ui/profile/stake/stake_files.h"

namespace vcurve::profileui {
namespace {

QString cannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), reason);
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace

SubgradePanel::SubgradePanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* split = new QSplitter(Qt::Horizontal, this);
  layout->addWidget(split);

  auto* left = new QWidget(split);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  empty_ = new QLabel(
      QStringLiteral("尚无横断面：用“文件 ▸ 导入横断面/超高表…”载入，或在右侧表中插入行、"
                     "从 Excel 粘贴。"),
      left);
  empty_->setWordWrap(true);
  leftLayout->addWidget(empty_);
  model_ = new SubgradeModel(this);
  table_ = new QTableView(left);
  table_->setObjectName(QStringLiteral("subgradeTable"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table_->horizontalHeader()->setDefaultSectionSize(
      table_->fontMetrics().horizontalAdvance(QStringLiteral("K12+345.678")) + 16);
  leftLayout->addWidget(table_);
  split->addWidget(left);

  auto* right = new QWidget(split);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  editor_ = new SectionsPanel(&state_, right);
  rightLayout->addWidget(editor_, 1);
  section_ = new CrossSectionView(right);
  // A glance at the shape, not a drawing to measure from: the tables keep the room.
  section_->setFixedHeight(80);
  rightLayout->addWidget(section_);
  split->addWidget(right);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);

  connect(&state_, &SectionsState::changed, this, &SubgradePanel::rebuild);
  connect(editor_, &SectionsPanel::statusMessage, this, &SubgradePanel::statusMessage);
  rebuild();
}

void SubgradePanel::setProfile(std::shared_ptr<const profile::Profile> profile) {
  profile_ = std::move(profile);
  if (profile_ && profile_->usable() && profile_->size() >= 2) {
    state_.setExtent(profile_->startStation(), profile_->endStation());
  }
  // The stations are shown through the profile's 断链; this rebuilds.
  state_.setChainage(profile_ ? profile_->chainage() : profile::ChainageEquations());
}

void SubgradePanel::setGroundLine(std::shared_ptr<const profile::GroundLine> ground) {
  ground_ = std::move(ground);
  rebuild();
}

void SubgradePanel::setDocumentInfo(const QString& fileName, const QString& designSpeed) {
  fileName_ = fileName;
  designSpeed_ = designSpeed;
}

int SubgradePanel::rowCount() const { return model_->rowCount(); }

void SubgradePanel::rebuild() {
  model_->setData(SubgradeData::make(profile_, ground_, state_.sections()));
  empty_->setVisible(state_.empty());
}

QStringList SubgradePanel::load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {QStringLiteral("无法打开横断面文件“%1”：%2")
                .arg(QFileInfo(path).fileName(), file.errorString())};
  }
  return state_.load(file.readAll(), QFileInfo(path).fileName());
}

bool SubgradePanel::saveSections(const QString& path, QString* error) const {
  return writeWhole(path, state_.csv(), error);
}

QString SubgradePanel::missingTable() const {
  if (model_->subgrade() != nullptr) return {};
  return state_.empty() ? QStringLiteral("尚无横断面，路基设计表是空的")
                        : QStringLiteral("纵断面尚不能计算，路基设计表是空的");
}

bool SubgradePanel::exportCsv(const QString& path, QString* error) const {
  if (*error = missingTable(); !error->isEmpty()) return false;
  QByteArray bytes;
  sections::writeSubgradeCsv(*model_->subgrade()->table, [&](std::string_view block) {
    bytes.append(block.data(), qsizetype(block.size()));
  });
  return writeWhole(path, bytes, error);
}

bool SubgradePanel::exportXlsx(const QString& path, QString* error) const {
  if (*error = missingTable(); !error->isEmpty()) return false;
  QString title = QStringLiteral("路基设计表");
  if (!fileName_.isEmpty()) title += QStringLiteral("　文件：%1").arg(fileName_);
  const sections::SubgradeTable& table = *model_->subgrade()->table;
  LongWork work(window(), QStringLiteral("正在写出 Excel 文件…"), qint64(table.size()));
  return writeSheetXlsxFile(sections::subgradeSheet(table, title.toStdString()), path, error,
                            &work);
}

bool SubgradePanel::savePdf(const QString& path, QString* error) const {
  if (*error = missingTable(); !error->isEmpty()) return false;
  const pageui::TableParticulars particulars{fileName_, designSpeed_, QStringLiteral("20 m")};
  const sections::SubgradeTable& table = *model_->subgrade()->table;
  LongWork work(window(), QStringLiteral("正在生成 PDF…"), 0);
  const bool written = pageui::writeSubgradePdf(
      table, particulars, path, error, [&work](int page, int) { return work.advance(page); });
  if (!written && error->isEmpty()) *error = LongWork::cancelledText();
  return written;
}

QString SubgradePanel::edgeText(std::optional<double> station) {
  std::optional<sections::CrossSection> section;
  std::optional<double> design;
  if (station && profile_ && profile_->usable()) {
    section = state_.sections().at(*station);
    const profile::StationLookup found = profile_->lookup(*station);
    if (found.ok()) design = found.elevation;
  }
  section_->setSection(section, station && profile_
                                    ? QString::fromStdString(profile_->stationText(*station))
                                    : QString());
  if (!section || !design) return {};
  return QStringLiteral("左路肩 %1　右路肩 %2")
      .arg(QString::fromStdString(profile::fixed3(*design + section->left.height[3])),
           QString::fromStdString(profile::fixed3(*design + section->right.height[3])));
}

}  // namespace vcurve::profileui
