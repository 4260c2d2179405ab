#pragma once

// Qt's own file dialog in Chinese whatever the machine's locale: its
// translations leave the sizes and dates to the system's locale and the
// type of a folder untranslated, so a user on an English system would read
// "546 bytes", "12/9/26 1:02 PM" and "Folder" between Chinese captions.

#include <QFileDialog>
#include <QIdentityProxyModel>
#include <memory>

namespace vcurve::profileui {

// The file system model's texts as a Chinese desktop writes them.
class ChineseFileModel : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

// A dialog opening in start (a folder, or a file whose folder it opens in
// with its name filled in), not yet shown.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const QString& caption,
                                            const QString& start, const QString& filter,
                                            QFileDialog::AcceptMode mode);

}  // namespace vcurve::profileui
