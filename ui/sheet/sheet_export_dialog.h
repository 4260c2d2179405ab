#pragma once

// 文件 ▸ 导出纵断面图…: the sheets' settings with a preview of the first
// sheet as they are changed.

#include <QDialog>
#include <array>
#include <memory>

#include "profile/sheet/sheet_layout.h"
#include "ui/sheet/sheet_export.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace vcurve::sheetui {

class SheetExportDialog : public QDialog {
 public:
  SheetExportDialog(std::shared_ptr<const profile::Profile> profile,
                    std::shared_ptr<const profile::GroundLine> ground,
                    const SheetExportChoice& initial, QWidget* parent = nullptr);

  SheetExportChoice choice() const;
  // What the preview shows: the first sheet, or why there is none.
  QLabel* preview() const { return preview_; }
  QLabel* summary() const { return summary_; }

 private:
  void updatePreview();

  std::shared_ptr<const profile::Profile> profile_;
  std::shared_ptr<const profile::GroundLine> ground_;
  profile::sheet::SheetSettings initial_;
  QComboBox* format_ = nullptr;
  QComboBox* paper_ = nullptr;
  QSpinBox* horizontal_ = nullptr;
  QSpinBox* vertical_ = nullptr;
  QDoubleSpinBox* overlap_ = nullptr;
  QDoubleSpinBox* from_ = nullptr;
  QDoubleSpinBox* to_ = nullptr;
  QListWidget* rows_ = nullptr;
  QCheckBox* everySheet_ = nullptr;
  std::array<QLineEdit*, 7> title_{};
  QLabel* preview_ = nullptr;
  QLabel* summary_ = nullptr;
};

}  // namespace vcurve::sheetui
