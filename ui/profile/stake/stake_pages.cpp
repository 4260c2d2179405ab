#include "ui/profile/stake/stake_pages.h"

#include <QPagedPaintDevice>
#include <array>

#include "core/station_text.h"
#include "ui/profile/stake/stake_model.h"

namespace vcurve::profileui {
namespace {

// Shares of the width, in the model's column order; the note takes what a
// 竖曲线终点、竖曲线起点 needs.
constexpr std::array<double, StakeModel::kColumns> kColumnShares{0.17, 0.13, 0.13, 0.11,
                                                                 0.11, 0.11, 0.24};

std::vector<pageui::PageColumn> stakeColumns() {
  std::vector<pageui::PageColumn> columns;
  for (int c = 0; c < StakeModel::kColumns; ++c) {
    columns.push_back(
        {StakeModel::columnTitle(c), kColumnShares[std::size_t(c)], c == StakeModel::kNoteColumn});
  }
  return columns;
}

pageui::PageHeading pageHeading(const profile::StakeTable* table, const StakeHeading& heading) {
  pageui::PageHeading page;
  page.title = QStringLiteral("逐桩高程表");
  page.left = QStringLiteral("文件：%1")
                  .arg(heading.fileName.isEmpty() ? QStringLiteral("未命名") : heading.fileName);
  if (!heading.designSpeed.isEmpty()) {
    page.left += QStringLiteral("　　设计速度：%1").arg(heading.designSpeed);
  }
  if (!heading.interval.isEmpty()) page.right = QStringLiteral("桩距：%1").arg(heading.interval);
  if (table && table->profile().usable()) {
    const profile::Profile& profile = table->profile();
    page.right += QStringLiteral("　　%1 至 %2")
                      .arg(QString::fromStdString(chainageText(profile.startStation())),
                           QString::fromStdString(chainageText(profile.endStation())));
  }
  return page;
}

}  // namespace

void setStakePageLayout(QPagedPaintDevice& device) { pageui::setTablePageLayout(device); }

QFont pageFont(double points, bool bold) { return pageui::pageFont(points, bold); }

StakePages::StakePages(const profile::StakeTable* table, StakeHeading heading,
                       const QPagedPaintDevice& device)
    : pages_(
          stakeColumns(), table ? table->size() : 0,
          [table](std::size_t i, QStringList& cells) {
            const profile::StakeRow row = table->row(i);
            for (int c = 0; c < StakeModel::kColumns; ++c) {
              cells.append(StakeModel::cellText(*table, row, i, c));
            }
          },
          pageHeading(table, heading), device) {}

}  // namespace vcurve::profileui
