#pragma once

// A number box that reads what a Chinese input method types in its
// full-width mode ("１２") as the digits it means, as the table does.

#include <QDoubleSpinBox>

#include "core/full_width.h"

namespace vcurve::profileui {

class FoldingSpinBox : public QDoubleSpinBox {
 public:
  using QDoubleSpinBox::QDoubleSpinBox;

  // Each full-width character becomes one ASCII one: the cursor keeps its place.
  QValidator::State validate(QString& text, int& position) const override {
    text = QString::fromStdString(asciiForms(text.toStdString()));
    return QDoubleSpinBox::validate(text, position);
  }
};

}  // namespace vcurve::profileui
