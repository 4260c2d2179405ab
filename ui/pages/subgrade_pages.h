#pragma once

// The 路基设计表 on A3 pages across, laid out as the stake table's pages
// are: the same heading, paging and fonts, fifteen columns instead of seven.

#include <QString>

#include "sections/subgrade_table.h"
#include "ui/pages/table_pages.h"

namespace vcurve::pageui {

struct TableParticulars {
  QString fileName;
  QString designSpeed;  // "80 km/h", or empty
  QString interval;     // "20 m", or empty
};

// The line under the title: the file and speed on the left, the interval
// and the profile's extent on the right.
PageHeading tableHeading(QString title, const TableParticulars& particulars,
                         const profile::StakeTable* stakes);

// The table must outlive the pages.
TablePages subgradePages(const sections::SubgradeTable& table, const TableParticulars& particulars,
                         const QPagedPaintDevice& device);

bool writeSubgradePdf(const sections::SubgradeTable& table, const TableParticulars& particulars,
                      const QString& path, QString* error, const PageProgress& progress = {});

}  // namespace vcurve::pageui
