#pragma once

// The section template and the 超高表 edited: two tables with their own
// undo, paste from Excel, and a refused change's reason shown under them.

#include <QWidget>

#include "ui/profile/sections/sections_state.h"

class QLabel;
class QTableView;

namespace vcurve::profileui {

class SectionsModel;

class SectionsPanel : public QWidget {
  Q_OBJECT

 public:
  SectionsPanel(SectionsState* state, QWidget* parent = nullptr);

  QTableView* view(SectionsTable table) const;
  // The reason the last change was refused; empty after one that was not.
  QString refusal() const;

  // The clipboard's cells laid over the table from its current cell.
  void paste(SectionsTable table);
  void insertRow(SectionsTable table);
  void deleteRows(SectionsTable table);

 Q_SIGNALS:
  void statusMessage(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refuse(const QString& reason);
  SectionsTable tableOf(QObject* view) const;

  SectionsState* state_;
  QTableView* views_[2] = {};
  SectionsModel* models_[2] = {};
  QLabel* reason_ = nullptr;
};

}  // namespace vcurve::profileui
