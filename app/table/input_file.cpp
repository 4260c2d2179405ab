#include "app/table/input_file.h"

#include <cstdio>

#include "app/table/option_values.h"
#include "app/table/system_io.h"
#include "profile/file_error.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vcurve::table {
namespace {

using profile::kMaximumFileBytes;

std::string tooLarge(const std::string& shown) {
  return "文件" + shown + "太大（超过 " + std::to_string(kMaximumFileBytes >> 20) +
         " MB），不是纵断面文件";
}

}  // namespace

InputFile::InputFile(const std::string& path, const std::string& shown) {
#ifndef _WIN32
  // A regular file is mapped; anything else (a pipe, a device) is read.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (descriptor >= 0 && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
      status.st_size > 0) {
    if (static_cast<std::size_t>(status.st_size) > kMaximumFileBytes) {
      ::close(descriptor);
      throw UsageError(tooLarge(shown));
    }
    void* map = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE,
                       descriptor, 0);
    ::close(descriptor);
    if (map != MAP_FAILED) {
      ::madvise(map, static_cast<std::size_t>(status.st_size), MADV_SEQUENTIAL);
      data_ = static_cast<const char*>(map);
      size_ = static_cast<std::size_t>(status.st_size);
      mapped_ = true;
      return;
    }
  } else if (descriptor >= 0) {
    ::close(descriptor);
  }
#endif
  std::FILE* file = openFile(path, "rb");
  if (file == nullptr) throw UsageError("无法打开文件" + shown);
  char block[1 << 16];
  bool large = false;
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
    if (copy_.size() + got > kMaximumFileBytes) {
      large = true;
      break;
    }
    copy_.append(block, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (large) throw UsageError(tooLarge(shown));
  if (failed) throw UsageError("读取文件" + shown + "失败");
  data_ = copy_.data();
  size_ = copy_.size();
}

InputFile::~InputFile() {
#ifndef _WIN32
  if (mapped_) ::munmap(const_cast<char*>(data_), size_);
#endif
}

void InputFile::release(std::size_t offset) {
#ifndef _WIN32
  if (!mapped_) return;
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  // A tag that began a little before may still be read: a megabyte is kept.
  constexpr std::size_t kKept = std::size_t{1} << 20;
  if (offset < kKept) return;
  const std::size_t end = (offset - kKept) / page * page;
  if (end <= released_) return;
  ::madvise(const_cast<char*>(data_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
#else
  (void)offset;
#endif
}

}  // namespace vcurve::table
