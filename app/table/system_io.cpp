#include "app/table/system_io.h"

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <optional>

namespace vcurve::table {
namespace {

// Windows speaks UTF-16 to programs and the ANSI code page through argv and
// fopen(); a Chinese station name or file name survives only the wide route.
std::optional<std::wstring> wideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                       static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                      wide.data(), size);
  return wide;
}

std::string utf8FromWide(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.pop_back();  // the terminating NUL
  return text;
}

void binaryMode(std::FILE* stream, DWORD standardHandle) {
  // A stream the program was started without has no mode to set, and
  // _setmode on it would end in the C library's invalid-parameter handler.
  const HANDLE handle = GetStdHandle(standardHandle);
  const int descriptor = _fileno(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || descriptor < 0) return;
  _setmode(descriptor, _O_BINARY);
}

UINT consoleCodePageAtStart = 0;

void restoreConsoleCodePage() {
  // Whatever is still buffered goes out in UTF-8 before the console that
  // outlives this program gets its own code page back.
  std::fflush(stdout);
  std::fflush(stderr);
  SetConsoleOutputCP(consoleCodePageAtStart);
}

}  // namespace

std::vector<std::string> utf8Arguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

void prepareStandardStreams() {
  // Text mode would turn every "\n" into "\r\n", and the CSV's own "\r\n"
  // into "\r\r\n": the table is written as the same bytes as everywhere.
  binaryMode(stdout, STD_OUTPUT_HANDLE);
  binaryMode(stderr, STD_ERROR_HANDLE);
  // Without a console (output to a file or a pipe) there is nothing to set.
  consoleCodePageAtStart = GetConsoleOutputCP();
  if (consoleCodePageAtStart != 0 && consoleCodePageAtStart != CP_UTF8 &&
      SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(restoreConsoleCodePage);
  }
}

std::FILE* openFile(const std::string& path, const char* mode) {
  const std::optional<std::wstring> widePath = wideFromUtf8(path);
  const std::optional<std::wstring> wideMode = wideFromUtf8(mode);
  // A path that is not UTF-8 would name some other file: refuse it.
  if (!widePath || !wideMode || widePath->empty()) return nullptr;
  return _wfopen(widePath->c_str(), wideMode->c_str());
}

bool replaceFile(const std::string& from, const std::string& to) {
  const std::optional<std::wstring> wideFrom = wideFromUtf8(from);
  const std::optional<std::wstring> wideTo = wideFromUtf8(to);
  if (!wideFrom || !wideTo || wideFrom->empty() || wideTo->empty()) return false;
  // rename() on Windows refuses an existing target; MoveFileEx replaces it,
  // in one step on the same volume.
  return MoveFileExW(wideFrom->c_str(), wideTo->c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

unsigned long currentProcess() { return GetCurrentProcessId(); }

bool processAlive(unsigned long id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return alive;
}

// CREATE_NEW fails on any existing name, a link included. Deleting is
// shared so that the interrupt handler can remove the file while it is open.
std::FILE* createExclusive(const std::string& path, bool* exists) {
  *exists = false;
  const std::optional<std::wstring> wide = wideFromUtf8(path);
  if (!wide || wide->empty()) return nullptr;
  const HANDLE handle = CreateFileW(wide->c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    *exists = GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS;
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    DeleteFileW(wide->c_str());
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) {
    _close(descriptor);
    DeleteFileW(wide->c_str());
  }
  return file;
}

// The workbook library opens its file unshared, so this program lets go of
// it first; making a link needs a privilege on Windows, and replacing the
// file needs the right to write in the folder anyway.
std::string handOver(const std::string& path, std::FILE** file) {
  if (*file != nullptr) std::fclose(*file);
  *file = nullptr;
  return path;
}

bool finishFile(std::FILE* file, const std::string&) {
  bool ok = std::fflush(file) == 0;
  ok = FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) && ok;
  return std::fclose(file) == 0 && ok;
}

void removeFile(const std::string& path) {
  if (const std::optional<std::wstring> wide = wideFromUtf8(path)) DeleteFileW(wide->c_str());
}

namespace {

wchar_t interruptedPath[32768];
volatile LONG interruptedPending = 0;

BOOL WINAPI onConsoleEvent(DWORD) {
  if (interruptedPending != 0) DeleteFileW(interruptedPath);
  return FALSE;  // and the default handler ends the program
}

}  // namespace

void removeOnInterrupt(const std::string& path) {
  static const bool installed = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
  const std::optional<std::wstring> wide = wideFromUtf8(path);
  if (!installed || !wide || wide->size() >= std::size(interruptedPath)) return;
  InterlockedExchange(&interruptedPending, 0);
  wcscpy(interruptedPath, wide->c_str());
  InterlockedExchange(&interruptedPending, 1);
}

void keepOnInterrupt() { InterlockedExchange(&interruptedPending, 0); }

PathKind pathKind(const std::string& path) {
  const std::optional<std::wstring> wide = wideFromUtf8(path);
  if (!wide || wide->empty()) return PathKind::Other;
  const DWORD attributes = GetFileAttributesW(wide->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
  return attributes & FILE_ATTRIBUTE_READONLY ? PathKind::ReadOnlyFile : PathKind::File;
}

namespace {

// Volume serial number and file index: what tells files apart on Windows.
std::optional<BY_HANDLE_FILE_INFORMATION> fileIdentity(const std::string& path) {
  const std::optional<std::wstring> wide = wideFromUtf8(path);
  if (!wide || wide->empty()) return std::nullopt;
  const HANDLE handle =
      CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool got = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!got) return std::nullopt;
  return info;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  const auto first = fileIdentity(a);
  const auto second = fileIdentity(b);
  return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
         first->nFileIndexHigh == second->nFileIndexHigh &&
         first->nFileIndexLow == second->nFileIndexLow;
}

QuietStandardError::QuietStandardError() {
  std::fflush(stderr);
  saved_ = _dup(2);
  const int nowhere = _open("NUL", _O_WRONLY);
  if (saved_ < 0 || nowhere < 0 || _dup2(nowhere, 2) != 0) {
    if (saved_ >= 0) _close(saved_);
    saved_ = -1;
  }
  if (nowhere >= 0) _close(nowhere);
}

QuietStandardError::~QuietStandardError() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  _dup2(saved_, 2);
  _close(saved_);
}

}  // namespace vcurve::table

