#pragma once

// Where stations and elevations land on the screen: one horizontal scale in
// metres per pixel, the vertical scale that much finer by the exaggeration,
// and the station and elevation at the plot's top-left corner. Zooming keeps
// the point under the cursor where it is, so the user never loses the place
// they zoomed into.

#include <QPointF>
#include <QRectF>
#include <optional>

namespace vcurve::profileui {

// A station and elevation, in metres.
struct StationPoint {
  double station = 0;
  double elevation = 0;
};

class ViewTransform {
 public:
  // The area drawn into, in widget pixels.
  void setPlot(const QRectF& plot);
  const QRectF& plot() const { return plot_; }

  // Elevations are drawn this many times the scale of stations. Changing it
  // keeps the plot's centre where it is.
  void setExaggeration(double factor);
  double exaggeration() const { return exaggeration_; }

  // Metres of station per pixel, and of elevation per pixel.
  double metresPerPixel() const { return metresPerPixel_; }
  double elevationPerPixel() const { return metresPerPixel_ / exaggeration_; }

  // The scale is held between these, so that neither a long wheel spin nor
  // a tiny profile can make the view degenerate.
  void setScaleLimits(double finest, double coarsest);

  // The view keeps to the road: it zooms out no further than to show
  // these stations whole and pans no further than their ends, `margin`
  // pixels beyond them, so that the axis never runs into chainage the road
  // does not have. Without limits it goes anywhere.
  void keepStations(double fromStation, double toStation, double margin);

  // The stations given across the plot's width, a margin in pixels either
  // side, and the elevations centred; a span of zero (one point, a level
  // profile) gets a small one so that the view never divides by it. The
  // width wins over the height: at a large exaggeration a tall profile
  // runs off the top and bottom rather than the view shrinking into
  // stations the road does not have.
  void fit(double fromStation, double toStation, double low, double high, double margin);

  QPointF map(double station, double elevation) const;
  double mapStation(double station) const;
  double mapElevation(double elevation) const;
  StationPoint unmap(const QPointF& pixel) const;

  // The stations across the plot, left to right.
  double leftStation() const;
  double rightStation() const;
  double topElevation() const { return topElevation_; }
  double bottomElevation() const;

  // Magnifies by factor (> 1 zooms in) keeping the point under pixel fixed.
  void zoomAbout(const QPointF& pixel, double factor);
  // Moves the drawing with the pointer by a pixel offset.
  void pan(const QPointF& offset);

 private:
  QRectF plot_{0, 0, 100, 100};
  double exaggeration_ = 10;
  double metresPerPixel_ = 1;
  double finest_ = 1e-3;
  double coarsest_ = 1e6;
  double leftStation_ = 0;
  double topElevation_ = 0;

  struct StationLimits {
    double from = 0, to = 0, margin = 0;
  };
  std::optional<StationLimits> limits_;
  double coarsestInLimits() const;
  void keepToLimits();
};

// The step a pointer position is worth: the coarsest of 1 m, 0.1 m, 0.01 m
// and 1 mm that is no bigger than one pixel, as decimal places (0 to 3), so
// that a dragged or hovered value shows no digits the pointer cannot set.
int pointerPlaces(double metresPerPixel);

}  // namespace vcurve::profileui
