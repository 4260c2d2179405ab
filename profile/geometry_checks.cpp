#include "profile/geometry_checks.h"

#include <limits>

namespace vcurve::profile {

std::vector<Finding> checkGeometry(const Profile& profile) {
  // Limits nothing can break, so that only the rules that do not depend on
  // a design speed remain.
  static constexpr SpeedLimits kNoLimits{0, {}, {}, {}, std::numeric_limits<double>::infinity(),
                                         0, {}};
  static constexpr DesignCode kNoCode{"", "", {&kNoLimits, 1}, 0};
  return checkProfile(profile, kNoCode, kNoLimits);
}

}  // namespace vcurve::profile
