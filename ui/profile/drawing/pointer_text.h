#pragma once

// What the status bar says about the place under the pointer, in the stake
// table's words and digits.

#include <QString>
#include <cstddef>

#include "profile/ground_line.h"
#include "profile/profile.h"

namespace vcurve::profileui {

// "K5+120.000  设计高程(m) 123.456  地面高程(m) 120.100  填高(m) 3.356"; the
// ground and the cut or fill only where there is a ground line.
QString hoverText(const profile::Profile& profile, const profile::GroundLine* ground,
                  double station);

// "第 3 点  高程(m) 123.450  纵坡i1 2.10%  纵坡i2 -1.50%" while a point
// is dragged: the grades into and out of it where it is now.
QString dragText(const profile::Profile& preview, std::size_t row);

}  // namespace vcurve::profileui
