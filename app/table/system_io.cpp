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

}  // namespace vcurve::table

#else

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

}  // namespace vcurve::table

#endif
