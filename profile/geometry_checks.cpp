#include "profile/geometry_checks.h"

#include <limits>

namespace vcurve::profile {

std::vector<Finding> checkGeometry(const Profile& profile) {
  // Limits nothing can break, so that only the rules that do not depend on
  // a design speed remain.
  static const SpeedLimits kNoLimits = [] {
    SpeedLimits limits;
    limits.maximumGrade = std::numeric_limits<double>::infinity();
    return limits;
  }();
  static const DesignCode kNoCode = [] {
    DesignCode code;
    code.speeds = {&kNoLimits, 1};
    return code;
  }();
  return checkProfile(profile, kNoCode, kNoLimits);
}

}  // namespace vcurve::profile
