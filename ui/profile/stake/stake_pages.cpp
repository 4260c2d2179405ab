#include "ui/profile/stake/stake_pages.h"

#include <QPagedPaintDevice>
#include <array>

#include "core/station_text.h"
#include "profile/profile_text.h"
#include "ui/profile/stake/stake_model.h"

namespace vcurve::profileui {
namespace {

// Shares of the width, in the model's column order; the note takes what a
// 竖曲线终点、竖曲线起点 needs. With the edges the numbers close up, their
// titles on two lines, so that all nine fit A4 upright.
constexpr std::array<double, StakeModel::kColumns> kColumnShares{0.17, 0.13, 0.13, 0.11,
                                                                 0.11, 0.11, 0.24};
constexpr std::array<double, StakeModel::kColumns + 2> kEdgeColumnShares{
    0.14, 0.11, 0.11, 0.07, 0.07, 0.07, 0.20, 0.115, 0.115};
constexpr double kEdgeHeaderHeight = 11;  // mm

pageui::PageHeading pageHeading(const profile::StakeTable* table, const StakeHeading& heading,
                                bool edges) {
  pageui::PageHeading page;
  if (edges) page.headerHeight = kEdgeHeaderHeight;
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

std::vector<pageui::PageColumn> stakePageColumns(bool edges) {
  std::vector<pageui::PageColumn> columns;
  for (int c = 0; c < StakeModel::kColumns; ++c) {
    const auto at = std::size_t(c);
    columns.push_back({StakeModel::columnTitle(c),
                       edges ? kEdgeColumnShares[at] : kColumnShares[at],
                       c == StakeModel::kNoteColumn});
  }
  if (edges) {
    for (const std::string_view title : {profile::kLeftEdgeTitle, profile::kRightEdgeTitle}) {
      // The unit under the name, as the narrower columns' titles wrap.
      columns.push_back(
          {QString::fromUtf8(title).replace(QStringLiteral("(m)"), QStringLiteral("\n(m)")),
           kEdgeColumnShares[columns.size()], false});
    }
  }
  return columns;
}

pageui::PageRow stakePageRow(const profile::StakeTable* table, profile::StakeEdges edges) {
  return [table, edges = std::move(edges)](std::size_t i, QStringList& cells) {
    const profile::StakeRow row = table->row(i);
    for (int c = 0; c < StakeModel::kColumns; ++c) {
      cells.append(StakeModel::cellText(*table, row, i, c));
    }
    if (edges) {
      const profile::EdgeElevations e = edges(row);
      for (const auto& z : {e.left, e.right}) {
        cells.append(z ? QString::fromStdString(profile::fixed3(*z)) : QString());
      }
    }
  };
}

void setStakePageLayout(QPagedPaintDevice& device) { pageui::setTablePageLayout(device); }

QFont pageFont(double points, bool bold) { return pageui::pageFont(points, bold); }

StakePages::StakePages(const profile::StakeTable* table, StakeHeading heading,
                       const QPagedPaintDevice& device, profile::StakeEdges edges)
    : pages_(stakePageColumns(bool(edges)), table ? table->size() : 0, stakePageRow(table, edges),
             pageHeading(table, heading, bool(edges)), device) {}

}  // namespace vcurve::profileui