#else

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace vcurve::table {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  // POSIX hands over the bytes as typed; the terminals engineers use are UTF-8.
  return {argv + 1, argv + argc};
}

void prepareStandardStreams() {}

std::FILE* openFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool replaceFile(const std::string& from, const std::string& to) {
  // rename() replaces the target atomically on POSIX file systems.
  return std::rename(from.c_str(), to.c_str()) == 0;
}

unsigned long currentProcess() { return static_cast<unsigned long>(::getpid()); }

bool processAlive(unsigned long id) {
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

std::FILE* createExclusive(const std::string& path, bool* exists) {
  const int descriptor =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  *exists = descriptor < 0 && errno == EEXIST;
  if (descriptor < 0) return nullptr;
  std::FILE* file = ::fdopen(descriptor, "wb");
  if (file == nullptr) {
    ::close(descriptor);
    ::unlink(path.c_str());
  }
  return file;
}

// Through its descriptor the library reaches this very file, even if the
// name were swapped for a link in the meantime.
std::string handOver(const std::string& path, std::FILE** file) {
  const std::string byDescriptor = "/dev/fd/" + std::to_string(::fileno(*file));
  struct stat viaName {};
  struct stat viaDescriptor {};
  if (::fstat(::fileno(*file), &viaName) == 0 &&
      ::stat(byDescriptor.c_str(), &viaDescriptor) == 0 && viaName.st_ino == viaDescriptor.st_ino &&
      viaName.st_dev == viaDescriptor.st_dev) {
    return byDescriptor;
  }
  return path;
}

// The target's permission bits are kept: a table shared read-only with the
// group stays so, and one kept private stays private.
bool finishFile(std::FILE* file, const std::string& target) {
  bool ok = std::fflush(file) == 0;
  const int descriptor = ::fileno(file);
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ok = ::fchmod(descriptor, old.st_mode & 07777) == 0 && ok;
  }
  ok = ::fsync(descriptor) == 0 && ok;
  return std::fclose(file) == 0 && ok;
}

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

namespace {

char interruptedPath[4096];
volatile std::sig_atomic_t interruptedPending = 0;

// Only what is safe in a signal handler: unlink, then die of the signal as
// if it had not been caught, so that the caller sees how the program ended.
void onSignal(int signal) {
  if (interruptedPending != 0) ::unlink(interruptedPath);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void removeOnInterrupt(const std::string& path) {
  static const bool installed = [] {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction action {};
      action.sa_handler = onSignal;
      sigemptyset(&action.sa_mask);
      ::sigaction(signal, &action, nullptr);
    }
    return true;
  }();
  if (!installed || path.size() >= sizeof interruptedPath) return;
  interruptedPending = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  std::memcpy(interruptedPath, path.c_str(), path.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  interruptedPending = 1;
}

void keepOnInterrupt() { interruptedPending = 0; }

PathKind pathKind(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return errno == ENOENT ? PathKind::Missing : PathKind::Other;
  if (S_ISDIR(info.st_mode)) return PathKind::Folder;
  // A device or a pipe would be replaced by a plain file, not written to.
  if (!S_ISREG(info.st_mode)) return PathKind::Other;
  return ::access(path.c_str(), W_OK) == 0 ? PathKind::File : PathKind::ReadOnlyFile;
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

QuietStandardError::QuietStandardError() {
  std::fflush(stderr);
  saved_ = ::dup(2);
  const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved_ < 0 || nowhere < 0 || ::dup2(nowhere, 2) < 0) {
    if (saved_ >= 0) ::close(saved_);
    saved_ = -1;
  }
  if (nowhere >= 0) ::close(nowhere);
}

QuietStandardError::~QuietStandardError() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  ::dup2(saved_, 2);
  ::close(saved_);
}

}  // namespace vcurve::table

#endif
