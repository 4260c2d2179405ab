#pragma once

// What a reader says about a file it refuses: where, and what is wrong, in
// Chinese.

#include <cstddef>
#include <optional>
#include <string>

namespace vcurve::profile {

// Far above any profile or survey a road needs, and above the exports of
// the design suites, whose TIN surfaces come to hundreds of megabytes; a
// file past it is refused before it is read.
inline constexpr std::size_t kMaximumFileBytes = std::size_t{1} << 30;

struct FileError {
  std::string file;        // as the user named it
  std::size_t line = 0;    // 1-based; 0 for the file as a whole
  std::size_t column = 0;  // 1-based; 0 for the whole line
  std::string problem;
  // "文件“road.csv”第 5 行第 2 列：“abc”不是数字"
  std::string message() const;
};

template <typename T>
struct Loaded {
  T value{};
  std::optional<FileError> error;
  bool ok() const { return !error.has_value(); }
};

}  // namespace vcurve::profile
