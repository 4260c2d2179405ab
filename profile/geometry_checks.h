#pragma once

// A profile checked for what no design speed excuses: curves that overlap
// or run past a PVI or an end (there the design elevation is not computed),
// and the notes on radii that do nothing and breaks without a curve. What a
// designer sees when they choose not to check against a design code.

#include <vector>

#include "profile/checks.h"
#include "profile/profile.h"

namespace vcurve::profile {

std::vector<Finding> checkGeometry(const Profile& profile);

}  // namespace vcurve::profile
