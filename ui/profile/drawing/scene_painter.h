#pragma once

// Paints a scene: nothing is decided here but colours and strokes.

#include <QPainter>

#include "ui/profile/drawing/profile_scene.h"

namespace vcurve::profileui {

void paintScene(QPainter& painter, const Scene& scene);

}  // namespace vcurve::profileui
