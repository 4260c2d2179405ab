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

// A file read whole and, for a LandXML file, the profile in it to read.
struct ChosenFile {
  QByteArray bytes;
  std::string fileName;
  bool xml = false;
  std::string profileName;  // empty for the only one
  QString error;
  bool cancelled = false;  // the user did not choose a profile
  bool ok() const { return error.isEmpty() && !cancelled; }
};

QString readWholeFile(const QString& path, QByteArray* bytes) {
  QFile file(path);
  const QString name = QFileInfo(path).fileName();
  if (!file.open(QIODevice::ReadOnly)) {
    return QStringLiteral("无法打开文件“%1”：%2").arg(name, file.errorString());
  }
  // A file of junk must not take all memory. A device or a pipe tells no
  // size, so what is read is counted too.
  const auto most = static_cast<qint64>(profile::kMaximumFileBytes);
  if (file.size() <= most) *bytes = file.read(most + 1);
  if (file.size() > most || bytes->size() > most) {
    bytes->clear();
    return QStringLiteral("文件“%1”太大（超过 %2 MB）")
        .arg(name)
        .arg(profile::kMaximumFileBytes >> 20);
  }
  if (file.error() != QFileDevice::NoError) {
    return QStringLiteral("读取文件“%1”失败：%2").arg(name, file.errorString());
  }
  return {};
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

ChosenFile readAndChoose(const QString& path, const ProfileChooser& choose) {
  ChosenFile file;
  file.error = readWholeFile(path, &file.bytes);
  if (!file.error.isEmpty()) return file;
  file.fileName = QFileInfo(path).fileName().toStdString();
  file.xml = profile::looksLikeXml(view(file.bytes));
  if (file.xml) {
    const auto chosen = chosenProfile(view(file.bytes), file.fileName, choose, &file.error);
    file.cancelled = !chosen && file.error.isEmpty();
    if (chosen) file.profileName = *chosen;
  }
  return file;
}

}  // namespace

OpenedProfile readProfilePath(const QString& path, const ProfileChooser& choose) {
  OpenedProfile opened;
  const ChosenFile file = readAndChoose(path, choose);
  if (file.xml) opened.format = FileFormat::LandXml;
  if (!file.ok()) {
    opened.error = file.error;
    opened.cancelled = file.cancelled;
    return opened;
  }
  auto loaded = profile::readProfileFile(view(file.bytes), file.fileName, file.profileName);
  if (!loaded.ok()) {
    opened.error = qText(loaded.error->message());
    return opened;
  }
  opened.equations = std::move(loaded.value.equations);
  opened.units = qText(loaded.value.units);
  opened.groundProblem = qText(loaded.value.groundProblem);
  opened.points = std::move(loaded.value.points);
  // This window writes a LandXML file's one profile and ground line, and
  // nothing of the rest a suite puts beside them.
  opened.unkept = opened.format == FileFormat::LandXml
                      ? QStringLiteral("纵断面和地面线以外的内容（平面线形、曲面、其他纵断面等）")
                      : qText(loaded.value.csvUnkept);
  opened.profileName = qText(loaded.value.name);
  opened.settings = std::move(loaded.value.settings);
  if (!loaded.value.ground.empty()) {
    opened.ground = std::make_shared<const profile::GroundLine>(std::move(loaded.value.ground));
  }
  return opened;
}

OpenedGround readGroundPath(const QString& path, const ProfileChooser& choose) {
  OpenedGround opened;
  const ChosenFile file = readAndChoose(path, choose);
  if (!file.ok()) {
    opened.error = file.error;
    opened.cancelled = file.cancelled;
    return opened;
  }
  std::vector<profile::GroundPoint> points;
  if (file.xml) {
    auto loaded = profile::readLandXml(view(file.bytes), file.fileName, file.profileName);
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
    auto loaded = profile::readGroundCsv(view(file.bytes), file.fileName);
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
