#pragma once

// Which labels fit: each one asked for in turn is placed only where it
// overlaps nothing placed before it, so the caller asks for the labels it
// cares about most first. A coarse grid of buckets keeps the test cheap
// when a long profile asks for thousands of labels.

#include <QRectF>
#include <unordered_map>
#include <vector>

namespace vcurve::profileui {

class LabelLayout {
 public:
  // Takes the room of a rectangle when it is free; false when it is not.
  bool place(const QRectF& box);
  // Whether a rectangle is free, without taking it: a cheap first look
  // before a label is measured.
  bool isFree(const QRectF& box) const;
  // Takes room without asking, for things labels must not cover.
  void reserve(const QRectF& box);

 private:
  static constexpr double kBucket = 64;  // pixels
  template <typename Visit>
  void forEachBucket(const QRectF& box, Visit visit) const;

  std::vector<QRectF> boxes_;
  std::unordered_map<long long, std::vector<std::size_t>> buckets_;
};

}  // namespace vcurve::profileui
