#include "ui/profile/stake/stake_files.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

#include "profile/profile_csv.h"
#include "profile/sheets.h"
#include "profile/xlsx_workbook.h"

namespace vcurve::profileui {
namespace {

QString cannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), reason);
}

std::filesystem::path nativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

// Writing through a link replaces the file it points to, not the link.
QString resolvedTarget(const QString& path) {
  const QFileInfo info(path);
  return info.isSymLink() ? info.symLinkTarget() : path;
}

}  // namespace

bool writeStakeCsvFile(const profile::StakeTable& table, const QString& path, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  bool failed = false;
  profile::writeStakeCsv(table, [&](std::string_view block) {
    if (failed) return;
    const auto size = static_cast<qint64>(block.size());
    failed = file.write(block.data(), size) != size;
  });
  if (failed || !file.commit()) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  return true;
}

bool writeStakeXlsxFile(const profile::StakeTable& table, const QString& path,
                        const std::string& title, QString* error) {
  const QString target = resolvedTarget(path);
  const QFileInfo targetInfo(target);
  if (targetInfo.isDir()) {
    *error = cannotWrite(path, QStringLiteral("这是一个文件夹"));
    return false;
  }
  // The workbook library writes only to a named file, so the temporary
  // file is named here, in the target's folder, so that the rename cannot
  // cross file systems.
  const QString temporary = targetInfo.absolutePath() + QLatin1Char('/') + targetInfo.fileName() +
                            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8,
                                                          16, QLatin1Char('0'));
  const std::string problem =
      profile::writeXlsx(nativePath(temporary).string(), {profile::stakeSheet(table, title)});
  std::error_code ignored;
  if (!problem.empty()) {
    std::filesystem::remove(nativePath(temporary), ignored);
    *error = cannotWrite(path, QString::fromStdString(problem));
    return false;
  }
  if (targetInfo.exists()) QFile::setPermissions(temporary, QFile::permissions(target));
  std::error_code renamed;
  std::filesystem::rename(nativePath(temporary), nativePath(target), renamed);
  if (renamed) {
    std::filesystem::remove(nativePath(temporary), ignored);
    *error = cannotWrite(path, QString::fromStdString(renamed.message()));
    return false;
  }
  return true;
}

}  // namespace vcurve::profileui
