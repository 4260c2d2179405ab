#pragma once

// The 纵坡竖曲线表 laid out on printed pages, A4 across: a heading with
// the profile's file name and what it was checked against, the header
// row repeated at the top of every page, and 第 n 页 共 m 页 at the foot.
// The cells are the table's own texts, so the paper says what the screen
// does.

#include <QAbstractItemModel>
#include <QString>
#include <vector>

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

  int pageCount() const { return pageCount_; }

  // Pages from first to last, 1-based and inclusive, each after the first
  // on a new page of the device.
  void paint(QPainter& painter, QPagedPaintDevice& device, int first, int last) const;

 private:
  void paintPage(QPainter& painter, int page) const;

  DesignHeading heading_;
  QStringList titles_;
  std::vector<QStringList> rows_;
  std::vector<Qt::Alignment> alignments_;
  std::vector<double> edges_;  // column edges across the page, device pixels
  double millimetre_ = 1;
  double width_ = 0, height_ = 0;
  int rowsPerPage_ = 1;
  int pageCount_ = 1;
};

// A4 across with the margins the pages are designed for.
void setDesignPageLayout(QPagedPaintDevice& device);

}  // namespace vcurve::profileui
