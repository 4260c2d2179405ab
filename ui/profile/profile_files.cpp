#include "ui/profile/profile_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <string>
#include <string_view>

#include "profile/landxml.h"
#include "profile/profile_csv.h"
#include "profile/profile_file.h"

namespace vcurve::profileui {
namespace {

QString qText(const std::string& text) { return QString::fromStdString(text); }

struct FileBytes {
  QByteArray bytes;
  QString error;
};

FileBytes readWholeFile(const QString& path) {
  FileBytes read;
  QFile file(path);
  const QString name = QFileInfo(path).fileName();
  if (!file.open(QIODevice::ReadOnly)) {
    read.error = QStringLiteral("无法打开文件“%1”：%2").arg(name, file.errorString());
    return read;
  }
  // Refused before it is read: a file of junk must not take all memory.
  if (file.size() > static_cast<qint64>(profile::kMaximumFileBytes)) {
    read.error = QStringLiteral("文件“%1”太大（超过 %2 MB）")
                     .arg(name)
                     .arg(profile::kMaximumFileBytes >> 20);
    return read;
  }
  read.bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    read.error = QStringLiteral("读取文件“%1”失败：%2").arg(name, file.errorString());
  }
  return read;
}

std::string_view view(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The profile of a LandXML file with several: asks which. Empty for the
// only one; nullopt when the user cancelled or the names cannot be read.
std::optional<std::string> chosenProfile(std::string_view bytes, const std::string& fileName,
                                         const ProfileChooser& choose, QString* error) {
  const auto names = profile::landXmlProfileNames(bytes, fileName);
  if (!names.ok()) {
    *error = qText(names.error->message());
    return std::nullopt;
  }
  if (names.value.size() < 2) return std::string();
  QStringList items;
  for (const std::string& name : names.value) items << qText(name);
  const std::optional<int> index = choose(items);
  if (!index || *index < 0 || *index >= items.size()) return std::nullopt;
  return names.value[static_cast<std::size_t>(*index)];
}

}  // namespace

OpenedProfile readProfilePath(const QString& path, const ProfileChooser& choose) {
  OpenedProfile opened;
  const FileBytes read = readWholeFile(path);
  if (!read.error.isEmpty()) {
    opened.error = read.error;
    return opened;
  }
  const std::string fileName = QFileInfo(path).fileName().toStdString();
  const std::string_view bytes = view(read.bytes);
  std::string name;
  if (profile::looksLikeXml(bytes)) {
    opened.format = FileFormat::LandXml;
    const auto chosen = chosenProfile(bytes, fileName, choose, &opened.error);
    if (!chosen) {
      opened.cancelled = opened.error.isEmpty();
      return opened;
    }
    name = *chosen;
  }
  auto loaded = profile::readProfileFile(bytes, fileName, name);
  if (!loaded.ok()) {
    opened.error = qText(loaded.error->message());
    return opened;
  }
  opened.points = std::move(loaded.value.points);
  opened.profileName = qText(loaded.value.name);
  if (!loaded.value.ground.empty()) {
    opened.ground = std::make_shared<const profile::GroundLine>(std::move(loaded.value.ground));
  }
  return opened;
}

OpenedGround readGroundPath(const QString& path, const ProfileChooser& choose) {
  OpenedGround opened;
  const FileBytes read = readWholeFile(path);
  if (!read.error.isEmpty()) {
    opened.error = read.error;
    return opened;
  }
  const std::string fileName = QFileInfo(path).fileName().toStdString();
  const std::string_view bytes = view(read.bytes);
  std::vector<profile::GroundPoint> points;
  if (profile::looksLikeXml(bytes)) {
    const auto chosen = chosenProfile(bytes, fileName, choose, &opened.error);
    if (!chosen) {
      opened.cancelled = opened.error.isEmpty();
      return opened;
    }
    auto loaded = profile::readLandXml(bytes, fileName, *chosen);
    if (!loaded.ok()) {
      opened.error = qText(loaded.error->message());
      return opened;
    }
    if (loaded.value.ground.empty()) {
      opened.error = QStringLiteral("文件“%1”中没有地面线").arg(QFileInfo(path).fileName());
      return opened;
    }
    points = std::move(loaded.value.ground);
  } else {
    auto loaded = profile::readGroundCsv(bytes, fileName);
    if (!loaded.ok()) {
      opened.error = qText(loaded.error->message());
      return opened;
    }
    points = std::move(loaded.value);
  }
  opened.ground = std::make_shared<const profile::GroundLine>(std::move(points));
  return opened;
}

FileFormat formatForPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("xml") || suffix == QLatin1String("landxml") ? FileFormat::LandXml
                                                                              : FileFormat::Csv;
}

QByteArray documentBytes(const ProfileDocument& document, FileFormat format) {
  std::string bytes;
  if (format == FileFormat::Csv) {
    bytes = profile::profileCsv(*document.profile());
  } else {
    profile::LandXmlOptions options;
    if (!document.profileName().isEmpty()) options.name = document.profileName().toStdString();
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
