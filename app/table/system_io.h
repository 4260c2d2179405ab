#pragma once

// The few places where the table program meets the operating system: its
// arguments, its standard streams and the files it writes. Everything else
// in the program is the same on every system.

#include <cstdio>
#include <string>
#include <vector>

namespace vcurve::table {

// The arguments after the program name, as UTF-8.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Standard output and error as byte streams: no line-ending translation, and
// UTF-8 text shown as such by a console.
void prepareStandardStreams();

// std::fopen for a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

// Puts the complete file `from` in the place of `to`, replacing what was
// there in one step where the system allows it; false when that failed.
bool replaceFile(const std::string& from, const std::string& to);

// The pieces output_file.cpp makes its temporary files of.
unsigned long currentProcess();
bool processAlive(unsigned long id);
// Creates path for writing, never opening an existing file or following a
// link; *exists tells whether something had the name already.
std::FILE* createExclusive(const std::string& path, bool* exists);
// The name under which another library opening "the file" reaches this
// one. Where that library's open would clash with the file being open here
// (Windows opens it unshared), *file is closed and set to nullptr first.
std::string handOver(const std::string& path, std::FILE** file);
// Flushes to the disk and closes, giving the file the permissions of an
// existing target first.
bool finishFile(std::FILE* file, const std::string& target);
void removeFile(const std::string& path);
// The one file to remove if the program is interrupted (Ctrl+C, SIGTERM,
// a closed terminal) before keepOnInterrupt.
void removeOnInterrupt(const std::string& path);
void keepOnInterrupt();

// What stands under a path the table program is to write.
enum class PathKind { Missing, File, ReadOnlyFile, Folder, Other };
PathKind pathKind(const std::string& path);

// Whether both paths name one existing file, however reached: links, hard
// links, "." and "..", another spelling of the same folder.
bool sameFile(const std::string& a, const std::string& b);

// Standard error sent nowhere while it lives: for a library that prints its
// failures in English where the program says them in Chinese.
class QuietStandardError {
 public:
  QuietStandardError();
  ~QuietStandardError();
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace vcurve::table
