#pragma once

// The 纵坡竖曲线表 laid out on printed pages, A4 across: a heading with
// the profile's file name and what it was checked against, the header
// row repeated at the top of every page, and 第 n 页 共 m 页 at the foot.
// The cells are the table's own texts, so the paper says what the screen
// does.

#include <QAbstractItemModel>
#include <QString>

#include "ui/pages/table_pages.h"

class QPagedPaintDevice;
class QPainter;

namespace vcurve::profileui {

struct DesignHeading {
  QString fileName;
  QString checkedAgainst;  // "JTG D20—2017 80 km/h", or "不检查"
  QString extent;          // "K0+000.000 至 K1+000.000"
};

class DesignPages {
 public:
  DesignPages(const QAbstractItemModel& model, DesignHeading heading,
              const QPagedPaintDevice& device);

  int pageCount() const { return pages_.pageCount(); }

  // Pages from first to last, 1-based and inclusive, each after the first
  // on a new page of the device.
  void paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const {
    pages_.paint(painter, device, first, last);
  }

 private:
  pageui::TablePages pages_;
};

// A4 across with the margins the pages are designed for.
void setDesignPageLayout(QPagedPaintDevice& device);

}  // namespace vcurve::profileui
