#include "app/table/output_file.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string_view>
#include <utility>

#include "app/table/system_io.h"

namespace vcurve::table {
namespace {

constexpr std::string_view kTemporaryMark = ".vcurve-";
constexpr std::string_view kTemporaryEnd = ".part";

std::filesystem::path nativePath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

// "<name>.vcurve-<process>-" leftovers whose process has ended were cut
// short by a kill or a crash; nobody will finish them.
void removeAbandoned(const std::filesystem::path& folder, const std::string& prefix) {
  std::error_code failed;
  for (std::filesystem::directory_iterator entry(folder, failed), end; !failed && entry != end;
       entry.increment(failed)) {
    const std::string name = utf8Path(entry->path().filename());
    if (!name.starts_with(prefix) || !name.ends_with(kTemporaryEnd)) continue;
    unsigned long process = 0;
    const char* first = name.data() + prefix.size();
    const auto [last, error] = std::from_chars(first, name.data() + name.size(), process);
    if (error != std::errc() || last == first || *last != '-') continue;
    std::error_code ignored;
    if (!entry->is_regular_file(ignored) || entry->is_symlink(ignored)) continue;
    if (!processAlive(process)) removeFile(utf8Path(entry->path()));
  }
}

}  // namespace

TemporaryFile createTemporaryBeside(const std::string& target) {
  const std::filesystem::path native = nativePath(target);
  const std::filesystem::path folder =
      native.has_parent_path() ? native.parent_path() : std::filesystem::path(".");
  const std::string base = utf8Path(native.filename()) + std::string(kTemporaryMark);
  removeAbandoned(folder, base);
  const std::string prefix = base + std::to_string(currentProcess()) + "-";
  std::random_device entropy;
  std::mt19937_64 random((std::uint64_t(entropy()) << 32) ^ entropy());
  TemporaryFile temporary;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%06llx",
                  static_cast<unsigned long long>(random() & 0xFFFFFF));
    temporary.path = utf8Path(folder / nativePath(prefix + suffix + std::string(kTemporaryEnd)));
    bool exists = false;
    temporary.file = createExclusive(temporary.path, &exists);
    if (temporary.file != nullptr) {
      removeOnInterrupt(temporary.path);
      return temporary;
    }
    if (!exists) break;
  }
  temporary.path.clear();
  return temporary;
}

std::string handOverTemporary(TemporaryFile& temporary) {
  return handOver(temporary.path, &temporary.file);
}

void discardTemporary(TemporaryFile& temporary) {
  if (temporary.file != nullptr) std::fclose(temporary.file);
  temporary.file = nullptr;
  if (!temporary.path.empty()) removeFile(temporary.path);
  keepOnInterrupt();
  temporary.path.clear();
}

bool commitTemporary(TemporaryFile& temporary, const std::string& target) {
  if (temporary.path.empty()) return false;
  // A file handed over to the workbook library may have been closed for it.
  std::FILE* file = std::exchange(temporary.file, nullptr);
  if ((file != nullptr && !finishFile(file, target)) || !replaceFile(temporary.path, target)) {
    discardTemporary(temporary);
    return false;
  }
  keepOnInterrupt();
  temporary.path.clear();
  return true;
}

}  // namespace vcurve::table
