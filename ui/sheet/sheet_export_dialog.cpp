#include "ui/sheet/sheet_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/sheet/sheet_painter.h"

namespace vcurve::sheetui {
namespace {

using namespace profile::sheet;

constexpr std::array<const char*, 7> kTitleFields{"项目名称", "图名", "图号", "日期",
                                                  "设计",     "复核", "审核"};
constexpr double kPreviewWidth = 640;

std::string* titleField(TitleBlock& title, std::size_t i) {
  const std::array<std::string*, 7> fields{
      &title.project,  &title.drawingTitle, &title.drawingNumber, &title.date,
      &title.designer, &title.checker,      &title.approver};
  return fields[i];
}

QSpinBox* scaleBox(double value) {
  auto* box = new QSpinBox;
  box->setRange(10, 100000);
  box->setPrefix(QStringLiteral("1:"));
  box->setValue(static_cast<int>(value));
  return box;
}

QDoubleSpinBox* stationBox(double low, double high, double value) {
  auto* box = new QDoubleSpinBox;
  box->setDecimals(3);
  box->setRange(low, high);
  box->setSuffix(QStringLiteral(" m"));
  box->setValue(value);
  return box;
}

}  // namespace

SheetExportDialog::SheetExportDialog(std::shared_ptr<const profile::Profile> profile,
                                     std::shared_ptr<const profile::GroundLine> ground,
                                     const SheetExportChoice& initial, QWidget* parent)
    : QDialog(parent),
      profile_(std::move(profile)),
      ground_(std::move(ground)),
      initial_(initial.settings) {
  setWindowTitle(QStringLiteral("导出纵断面图"));
  const SheetSettings& s = initial.settings;

  auto* sheetBox = new QGroupBox(QStringLiteral("图纸"));
  auto* sheetForm = new QFormLayout(sheetBox);
  format_ = new QComboBox;
  format_->addItems({QStringLiteral("PDF（交付）"), QStringLiteral("DXF（CAD，各页并排）"),
                     QStringLiteral("打印")});
  format_->setCurrentIndex(static_cast<int>(initial.format));
  sheetForm->addRow(QStringLiteral("格式"), format_);
  paper_ = new QComboBox;
  for (const Paper paper : {Paper::A4, Paper::A3, Paper::A2, Paper::A1}) {
    paper_->addItem(QString::fromUtf8(paperName(paper).data()) + QStringLiteral(" 横向"));
  }
  paper_->setCurrentIndex(static_cast<int>(s.paper));
  sheetForm->addRow(QStringLiteral("图幅"), paper_);
  horizontal_ = scaleBox(s.horizontalScale);
  vertical_ = scaleBox(s.verticalScale);
  sheetForm->addRow(QStringLiteral("水平比例"), horizontal_);
  sheetForm->addRow(QStringLiteral("垂直比例"), vertical_);
  overlap_ = new QDoubleSpinBox;
  overlap_->setRange(0, 1000);
  overlap_->setSuffix(QStringLiteral(" m"));
  overlap_->setValue(s.overlap);
  sheetForm->addRow(QStringLiteral("相邻页重叠"), overlap_);
  const double start = profile_->startStation(), end = profile_->endStation();
  from_ = stationBox(start, end, std::max(start, s.from.value_or(start)));
  to_ = stationBox(start, end, std::min(end, s.to.value_or(end)));
  sheetForm->addRow(QStringLiteral("起点桩号"), from_);
  sheetForm->addRow(QStringLiteral("终点桩号"), to_);

  auto* rowsBox = new QGroupBox(QStringLiteral("资料表栏目（自下而上）"));
  auto* rowsLayout = new QVBoxLayout(rowsBox);
  rows_ = new QListWidget;
  for (std::size_t k = 0; k < kBandRowKinds; ++k) {
    const auto kind = static_cast<BandRowKind>(k);
    auto* item =
        new QListWidgetItem(QString::fromUtf8(bandRowTitle(kind).data(),
                                              static_cast<qsizetype>(bandRowTitle(kind).size())),
                            rows_);
    const bool on = std::any_of(s.rows.begin(), s.rows.end(),
                                [&](const BandRow& row) { return row.kind == kind; });
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  rows_->setMinimumHeight(rows_->sizeHintForRow(0) * static_cast<int>(kBandRowKinds) + 6);
  rowsLayout->addWidget(rows_);
  everySheet_ = new QCheckBox(QStringLiteral("每页都写栏目名"));
  everySheet_->setChecked(s.titlesOnEverySheet);
  rowsLayout->addWidget(everySheet_);

  auto* titleBox = new QGroupBox(QStringLiteral("图签"));
  auto* titleForm = new QFormLayout(titleBox);
  SheetSettings copy = s;
  for (std::size_t i = 0; i < title_.size(); ++i) {
    title_[i] = new QLineEdit(QString::fromStdString(*titleField(copy.title, i)));
    titleForm->addRow(QString::fromUtf8(kTitleFields[i]), title_[i]);
  }

  preview_ = new QLabel;
  preview_->setMinimumSize(static_cast<int>(kPreviewWidth), static_cast<int>(kPreviewWidth * 0.71));
  preview_->setAlignment(Qt::AlignCenter);
  summary_ = new QLabel;

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出…"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(sheetBox);
  left->addWidget(rowsBox);
  left->addWidget(titleBox);
  auto* right = new QVBoxLayout;
  right->addWidget(preview_, 1);
  right->addWidget(summary_);
  right->addWidget(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(right, 1);

  const auto changed = [this] { updatePreview(); };
  connect(format_, &QComboBox::currentIndexChanged, this, changed);
  connect(paper_, &QComboBox::currentIndexChanged, this, changed);
  connect(horizontal_, &QSpinBox::valueChanged, this, changed);
  connect(vertical_, &QSpinBox::valueChanged, this, changed);
  connect(overlap_, &QDoubleSpinBox::valueChanged, this, changed);
  connect(from_, &QDoubleSpinBox::valueChanged, this, changed);
  connect(to_, &QDoubleSpinBox::valueChanged, this, changed);
  connect(rows_, &QListWidget::itemChanged, this, changed);
  connect(everySheet_, &QCheckBox::toggled, this, changed);
  for (QLineEdit* field : title_) connect(field, &QLineEdit::textChanged, this, changed);
  updatePreview();
}

SheetExportChoice SheetExportDialog::choice() const {
  SheetExportChoice choice;
  SheetSettings& s = choice.settings;
  s = initial_;
  choice.format = static_cast<SheetFileFormat>(format_->currentIndex());
  s.paper = static_cast<Paper>(paper_->currentIndex());
  s.horizontalScale = horizontal_->value();
  s.verticalScale = vertical_->value();
  s.overlap = overlap_->value();
  s.from.reset();
  s.to.reset();
  if (from_->value() > profile_->startStation()) s.from = from_->value();
  if (to_->value() < profile_->endStation()) s.to = to_->value();
  // A row kept keeps its height; one newly ticked takes the usual one.
  std::vector<BandRow> rows;
  const std::vector<BandRow> usual = parseBandRows(
      "station,ground,design,fillcut,grade,geology,curve,alignment,superelevation", nullptr);
  for (int k = 0; k < rows_->count(); ++k) {
    if (rows_->item(k)->checkState() != Qt::Checked) continue;
    const auto kind = static_cast<BandRowKind>(k);
    const auto kept = std::find_if(initial_.rows.begin(), initial_.rows.end(),
                                   [&](const BandRow& row) { return row.kind == kind; });
    rows.push_back(kept != initial_.rows.end() ? *kept : usual[static_cast<std::size_t>(k)]);
  }
  s.rows = rows;
  s.titlesOnEverySheet = everySheet_->isChecked();
  for (std::size_t i = 0; i < title_.size(); ++i) {
    *titleField(s.title, i) = title_[i]->text().toStdString();
  }
  return choice;
}

void SheetExportDialog::updatePreview() {
  const SheetExportChoice chosen = choice();
  QPushButton* ok = findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  std::string problem = settingsProblem(chosen.settings);
  if (problem.empty() && !(to_->value() > from_->value())) problem = "出图范围的起点须在终点之前";
  if (!problem.empty()) {
    preview_->setPixmap({});
    preview_->setText(QString::fromStdString(problem));
    summary_->clear();
    ok->setEnabled(false);
    return;
  }
  const SheetLayout layout(profile_, ground_, chosen.settings);
  const Sheet sheet = layout.sheet(1);
  const double scale = kPreviewWidth / sheet.width;
  QImage image(static_cast<int>(kPreviewWidth), static_cast<int>(sheet.height * scale),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    paintSheet(painter, sheet, QPointF(0, image.height()), scale);
  }
  preview_->setText({});
  preview_->setPixmap(QPixmap::fromImage(image));
  summary_->setText(QStringLiteral("共 %1 页，%2，%3")
                        .arg(layout.count())
                        .arg(QString::fromStdString(sheetScaleText(chosen.settings)),
                             QString::fromUtf8(paperName(chosen.settings.paper).data(), 2)));
  ok->setEnabled(true);
}

}  // namespace vcurve::sheetui
