#pragma once

// One pass over a LandXML file that keeps only what the profile reader
// uses: the units, and under Alignments each alignment's name, 断链,
// profiles, design lines, ground lines and road settings. A suite's TIN
// surfaces, plan geometry and everything else are read past and never
// stored, so that memory follows the profiles, not the file's size.

#include <cstddef>
#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>

#include "profile/landxml.h"

namespace vcurve::profile {

// The names a design profile can be chosen by, as the file gives them.
struct ProfileKey {
  std::size_t index = 0;  // among the file's design profiles, in file order
  std::string_view alignment, profile, profAlign;
};

// Whether a profile's ground line is to be kept; the design lines, which
// the names are made of, are kept whatever it says.
using KeepGround = std::function<bool(const ProfileKey&)>;

struct KeptLandXml {
  pugi::xml_document document;  // the kept elements, as the file has them
  // Where an element's name begins in the file's bytes; -1 when unknown.
  std::ptrdiff_t offset(const pugi::xml_node& node) const;
  std::unordered_map<const void*, std::ptrdiff_t> offsets;
  bool utf16 = false;  // offsets count UTF-16 bytes
};

struct XmlProblem {
  std::ptrdiff_t offset = 0;  // in the file's bytes
  std::string problem;
};

// The file's kept elements, or where and why it is not well-formed XML.
// External entities are never fetched, and a file that declares entities
// is refused rather than expanded.
std::optional<XmlProblem> keepLandXml(std::string_view bytes, const KeepGround& keepGround,
                                      KeptLandXml& kept, const ReadProgress& progress = {});

}  // namespace vcurve::profile
