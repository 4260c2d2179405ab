// The results list's context menu: engineers paste results into reports.

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>

#include "ui/form1.h"

namespace vcurve {
namespace {

QString joinedLines(const QListWidget* list, bool selectedOnly) {
  QStringList lines;
  for (int row = 0; row < list->count(); ++row) {
    const QListWidgetItem* item = list->item(row);
    if (!selectedOnly || item->isSelected()) lines << item->text();
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

void Form1::showResultsMenu(const QPoint& position) {
  QListWidget* list = controls_.List1;
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("resultsMenu"));
  QAction* copyAll = menu.addAction(QStringLiteral("全部复制"));
  copyAll->setObjectName(QStringLiteral("copyAll"));
  copyAll->setEnabled(list->count() > 0);
  QAction* copySelected = menu.addAction(QStringLiteral("复制所选行"));
  copySelected->setObjectName(QStringLiteral("copySelected"));
  copySelected->setEnabled(!list->selectedItems().isEmpty());

  connect(copyAll, &QAction::triggered, this,
          [list] { QGuiApplication::clipboard()->setText(joinedLines(list, false)); });
  connect(copySelected, &QAction::triggered, this,
          [list] { QGuiApplication::clipboard()->setText(joinedLines(list, true)); });
  menu.exec(list->viewport()->mapToGlobal(position));
}

}  // namespace vcurve
