#pragma once

// Output gathered in one large block and handed to the C library a block at
// a time: a table runs to millions of short lines, and a call per line would
// cost more than computing it.

#include <cstdio>
#include <string>
#include <string_view>

namespace vcurve::table {

class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* out);
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  void append(std::string_view text) {
    data_.append(text);
    if (data_.size() >= kBlock) writeOut();
  }
  void append(char c) { data_.push_back(c); }

  // Writes what is left and flushes the stream; false when any write failed.
  bool finish();

 private:
  static constexpr std::size_t kBlock = std::size_t{1} << 16;
  void writeOut();

  std::FILE* out_;
  std::string data_;
  bool failed_ = false;
};

}  // namespace vcurve::table
