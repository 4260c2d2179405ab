// Arbitrary bytes as LandXML: refused with a place, or read into a profile
// that is written out and read back the same.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profile/landxml.h"

using namespace vcurve::profile;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  landXmlProfileNames(text, "p.xml");
  const auto read = readLandXml(text, "p.xml");
  if (!read.ok()) {
    require(!read.error->problem.empty());
    return 0;
  }
  const Profile profile(read.value.points);
  require(profile.usable());
  const GroundLine ground(read.value.ground.empty() ? std::vector<GroundPoint>{{0, 0}, {1, 0}}
                                                    : read.value.ground);
  const auto back =
      readLandXml(landXml(profile, &ground, {"n", "g", "2024-01-01", "00:00:00", {}}), "back.xml");
  require(back.ok());
  require(back.value.points.size() == read.value.points.size());
  for (std::size_t k = 0; k < profile.size(); ++k) {
    const ProfilePoint& a = read.value.points[k];
    const ProfilePoint& b = back.value.points[k];
    require(a.station == b.station && a.elevation == b.elevation);
    // A radius makes a curve only where the grade breaks; only there is it kept.
    const double kept = profile.rows()[k].curve ? a.radius : 0;
    require(std::fabs(b.radius - kept) <= 1e-12 * kept);
  }
  require(back.value.ground == ground.points());
  return 0;
}
