#pragma once

// The section at one station drawn small: the subgrade's edges left and
// right of the centreline, heights exaggerated so that a 2 % crown shows.

#include <QString>
#include <QWidget>
#include <optional>

#include "sections/cross_section.h"

namespace vcurve::profileui {

class CrossSectionView : public QWidget {
  Q_OBJECT

 public:
  explicit CrossSectionView(QWidget* parent = nullptr);

  // None clears the view.
  void setSection(std::optional<sections::CrossSection> section, const QString& station);
  QSize sizeHint() const override { return {320, 120}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<sections::CrossSection> section_;
  QString station_;
};

}  // namespace vcurve::profileui
