#include "ui/profile/drawing/label_layout.h"

#include <cmath>

namespace vcurve::profileui {

template <typename Visit>
void LabelLayout::forEachBucket(const QRectF& box, Visit visit) const {
  const auto cell = [](double v) { return static_cast<long long>(std::floor(v / kBucket)); };
  for (long long x = cell(box.left()); x <= cell(box.right()); ++x) {
    for (long long y = cell(box.top()); y <= cell(box.bottom()); ++y) {
      visit((x << 32) ^ (y & 0xffffffffLL));
    }
  }
}

bool LabelLayout::place(const QRectF& box) {
  const bool free = isFree(box);
  if (free) reserve(box);
  return free;
}

bool LabelLayout::isFree(const QRectF& box) const {
  bool free = true;
  forEachBucket(box, [&](long long key) {
    if (!free) return;
    const auto found = buckets_.find(key);
    if (found == buckets_.end()) return;
    for (const std::size_t i : found->second) {
      if (boxes_[i].intersects(box)) {
        free = false;
        return;
      }
    }
  });
  return free;
}

void LabelLayout::reserve(const QRectF& box) {
  // Boxes far off screen (a label of a point the user zoomed away from)
  // would only fill the map with buckets nobody looks at.
  if (!box.isValid() || std::fabs(box.left()) > 1e6 || std::fabs(box.top()) > 1e6 ||
      box.width() > 1e5 || box.height() > 1e5) {
    return;
  }
  boxes_.push_back(box);
  forEachBucket(box, [&](long long key) { buckets_[key].push_back(boxes_.size() - 1); });
}

}  // namespace vcurve::profileui
