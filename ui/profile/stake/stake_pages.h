#pragma once

// The stake table laid out on printed pages: a heading with the profile's
// file name and design speed, the header row repeated at the top of every
// page, and 第 n 页 共 m 页 at the foot. Rows are computed as their page is
// painted, so a table of any length prints in bounded memory.

#include <QFont>
#include <QString>

#include "profile/stake_table.h"
#include "ui/pages/table_pages.h"

class QPagedPaintDevice;
class QPainter;

namespace vcurve::profileui {

struct StakeHeading {
  QString fileName;
  QString designSpeed;  // "80 km/h", or "不检查"
  QString interval;     // "20 m"
};

class StakePages {
 public:
  // The device's page size and margins fix the layout; table may be null
  // for an empty table. With edges, their two columns follow 备注.
  StakePages(const profile::StakeTable* table, StakeHeading heading,
             const QPagedPaintDevice& device, profile::StakeEdges edges = {});

  int pageCount() const { return pages_.pageCount(); }
  int rowsPerPage() const { return pages_.rowsPerPage(); }

  // Pages from first to last, 1-based and inclusive, each after the first
  // on a new page of the device the painter paints on.
  void paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const {
    pages_.paint(painter, device, first, last);
  }

 private:
  pageui::TablePages pages_;
};

// What the pages print: the columns, and a row's texts.
std::vector<pageui::PageColumn> stakePageColumns(bool edges);
pageui::PageRow stakePageRow(const profile::StakeTable* table, profile::StakeEdges edges);

// The font of every printed table, at a size in points.
QFont pageFont(double points, bool bold = false);

// A4 upright with the margins the pages are designed for.
void setStakePageLayout(QPagedPaintDevice& device);

}  // namespace vcurve::profileui
