#include "core/full_width.h"

namespace vcurve {

std::string asciiForms(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size()) {
      const unsigned char a = byte(0), b = byte(1), c = byte(2);
      // U+FF01..U+FF3F are EF BC 81..BF, U+FF40..U+FF5E are EF BD 80..9E.
      if (a == 0xEF && b == 0xBC && c >= 0x81 && c <= 0xBF) {
        out += static_cast<char>(c - 0x81 + 0x21);
        i += 2;
        continue;
      }
      if (a == 0xEF && b == 0xBD && c >= 0x80 && c <= 0x9E) {
        out += static_cast<char>(c - 0x80 + 0x60);
        i += 2;
        continue;
      }
      if (a == 0xE3 && b == 0x80 && (c == 0x80 || c == 0x82)) {
        out += c == 0x80 ? ' ' : '.';
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace vcurve
