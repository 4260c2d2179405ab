#include "ui/profile/drawing/view_transform.h"

#include <algorithm>
#include <cmath>

namespace vcurve::profileui {

namespace {

// The span a fit gives a single point or a level line, in metres.
constexpr double kSmallestSpan = 1;

}  // namespace

void ViewTransform::setPlot(const QRectF& plot) {
  // A collapsed widget still maps without dividing by zero.
  plot_ = QRectF(plot.topLeft(), QSizeF(std::max(1.0, plot.width()), std::max(1.0, plot.height())));
  keepToLimits();
}

void ViewTransform::setExaggeration(double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const StationPoint centre = unmap(plot_.center());
  exaggeration_ = factor;
  topElevation_ = centre.elevation + (plot_.height() / 2) * elevationPerPixel();
}

void ViewTransform::setScaleLimits(double finest, double coarsest) {
  if (!(finest > 0) || !(coarsest >= finest)) return;
  finest_ = finest;
  coarsest_ = coarsest;
  metresPerPixel_ = std::clamp(metresPerPixel_, finest_, coarsest_);
  keepToLimits();
}

void ViewTransform::keepStations(double fromStation, double toStation, double margin) {
  if (!std::isfinite(fromStation) || !std::isfinite(toStation) || !(toStation >= fromStation)) {
    limits_.reset();
    return;
  }
  limits_ = StationLimits{fromStation, std::max(toStation, fromStation + kSmallestSpan),
                          std::max(0.0, margin)};
  keepToLimits();
}

double ViewTransform::coarsestInLimits() const {
  if (!limits_) return coarsest_;
  const double width = std::max(1.0, plot_.width() - 2 * limits_->margin);
  return std::clamp((limits_->to - limits_->from) / width, finest_, coarsest_);
}

void ViewTransform::keepToLimits() {
  if (!limits_) return;
  metresPerPixel_ = std::clamp(metresPerPixel_, finest_, coarsestInLimits());
  const double margin = limits_->margin * metresPerPixel_;
  const double lowest = limits_->from - margin;
  const double highest = limits_->to + margin - plot_.width() * metresPerPixel_;
  // A road narrower than the plot at the finest scale starts at the left.
  leftStation_ = highest < lowest ? lowest : std::clamp(leftStation_, lowest, highest);
}

void ViewTransform::fit(double fromStation, double toStation, double low, double high,
                        double margin) {
  if (!std::isfinite(fromStation) || !std::isfinite(toStation) || !std::isfinite(low) ||
      !std::isfinite(high)) {
    return;
  }
  const double across = std::max(kSmallestSpan, toStation - fromStation);
  const double width = std::max(1.0, plot_.width() - 2 * margin);
  metresPerPixel_ = std::clamp(across / width, finest_, coarsest_);
  const double middleStation = (fromStation + toStation) / 2;
  const double middleElevation = (low + high) / 2;
  leftStation_ = middleStation - (plot_.width() / 2) * metresPerPixel_;
  topElevation_ = middleElevation + (plot_.height() / 2) * elevationPerPixel();
  keepToLimits();
}

double ViewTransform::mapStation(double station) const {
  return plot_.left() + (station - leftStation_) / metresPerPixel_;
}

double ViewTransform::mapElevation(double elevation) const {
  return plot_.top() + (topElevation_ - elevation) / elevationPerPixel();
}

QPointF ViewTransform::map(double station, double elevation) const {
  return {mapStation(station), mapElevation(elevation)};
}

StationPoint ViewTransform::unmap(const QPointF& pixel) const {
  return {leftStation_ + (pixel.x() - plot_.left()) * metresPerPixel_,
          topElevation_ - (pixel.y() - plot_.top()) * elevationPerPixel()};
}

double ViewTransform::leftStation() const { return leftStation_; }
double ViewTransform::rightStation() const {
  return leftStation_ + plot_.width() * metresPerPixel_;
}
double ViewTransform::bottomElevation() const {
  return topElevation_ - plot_.height() * elevationPerPixel();
}

void ViewTransform::zoomAbout(const QPointF& pixel, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const StationPoint fixed = unmap(pixel);
  metresPerPixel_ = std::clamp(metresPerPixel_ / factor, finest_, coarsest_);
  leftStation_ = fixed.station - (pixel.x() - plot_.left()) * metresPerPixel_;
  topElevation_ = fixed.elevation + (pixel.y() - plot_.top()) * elevationPerPixel();
  keepToLimits();
}

void ViewTransform::pan(const QPointF& offset) {
  leftStation_ -= offset.x() * metresPerPixel_;
  topElevation_ += offset.y() * elevationPerPixel();
  keepToLimits();
}

int pointerPlaces(double metresPerPixel) {
  if (!(metresPerPixel > 0)) return 3;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(metresPerPixel) - 1e-9)), 0, 3);
}

}  // namespace vcurve::profileui
