#include "app/table/system_io.h"

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
