#include "ui/profile/stake/stake_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <algorithm>

#include "profile/profile_csv.h"
#include "profile/sheets.h"
#include "profile/xlsx_workbook.h"
#include "ui/profile/long_work.h"

namespace vcurve::profileui {
namespace {

QString cannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("无法写入“%1”：%2").arg(QFileInfo(path).fileName(), reason);
}

// Thrown out of the rows' writer to stop it where the user cancelled.
struct Stopped {};

}  // namespace

bool writeStakeCsvFile(const profile::StakeTable& table, const QString& path, QString* error,
                       LongWork* work, const profile::StakeEdges& edges) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  bool failed = false;
  qint64 rows = 0;
  try {
    profile::writeStakeCsv(
        table,
        [&](std::string_view block) {
          if (failed) return;
          const auto size = static_cast<qint64>(block.size());
          failed = file.write(block.data(), size) != size;
          rows += std::count(block.begin(), block.end(), '\n');
          if (work != nullptr && !work->advance(rows)) throw Stopped{};
        },
        edges);
  } catch (const Stopped&) {
    file.cancelWriting();
    *error = LongWork::cancelledText();
    return false;
  }
  if (failed || !file.commit()) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  return true;
}

// The workbook library writes only to a file it opens by name. It writes a
// scratch file of Qt's making (created exclusively, removed afterwards), which
// is then saved the way every other file is: QSaveFile keeps the target's
// permissions, refuses a file the user may not write, never follows a link
// planted under its temporary name, and leaves no part of a file behind.
bool writeStakeXlsxFile(const profile::StakeTable& table, const QString& path,
                        const std::string& about, const profile::WorkbookFindings& checked,
                        QString* error, LongWork* work, profile::StakeEdges edges) {
  return writeSheetsXlsxFile(
      profile::profileWorkbook(profile::stakeSheet(table, {}, std::move(edges)), table.profile(),
                               about, checked),
      path, error, work);
}

bool writeSheetXlsxFile(const profile::Sheet& sheet, const QString& path, QString* error,
                        LongWork* work) {
  return writeSheetsXlsxFile({sheet}, path, error, work);
}

bool writeSheetsXlsxFile(const std::vector<profile::Sheet>& sheets, const QString& path,
                         QString* error, LongWork* work) {
  if (QFileInfo(path).isDir()) {
    *error = cannotWrite(path, QStringLiteral("这是一个文件夹"));
    return false;
  }
  QString scratchPath;
  {
    // Let go of before the library opens it: Windows lets no one else write
    // a file that is still held open.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/vcurve-XXXXXX.xlsx"));
    if (!scratch.open()) {
      *error = cannotWrite(path, scratch.errorString());
      return false;
    }
    scratch.setAutoRemove(false);
    scratchPath = scratch.fileName();
  }
  const auto removeScratch = qScopeGuard([&scratchPath] { QFile::remove(scratchPath); });
  profile::XlsxProgress progress;
  if (work != nullptr) {
    progress = [work](std::size_t done, std::size_t) { return work->advance(qint64(done)); };
  }
  // The library takes UTF-8 names on every system.
  const std::string problem =
      profile::writeXlsx(scratchPath.toUtf8().toStdString(), sheets, progress);
  if (!problem.empty()) {
    *error = problem == profile::kXlsxStopped ? LongWork::cancelledText()
                                              : cannotWrite(path, QString::fromStdString(problem));
    return false;
  }
  QFile written(scratchPath);
  QSaveFile file(path);
  if (!written.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly)) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  bool failed = false;
  while (!failed && !written.atEnd()) {
    const QByteArray block = written.read(qint64(1) << 20);
    failed = block.isEmpty() || file.write(block) != block.size();
  }
  if (failed || !file.commit()) {
    *error = cannotWrite(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace vcurve::profileui
