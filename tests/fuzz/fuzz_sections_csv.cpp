// Arbitrary bytes as a cross-section file: every row refused with its line,
// or read into sections that stand, give finite heights and write back to
// the same rows.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sections/sections_csv.h"

using namespace vcurve;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A 短链 and a 长链, so that field stations of every kind are met.
  const profile::ChainageEquations chainage({{1180, 1200}, {2300, 2290}});
  const sections::LoadedSections loaded = sections::readSectionsCsv(bytes, "f.csv", chainage);
  for (const auto& error : loaded.errors) require(!error.problem.empty());
  require(sections::Sections::problems(loaded.rows.templates, loaded.rows.curves).empty());
  const sections::Sections read(loaded.rows.templates, loaded.rows.curves);
  for (const auto& t : read.templates()) {
    for (int i = 0; i <= 8; ++i) {
      const double station = t.from + (t.to - t.from) * i / 8;
      const auto section = read.at(station);
      require(section.has_value());
      require(std::isfinite(section->heightAt(-7.5)) && std::isfinite(section->heightAt(7.5)));
    }
  }
  const sections::LoadedSections again =
      sections::readSectionsCsv(sections::sectionsCsv(read, chainage), "f.csv", chainage);
  if (!read.empty()) {
    require(again.ok());
    require(again.rows.templates.size() == read.templates().size());
    require(again.rows.curves.size() == read.curves().size());
  }
  return 0;
}
