#pragma once

// One member of a zip file (an Excel workbook), found through its central
// directory and inflated: enough to look inside what the programs write.

#include <zlib.h>

#include <cstdint>
#include <string>

namespace vcurve::testing {

inline std::uint32_t zipNumber(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

// Empty when the zip has no member of that name.
inline std::string zipMember(const std::string& zip, const std::string& name) {
  const std::size_t end = zip.rfind(std::string("PK\5\6", 4));
  if (end == std::string::npos) return {};
  std::size_t at = zipNumber(zip, end + 16, 4);
  for (std::uint32_t n = zipNumber(zip, end + 10, 2); n > 0; --n) {
    const std::size_t nameLength = zipNumber(zip, at + 28, 2);
    const std::size_t skip = nameLength + zipNumber(zip, at + 30, 2) + zipNumber(zip, at + 32, 2);
    if (zip.compare(at + 46, nameLength, name) == 0) {
      const std::size_t local = zipNumber(zip, at + 42, 4);
      const std::size_t data =
          local + 30 + zipNumber(zip, local + 26, 2) + zipNumber(zip, local + 28, 2);
      const std::string packed = zip.substr(data, zipNumber(zip, at + 20, 4));
      if (zipNumber(zip, at + 10, 2) == 0) return packed;
      std::string out(zipNumber(zip, at + 24, 4), '\0');
      z_stream z{};
      inflateInit2(&z, -15);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
      z.avail_in = static_cast<uInt>(packed.size());
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      inflate(&z, Z_FINISH);
      inflateEnd(&z);
      return out;
    }
    at += 46 + skip;
  }
  return {};
}

}  // namespace vcurve::testing
