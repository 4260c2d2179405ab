#pragma once

// The stake table laid out on printed pages: a heading with the profile's
// file name and design speed, the header row repeated at the top of every
// page, and 第 n 页 共 m 页 at the foot. Rows are computed as their page is
// painted, so a table of any length prints in bounded memory.

#include <QFont>
#include <QString>

#include "profile/stake_table.h"

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
  // for an empty table.
  StakePages(const profile::StakeTable* table, StakeHeading heading,
             const QPagedPaintDevice& device);

  int pageCount() const { return pageCount_; }
  int rowsPerPage() const { return rowsPerPage_; }

  // Pages from first to last, 1-based and inclusive, each after the first
  // on a new page of the device the painter paints on.
  void paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const;

 private:
  void paintPage(QPainter& painter, int page) const;

  const profile::StakeTable* table_;
  StakeHeading heading_;
  double millimetre_ = 1;  // device pixels
  double width_ = 0, height_ = 0;
  int rowsPerPage_ = 1;
  int pageCount_ = 1;
};

// The font of every printed table, at a size in points.
QFont pageFont(double points, bool bold = false);

// A4 upright with the margins the pages are designed for.
void setStakePageLayout(QPagedPaintDevice& device);

}  // namespace vcurve::profileui
