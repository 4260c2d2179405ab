#pragma once

// The profile file the table program reads: mapped into memory rather than
// copied where the system allows, and given back page by page once read, so
// that a large LandXML export costs little more memory than its profile.

#include <cstddef>
#include <string>
#include <string_view>

namespace vcurve::table {

class InputFile {
 public:
  // Throws UsageError, naming the file as `shown`, when it cannot be opened
  // or read, or is larger than the readers accept.
  InputFile(const std::string& path, const std::string& shown);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  std::string_view bytes() const { return {data_, size_}; }
  // Everything before `offset` has been read: its pages may go. They are
  // read again from the file should a message need them.
  void release(std::size_t offset);

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t released_ = 0;
  bool mapped_ = false;
  std::string copy_;  // where nothing could be mapped (a pipe, an empty file)
};

}  // namespace vcurve::table
