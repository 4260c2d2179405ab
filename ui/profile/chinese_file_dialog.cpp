#include "ui/profile/chinese_file_dialog.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>
#include <array>

namespace vcurve::profileui {
namespace {

enum Column { kName, kSize, kType, kModified };

const QLocale& chinese() {
  static const QLocale locale(QLocale::Chinese, QLocale::China);
  return locale;
}

}  // namespace

QVariant ChineseFileModel::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || files == nullptr || !index.isValid() || index.column() == kName) {
    return QIdentityProxyModel::data(index, role);
  }
  const QFileInfo info = files->fileInfo(mapToSource(index));
  switch (index.column()) {
    case kSize:
      if (info.isDir()) return QString();
      return chinese().formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
    case kType:
      if (info.isDir()) return QStringLiteral("文件夹");
      break;
    case kModified:
      return chinese().toString(info.lastModified(), QLocale::ShortFormat);
    default:
      break;
  }
  return QIdentityProxyModel::data(index, role);
}

QVariant ChineseFileModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const std::array<QString, 4> kTitles{QStringLiteral("名称"), QStringLiteral("大小"),
                                              QStringLiteral("类型"), QStringLiteral("修改日期")};
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < static_cast<int>(kTitles.size())) {
    return kTitles[static_cast<std::size_t>(section)];
  }
  return QIdentityProxyModel::headerData(section, orientation, role);
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const QString& caption,
                                            const QString& start, const QString& filter,
                                            QFileDialog::AcceptMode mode) {
  auto dialog = std::make_unique<QFileDialog>(parent, caption);
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
  dialog->setNameFilter(filter);
  // Only Qt's own dialog shows the proxy; a desktop's dialog is in the
  // desktop's language and ignores it.
  dialog->setProxyModel(new ChineseFileModel(dialog.get()));
  const QFileInfo where(start);
  if (!start.isEmpty() && where.isDir()) {
    dialog->setDirectory(where.absoluteFilePath());
  } else if (!start.isEmpty()) {
    dialog->setDirectory(where.absolutePath());
    dialog->selectFile(where.fileName());
  }
  return dialog;
}

}  // namespace vcurve::profileui
