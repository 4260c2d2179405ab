#pragma once

// Runs the built vcurve-table as a user would, and keeps what it said.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

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

// extraEnvironment entries ("LC_ALL=de_DE.UTF-8") are added to this
// process's environment for the run.
inline TableRun runTable(const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnvironment = {},
                         Output output = Output::Kept) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vcurve-table-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string outPath = (folder / "out").string();
  const std::string errPath = (folder / "err").string();

  std::vector<std::string> argStrings{VCURVE_TABLE_EXE};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings(extraEnvironment);
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    const std::string name = entry.substr(0, entry.find('=') + 1);
    bool replaced = false;
    for (const std::string& extra : extraEnvironment)
      replaced = replaced || extra.starts_with(name);
    if (!replaced) envStrings.push_back(entry);
  }
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
  TableRun run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = fileText(outPath);
  run.err = fileText(errPath);
  std::filesystem::remove_all(folder);
  return run;
}

}  // namespace vcurve::testing
