#pragma once

// A station the user went to from a table or the reverse lookup, marked
// on the drawing until another is: a line across the plot, the design and
// ground points on it and the chainage above, in a colour of its own so
// that it is not taken for the pointer's line.

#include <QFont>
#include <QPainter>
#include <optional>

#include "profile/ground_line.h"
#include "profile/profile.h"
#include "ui/profile/drawing/view_transform.h"

namespace vcurve::profileui {

void paintStationMark(QPainter& painter, const ViewTransform& view, const profile::Profile& profile,
                      const profile::GroundLine* ground, double station, const QFont& font);

// The pixel offset that brings the station (and its design point, if the
// profile has one there) into the middle of the plot, or none when it is
// already in view.
std::optional<QPointF> offsetToShow(const ViewTransform& view, const profile::Profile& profile,
                                    double station);

}  // namespace vcurve::profileui
