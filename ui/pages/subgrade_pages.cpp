#include "ui/pages/subgrade_pages.h"

#include "core/station_text.h"

namespace vcurve::pageui {
namespace {

using sections::SubgradeColumn;

// The station and the note take what K12+345.678 and 竖曲线起点、超高起点
// need; the numbers share the rest.
constexpr double kStationShare = 0.08;
constexpr double kNoteShare = 0.115;
// Two lines of the longest titles, 左行车道边高程(m).
constexpr double kHeaderHeight = 11;

}  // namespace

PageHeading tableHeading(QString title, const TableParticulars& particulars,
                         const profile::StakeTable* stakes) {
  PageHeading heading;
  heading.title = std::move(title);
  heading.left =
      QStringLiteral("文件：%1")
          .arg(particulars.fileName.isEmpty() ? QStringLiteral("未命名") : particulars.fileName);
  if (!particulars.designSpeed.isEmpty()) {
    heading.left += QStringLiteral("　　设计速度：%1").arg(particulars.designSpeed);
  }
  if (!particulars.interval.isEmpty()) {
    heading.right = QStringLiteral("桩距：%1").arg(particulars.interval);
  }
  if (stakes != nullptr && stakes->profile().usable()) {
    const profile::Profile& profile = stakes->profile();
    heading.right += QStringLiteral("　　%1 至 %2")
                         .arg(QString::fromStdString(profile.stationText(profile.startStation())),
                              QString::fromStdString(profile.stationText(profile.endStation())));
  }
  return heading;
}

TablePages subgradePages(const sections::SubgradeTable& table, const TableParticulars& particulars,
                         const QPagedPaintDevice& device) {
  std::vector<PageColumn> columns;
  constexpr double kNumberShare =
      (1 - kStationShare - kNoteShare) / double(sections::kSubgradeColumns - 2);
  for (std::size_t c = 0; c < sections::kSubgradeColumns; ++c) {
    const auto column = static_cast<SubgradeColumn>(c);
    const QString title = QString::fromUtf8(table.columnTitle(column));
    if (column == SubgradeColumn::Station) {
      columns.push_back({title, kStationShare});
    } else if (column == SubgradeColumn::Note) {
      columns.push_back({title, kNoteShare, true});
    } else {
      columns.push_back({title, kNumberShare});
    }
  }
  PageHeading heading = tableHeading(QStringLiteral("路基设计表"), particulars, &table.stakes());
  heading.headerHeight = kHeaderHeight;
  const auto row = [&table](std::size_t i, QStringList& cells) {
    const sections::SubgradeRow r = table.row(i);
    for (std::size_t c = 0; c + 1 < sections::kSubgradeColumns; ++c) {
      cells.append(QString::fromStdString(table.cellText(r, static_cast<SubgradeColumn>(c))));
    }
    cells.append(QString::fromStdString(table.note(i)));
  };
  return TablePages(std::move(columns), table.size(), row, std::move(heading), device);
}

bool writeSubgradePdf(const sections::SubgradeTable& table, const TableParticulars& particulars,
                      const QString& path, QString* error, const PageProgress& progress) {
  return writeTablePdf(
      path, QStringLiteral("路基设计表 %1").arg(particulars.fileName).trimmed(), QPageSize::A3,
      true,
      [&](const QPagedPaintDevice& device) { return subgradePages(table, particulars, device); },
      error, progress);
}

}  // namespace vcurve::pageui
