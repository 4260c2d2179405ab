#pragma once

// Work that can outlast half a second (a PDF of thousands of pages, a
// workbook of a hundred thousand rows), done in steps on the GUI thread.
// Once it has taken half a second a progress dialog shows with a Cancel
// button; between steps the window keeps painting, and Cancel stops the
// work at the next step. The dialog is modal to the window, so nothing the
// work reads can be edited under it.

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace vcurve::profileui {

class LongWork {
 public:
  // `what` is the dialog's text ("正在生成 PDF…"); steps is how many there
  // will be, 0 when that is not known.
  LongWork(QWidget* parent, const QString& what, qint64 steps);
  ~LongWork();
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

  // `done` steps of them are finished; false once the user has cancelled.
  // Cheap enough to call for every row.
  bool advance(qint64 done);
  bool cancelled() const;

  // What a cancelled export says.
  static QString cancelledText();

 private:
  std::unique_ptr<QProgressDialog> dialog_;
  QElapsedTimer sinceEvents_;
  qint64 steps_ = 0;
  bool cancelled_ = false;
};

}  // namespace vcurve::profileui
