#pragma once

// The DXF writer's own tools: a buffered group-code writer with handles,
// and the file's fixed parts (header, tables, blocks, objects) around the
// entities dxf_writer.cpp writes.

#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/numeric_text.h"
#include "profile/sheet/sheet_layout.h"

namespace vcurve::profile::sheet::dxf {

class DxfOut {
 public:
  explicit DxfOut(const std::function<void(std::string_view)>& sink) : sink_(sink) {
    buffer_.reserve(kBlock + 4096);
  }
  ~DxfOut() = default;

  void tag(int code, std::string_view value) {
    number(code);
    buffer_ += '\n';
    buffer_ += value;
    buffer_ += '\n';
    if (buffer_.size() > kBlock) flush();
  }
  void tag(int code, int value) { tag(code, std::string_view(std::to_string(value))); }
  void real(int code, double value) { tag(code, std::string_view(FixedText(value, 4))); }
  void point(int code, double x, double y) {
    real(code, x);
    real(code + 10, y);
    real(code + 20, 0);
  }
  // A new handle, written under code 5 (or another, DIMSTYLE's 105).
  std::string handle(int code = 5) {
    std::string h = hex(next_++);
    tag(code, h);
    return h;
  }
  std::string reserve() { return hex(next_++); }
  std::uint64_t seed() const { return next_; }
  void setSeed(std::uint64_t next) { next_ = next; }

  void flush() {
    if (!buffer_.empty()) sink_(buffer_);
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kBlock = 1 << 20;
  static std::string hex(std::uint64_t value) {
    char text[20];
    const auto end = std::to_chars(text, text + sizeof text, value, 16).ptr;
    std::string h(text, end);
    for (char& c : h) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return h;
  }
  void number(int code) {
    char text[12];
    const auto end = std::to_chars(text, text + sizeof text, code).ptr;
    buffer_.append(text, end);
  }

  const std::function<void(std::string_view)>& sink_;
  std::string buffer_;
  std::uint64_t next_ = 0x20;
};

// written.
struct Handles {
  std::string ltypeTable, layerTable, styleTable, blockTable;
  std::string modelRecord, paperRecord, rootDictionary, groupDictionary;
};

// CAD colours by layer: every entity is BYLAYER, so a user restyles a
// kind of content in one place.
inline constexpr std::array<int, kLayers> kLayerColours{7, 7, 1, 3, 5, 7, 8, 6};

void section(DxfOut& out, std::string_view name);
void endSection(DxfOut& out);
// The header names the next free handle, seed.
void header(DxfOut& out, const SheetLayout& layout, std::uint64_t seed);
// The tables, then the two blocks every drawing has.
void tables(DxfOut& out, const SheetLayout& layout, const Handles& h);
void objects(DxfOut& out, const Handles& h);

}  // namespace vcurve::profile::sheet::dxf
