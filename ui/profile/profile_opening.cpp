#include "ui/profile/profile_opening.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profile/landxml.h"
#include "profile/profile_csv.h"
#include "profile/profile_file.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vcurve::profileui {
namespace {

using profile::kMaximumFileBytes;

QString qText(const std::string& text) { return QString::fromStdString(text); }

std::function<void(qint64)>& readingObserver() {
  static std::function<void(qint64)> observer;
  return observer;
}

QString tooLarge(const QString& name) {
  return QStringLiteral("文件“%1”太大（超过 %2 MB）").arg(name).arg(kMaximumFileBytes >> 20);
}

// A file's bytes: mapped where it can be, which costs memory only for the
// pages being read; read whole where not (a pipe, a device).
class FileBytes {
 public:
  // On the window's thread, so that the file lives and dies there. The
  // reason in Chinese, or empty.
  QString open(const QString& path) {
    file_.setFileName(path);
    name_ = QFileInfo(path).fileName();
    if (!file_.open(QIODevice::ReadOnly)) {
      return QStringLiteral("无法打开文件“%1”：%2").arg(name_, file_.errorString());
    }
    if (file_.size() > static_cast<qint64>(kMaximumFileBytes)) return tooLarge(name_);
    if (!file_.isSequential() && file_.size() > 0) {
      if (uchar* map = file_.map(0, file_.size())) {
        data_ = reinterpret_cast<const char*>(map);
        size_ = static_cast<std::size_t>(file_.size());
        mapped_ = true;
#ifndef _WIN32
        ::madvise(map, size_, MADV_SEQUENTIAL);
#endif
      }
    }
    return {};
  }

  // On the reading thread: the bytes of a file that could not be mapped,
  // read in blocks so that a cancel is heard; `read` counts them.
  QString load(const std::atomic<bool>& cancel, std::atomic<qint64>& read) {
    if (data_ != nullptr) return {};
    // A device or a pipe tells no size, so what is read is counted.
    constexpr qint64 kBlock = qint64{1} << 20;
    while (!cancel) {
      const QByteArray block = file_.read(kBlock);
      if (block.isEmpty()) break;
      if (copy_.size() + block.size() > static_cast<qint64>(kMaximumFileBytes)) {
        copy_ = QByteArray();
        return tooLarge(name_);
      }
      copy_ += block;
      read = copy_.size();
    }
    if (file_.error() != QFileDevice::NoError) {
      return QStringLiteral("读取文件“%1”失败：%2").arg(name_, file_.errorString());
    }
    data_ = copy_.constData();
    size_ = static_cast<std::size_t>(copy_.size());
    return {};
  }

  std::string_view view() const { return {data_, size_}; }
  std::size_t size() const {
    return file_.isSequential() ? 0 : static_cast<std::size_t>(file_.size());
  }

  // Everything before `offset` has been read: its pages may go. They are
  // read again from the file should a message need them.
  void release(std::size_t offset) {
    if (!mapped_) return;
    // A tag that began a little before may still be read: a megabyte is kept.
    constexpr std::size_t kKept = std::size_t{1} << 20;
    if (offset < kKept) return;
#ifdef _WIN32
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    const std::size_t page = system.dwPageSize;
#else
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
#endif
    const std::size_t end = (offset - kKept) / page * page;
    if (end <= released_) return;
    auto* from = const_cast<char*>(data_) + released_;
#ifdef _WIN32
    // Unlocking pages that were never locked takes them out of the
    // working set.
    ::VirtualUnlock(from, end - released_);
#else
    ::madvise(from, end - released_, MADV_DONTNEED);
#endif
    released_ = end;
  }

