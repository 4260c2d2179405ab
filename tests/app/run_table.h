#pragma once

// Runs the built vcurve-table as a user would, and keeps what it said.

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vcurve::testing {

struct TableRun {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

inline std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Where the program's standard output goes: a file read back into out, a
// device that refuses every write, or nowhere (the descriptor closed).
enum class Output { Kept, Full, Closed };

// The entries of `environment` ("NAME=value") with those that extra names
// again replaced by extra's.
inline std::vector<std::string> withEntries(const std::vector<std::string>& environment,
                                            const std::vector<std::string>& extra) {
  std::vector<std::string> merged(extra);
  for (const std::string& entry : environment) {
    // Windows keeps per-drive folders in entries whose name starts with "=".
    const std::string name = entry.substr(0, entry.find('=', 1) + 1);
    bool replaced = false;
    for (const std::string& e : extra) replaced = replaced || e.starts_with(name);
    if (!replaced) merged.push_back(entry);
  }
  return merged;
}

#ifdef _WIN32

inline std::wstring wideText(const std::string& text) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

inline std::string utf8Text(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

// One argument quoted so that the C runtime's and CommandLineToArgvW's
// splitting give it back unchanged.
inline std::wstring quotedArgument(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  for (auto c = arg.begin();; ++c) {
    std::size_t backslashes = 0;
    for (; c != arg.end() && *c == L'\\'; ++c) ++backslashes;
    if (c == arg.end()) {
      quoted.append(backslashes * 2, L'\\');
      break;
    }
    quoted.append(*c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    quoted.push_back(*c);
  }
  return quoted + L"\"";
}

inline int spawnAndWait(const std::vector<std::string>& argv,
                        const std::vector<std::string>& extraEnvironment, Output output,
                        const std::filesystem::path& outPath,
                        const std::filesystem::path& errPath) {
  std::wstring commandLine;
  for (const std::string& arg : argv) commandLine += quotedArgument(wideText(arg)) + L" ";

  std::vector<std::string> environment;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* e = block; *e != L'\0'; e += std::wcslen(e) + 1) {
    environment.push_back(utf8Text(e));
  }
  FreeEnvironmentStringsW(block);
  std::wstring newBlock;
  for (const std::string& entry : withEntries(environment, extraEnvironment)) {
    newBlock += wideText(entry) + L'\0';
  }
  newBlock += L'\0';

  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  // Windows has no /dev/full; a handle opened for reading refuses every write.
  HANDLE out =
      output == Output::Closed
          ? INVALID_HANDLE_VALUE
          : CreateFileW(outPath.c_str(), output == Output::Full ? GENERIC_READ : GENERIC_WRITE, 0,
                        &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE err = CreateFileW(errPath.c_str(), GENERIC_WRITE, 0, &inherited, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  int status = -1;
  if (CreateProcessW(wideText(argv[0]).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT, newBlock.data(), nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    // A crash ends the process with an NTSTATUS such as 0xC0000005.
    if (GetExitCodeProcess(process.hProcess, &code) && code < 0xC0000000) {
      status = static_cast<int>(code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  CloseHandle(err);
  return status;
}

inline unsigned long processId() { return GetCurrentProcessId(); }

#else

inline int spawnAndWait(const std::vector<std::string>& args,
                        const std::vector<std::string>& extraEnvironment, Output output,
                        const std::filesystem::path& outPath,
                        const std::filesystem::path& errPath) {
  std::vector<std::string> argStrings(args);
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> environment;
  for (char** e = environ; *e != nullptr; ++e) environment.emplace_back(*e);
  std::vector<std::string> envStrings = withEntries(environment, extraEnvironment);
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  if (output == Output::Closed) {
    posix_spawn_file_actions_addclose(&actions, 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1,
                                     output == Output::Full ? "/dev/full" : outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  pid_t pid = 0;
  int status = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    if (WIFEXITED(wstatus)) status = WEXITSTATUS(wstatus);
  }
  posix_spawn_file_actions_destroy(&actions);
  return status;
}

inline unsigned long processId() { return static_cast<unsigned long>(::getpid()); }

#endif

// extraEnvironment entries ("LC_ALL=de_DE.UTF-8") are added to this
// process's environment for the run. Arguments are UTF-8.
inline TableRun runTable(const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnvironment = {},
                         Output output = Output::Kept) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vcurve-table-test-" + std::to_string(processId()));
  std::filesystem::create_directories(folder);
  std::vector<std::string> argv{VCURVE_TABLE_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  TableRun run;
  run.status = spawnAndWait(argv, extraEnvironment, output, folder / "out", folder / "err");
  run.out = fileText(folder / "out");
  run.err = fileText(folder / "err");
  std::filesystem::remove_all(folder);
  return run;
}

}  // namespace vcurve::testing
