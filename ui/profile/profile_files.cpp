#include "ui/profile/profile_files.h"

#include <QFileInfo>
#include <QSaveFile>

#include "profile/landxml.h"

namespace vcurve::profileui {

FileFormat formatForPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("xml") || suffix == QLatin1String("landxml") ? FileFormat::LandXml
                                                                              : FileFormat::Csv;
}

QByteArray documentBytes(const ProfileDocument& document, FileFormat format) {
  std::string bytes;
  if (format == FileFormat::Csv) {
    bytes = profile::profileCsv(*document.profile(), document.roadSettings());
  } else {
    profile::LandXmlOptions options;
    if (!document.profileName().isEmpty()) options.name = document.profileName().toStdString();
    options.settings = document.roadSettings();
    bytes = profile::landXml(*document.profile(), document.ground().get(), options);
  }
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
  const QString name = QFileInfo(path).fileName();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return QStringLiteral("无法写入文件“%1”：%2").arg(name, file.errorString());
  }
  if (file.write(bytes) != bytes.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return QStringLiteral("保存文件“%1”失败，原文件未改动：%2").arg(name, reason);
  }
  if (!file.commit()) {
    return QStringLiteral("保存文件“%1”失败，原文件未改动：%2").arg(name, file.errorString());
  }
  return {};
}

}  // namespace vcurve::profileui