 private:
  QFile file_;
  QString name_;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t released_ = 0;
  bool mapped_ = false;
  QByteArray copy_;
};

enum class Want { Profile, Ground };

// Thrown from the reader's progress to stop it.
struct Cancelled {};

// One file on its way in; the reading thread writes it until `done`.
struct Reading {
  FileBytes bytes;  // before landXml, which reads them to its end
  std::string fileName;
  Want want = Want::Profile;
  std::function<void(qint64)> observer;
  bool xml = false;
  std::optional<profile::LandXmlFile> landXml;
  std::optional<profile::Loaded<profile::ProfileDocument>> document;
  std::optional<profile::Loaded<std::vector<profile::GroundPoint>>> csvGround;
  QString error;
  std::atomic<qint64> read{0};
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  bool cancelled() const { return cancel.load(); }
};

void readOnThread(Reading& r) {
  try {
    r.error = r.bytes.load(r.cancel, r.read);
    if (!r.error.isEmpty() || r.cancel) return;
    const std::string_view bytes = r.bytes.view();
    r.xml = profile::looksLikeXml(bytes);
    if (r.xml) {
      const auto progress = [&r](std::size_t at) {
        r.bytes.release(at);
        r.read = static_cast<qint64>(at);
        if (r.observer) r.observer(static_cast<qint64>(at));
        if (r.cancel) throw Cancelled{};
      };
      r.landXml.emplace(bytes, r.fileName, progress);
      if (r.landXml->error()) {
        r.error = qText(r.landXml->error()->message());
      } else if (r.landXml->names().size() < 2) {
        r.document = r.landXml->read();
      }
    } else if (r.want == Want::Profile) {
      r.document = profile::readProfileFile(bytes, r.fileName);
    } else {
      r.csvGround = profile::readGroundCsv(bytes, r.fileName);
    }
  } catch (const Cancelled&) {
    r.landXml.reset();
  } catch (const std::bad_alloc&) {
    r.error = QStringLiteral("内存不足，无法打开文件“%1”").arg(qText(r.fileName));
  }
}

constexpr int kBarSteps = 1000;

// Reads the file on a thread of its own while the window goes on painting.
// Until the progress dialog shows, what the user types or clicks waits: the
// document must not change under an open that will replace it.
std::unique_ptr<Reading> readFile(QWidget* parent, const QString& path, Want want) {
  auto reading = std::make_unique<Reading>();
  Reading& r = *reading;
  r.want = want;
  r.fileName = QFileInfo(path).fileName().toStdString();
  r.observer = readingObserver();
  r.error = r.bytes.open(path);
  if (!r.error.isEmpty()) return reading;

  QProgressDialog dialog(QStringLiteral("正在打开“%1”…").arg(QFileInfo(path).fileName()),
                         QStringLiteral("取消"), 0, 0, parent);
  auto* bar = new QProgressBar(&dialog);
  bar->setRange(0, r.bytes.size() > 0 ? kBarSteps : 0);
  // Set straight, not through the dialog, whose setValue runs the events
  // again from inside the timer below.
  dialog.setBar(bar);
  dialog.setWindowTitle(QStringLiteral("请稍候"));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(500);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setValue(0);  // shows the dialog once the minimum duration has passed
  // Told the reader at once, not only once the events in hand are done.
  QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&r] { r.cancel = true; });
  const qint64 size = static_cast<qint64>(r.bytes.size());
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &dialog, [&r, bar, size] {
    if (size > 0)
      bar->setValue(static_cast<int>(std::min<qint64>(r.read * kBarSteps / size, kBarSteps - 1)));
  });
  tick.start(40);

  QObject waker;
  const std::unique_ptr<QThread> thread(QThread::create([&r] {
    readOnThread(r);
    r.done = true;
  }));
  // Queued to this thread: wakes the loop below the moment the reading ends.
  QObject::connect(thread.get(), &QThread::finished, &waker, [] {});
  thread->start();
  while (!r.done) {
    const auto input =
        dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    QCoreApplication::processEvents(input | QEventLoop::WaitForMoreEvents);
    if (dialog.wasCanceled()) r.cancel = true;
  }
  thread->wait();
  return reading;
}

// The document the user chose: a LandXML file with several profiles asks
// which, once its one pass is over. False with the reason, or cancelled.
bool chooseDocument(Reading& r, const ProfileChooser& choose, QString* error, bool* cancelled) {
  *cancelled = r.cancelled();
  if (*cancelled) return false;
  if (!r.error.isEmpty()) {
    *error = r.error;
    return false;
  }
  if (r.xml && !r.document) {
    QStringList items;
    for (const std::string& name : r.landXml->names()) items << qText(name);
    const std::optional<int> index = choose(items);
    if (!index || *index < 0 || *index >= items.size()) {
      *cancelled = true;
      return false;
    }
    r.document = r.landXml->read(r.landXml->names()[static_cast<std::size_t>(*index)]);
  }
  if (r.document && !r.document->ok()) {
    *error = qText(r.document->error->message());
    return false;
  }
  return true;
}

}  // namespace

OpenedProfile openProfileFile(QWidget* parent, const QString& path, const ProfileChooser& choose) {
  OpenedProfile opened;
  const auto reading = readFile(parent, path, Want::Profile);
  if (reading->xml) opened.format = FileFormat::LandXml;
  if (!chooseDocument(*reading, choose, &opened.error, &opened.cancelled)) return opened;
  profile::ProfileDocument& document = reading->document->value;
  opened.equations = std::move(document.equations);
  opened.units = qText(document.units);
  opened.groundProblem = qText(document.groundProblem);
  opened.points = std::move(document.points);
  // This window writes a LandXML file's one profile and ground line, and
  // nothing of the rest a suite puts beside them.
  opened.unkept = opened.format == FileFormat::LandXml
                      ? QStringLiteral("纵断面和地面线以外的内容（平面线形、曲面、其他纵断面等）")
                      : qText(document.csvUnkept);
  opened.profileName = qText(document.name);
  opened.settings = std::move(document.settings);
  if (!document.ground.empty()) {
    opened.ground = std::make_shared<const profile::GroundLine>(std::move(document.ground));
  }
  return opened;
}

OpenedGround openGroundFile(QWidget* parent, const QString& path, const ProfileChooser& choose) {
  OpenedGround opened;
  const auto reading = readFile(parent, path, Want::Ground);
  if (!chooseDocument(*reading, choose, &opened.error, &opened.cancelled)) return opened;
  std::vector<profile::GroundPoint> points;
  if (reading->xml) {
    points = std::move(reading->document->value.ground);
    if (points.empty()) {
      opened.error = QStringLiteral("文件“%1”中没有地面线").arg(QFileInfo(path).fileName());
      return opened;
    }
  } else {
    if (!reading->csvGround->ok()) {
      opened.error = qText(reading->csvGround->error->message());
      return opened;
    }
    points = std::move(reading->csvGround->value);
  }
  opened.ground = std::make_shared<const profile::GroundLine>(std::move(points));
  return opened;
}

void setReadingObserver(std::function<void(qint64)> observer) {
  readingObserver() = std::move(observer);
}

}  // namespace vcurve::profileui
