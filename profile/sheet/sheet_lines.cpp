// The part of a sheet above the band: the design and ground lines at the
// sheet's scales, over an elevation axis that breaks and starts again
// where a long climb would leave the paper, as hand-drawn sheets do,
// rather than shrinking the vertical scale.

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "profile/profile_text.h"
#include "profile/sheet/sheet_parts.h"

namespace vcurve::profile::sheet {
namespace {

// Room kept free above the lines for the curves' brackets and their PVI
// texts, and below them above the band; less on a small drawing.
constexpr double kRoomAbove = 40, kRoomBelow = 8;
// The axis breaks no sooner than this after the last break: a line that
// leaves a stretch so short is cut at the border instead.
constexpr double kLeastSegment = 30;  // mm
constexpr double kBracketRise = 20;   // mm above the PVI or the curve, whichever is higher
constexpr double kCircle = 1.0;

// A stretch drawn on one elevation datum: the elevation at the foot of
// the drawing area.
struct Segment {
  double from = 0, to = 0, datum = 0;
};

struct Span {
  double station = 0, low = 0, high = 0;
};

std::vector<Span> heights(const Profile& profile, const GroundLine* ground,
                          const SheetGeometry& g) {
  std::vector<double> stations;
  const double step = 1 / g.along;
  for (double s = g.start; s < g.end; s += step) stations.push_back(s);
  stations.push_back(g.end);
  if (ground != nullptr) {
    for (const GroundPoint& p : ground->points()) {
      if (p.station > g.start && p.station < g.end) stations.push_back(p.station);
    }
  }
  // The PVIs are drawn too: a tall crest's lies well above its curve.
  for (const ProfilePoint& p : profile.points()) {
    if (p.station > g.start && p.station < g.end) stations.push_back(p.station);
  }
  std::sort(stations.begin(), stations.end());
  std::vector<Span> spans;
  for (const double s : stations) {
    std::optional<double> low, high;
    for (const auto z :
         {profile.elevationAt(s), ground != nullptr ? ground->elevationAt(s) : std::nullopt}) {
      if (!z) continue;
      low = low ? std::min(*low, *z) : *z;
      high = high ? std::max(*high, *z) : *z;
    }
    if (low) spans.push_back({s, *low, *high});
  }
  for (const ProfilePoint& p : profile.points()) {
    const auto span = std::lower_bound(spans.begin(), spans.end(), p.station,
                                       [](const Span& a, double s) { return a.station < s; });
    if (span != spans.end() && span->station == p.station) {
      span->low = std::min(span->low, p.elevation);
      span->high = std::max(span->high, p.elevation);
    }
  }
  return spans;
}

std::vector<Segment> segments(const std::vector<Span>& spans, const SheetGeometry& g, double room,
                              double least) {
  std::vector<Segment> result;
  if (spans.empty()) return {{g.start, g.end, 0}};
  const auto close = [&](double from, double to, double low, double high) {
    // On a whole metre, so that the axis labels are round.
    const double datum = std::floor((low + high) / 2 - room / 2);
    result.push_back({from, to, datum});
  };
  double from = g.start, low = spans[0].low, high = spans[0].high;
  for (const Span& span : spans) {
    const double newLow = std::min(low, span.low), newHigh = std::max(high, span.high);
    if (newHigh - newLow > room && span.station - from >= least) {
      close(from, span.station, low, high);
      from = span.station;
      low = span.low;
      high = span.high;
    } else {
      low = newLow;
      high = newHigh;
    }
  }
  close(from, g.end, low, high);
  return result;
}

class Drawer {
 public:
  Drawer(const Profile& profile, const GroundLine* ground, const SheetGeometry& g, Sheet& sheet)
      : profile_(profile), ground_(ground), g_(g), sheet_(sheet) {
    const double height = g.areaTop - g.areaBottom;
    above_ = std::min(kRoomAbove, 0.3 * height);
    below_ = std::min(kRoomBelow, 0.06 * height);
    const double room = (height - above_ - below_) / g.up;
    segments_ = segments(heights(profile, ground, g), g, room, kLeastSegment / g.along);
  }

  void draw(const SheetSettings& settings) {
    for (std::size_t i = 0; i < segments_.size(); ++i) {
      const Segment& segment = segments_[i];
      if (i > 0) {
        sheet_.line({g_.x(segment.from), g_.areaBottom}, {g_.x(segment.from), g_.areaTop - 10},
                    Layer::Grid, Stroke::Thin, Dash::Dashed);
      }
      axis(segment, i == 0 ? g_.plotLeft - 3 : g_.x(segment.from));
      designLine(segment);
      groundLine(segment);
    }
    marks();
    for (const EquationMark& mark : settings.equations) equation(mark);
  }

 private:
  const Segment& segmentAt(double station) const {
    for (const Segment& segment : segments_) {
      if (station <= segment.to) return segment;
    }
    return segments_.back();
  }
  double y(double z, const Segment& segment) const {
    return g_.areaBottom + below_ + (z - segment.datum) * g_.up;
  }
  Point at(double station, double z) const { return {g_.x(station), y(z, segmentAt(station))}; }

  void axis(const Segment& segment, double x) {
    const double step = gridStep(10 / g_.up);
    const double lowest = segment.datum - below_ / g_.up;
    const double highest = segment.datum + (g_.areaTop - 12 - g_.areaBottom - below_) / g_.up;
    sheet_.line({x, y(lowest, segment)}, {x, y(highest, segment)}, Layer::Grid, Stroke::Medium);
    for (double z = std::ceil(lowest / step) * step; z <= highest; z += step) {
      const double yz = y(z, segment);
      sheet_.line({x - 1.5, yz}, {x, yz}, Layer::Grid);
      sheet_.text({x - 2, yz}, axisText(z, step), 2.0, HAlign::Right, VAlign::Middle, Layer::Grid);
    }
    sheet_.text({x, y(highest, segment) + 1.5}, "高程(m)", 2.0, HAlign::Centre, VAlign::Bottom,
                Layer::Grid);
  }

  // The line as far as it stays inside the drawing area, in pieces where
  // it leaves and comes back.
  void polyline(std::vector<Point>& points, Layer layer, Stroke stroke) {
    const double low = g_.areaBottom, high = g_.areaTop - 2;
    std::vector<Point> piece;
    const auto flush = [&] {
      if (piece.size() >= 2) sheet_.lines.push_back({std::move(piece), layer, stroke});
      piece.clear();
    };
    const auto inside = [&](Point p) { return p.y >= low && p.y <= high; };
    const auto cross = [](Point a, Point b, double y) {
      return Point{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Point p = points[i];
      if (i > 0) {
        const Point a = points[i - 1];
        for (const double edge : {low, high}) {
          if ((a.y - edge) * (p.y - edge) < 0) {
            piece.push_back(cross(a, p, edge));
            if (!inside(p)) flush();
          }
        }
      }
      if (inside(p)) piece.push_back(p);
    }
    flush();
    points.clear();
  }

  void designLine(const Segment& segment) {
    std::vector<double> stations{segment.from, segment.to};
    const auto& elements = profile_.elements();
    const double step = 1 / g_.along;
    for (std::size_t e = 0; e < elements.size(); ++e) {
      const double start = elements[e].start;
      const double end = e + 1 < elements.size() ? elements[e + 1].start : profile_.endStation();
      if (end <= segment.from || start >= segment.to) continue;
      if (start > segment.from) stations.push_back(start);
      if (elements[e].kind == ElementKind::Curve) {
        for (double s = std::max(start, segment.from) + step; s < std::min(end, segment.to);
             s += step) {
          stations.push_back(s);
        }
      }
    }
    std::sort(stations.begin(), stations.end());
    std::vector<Point> points;
    for (const double s : stations) {
      if (const auto z = profile_.elevationAt(s)) {
        points.push_back({g_.x(s), y(*z, segment)});
      } else {
        polyline(points, Layer::Design, Stroke::Thick);
      }
    }
    polyline(points, Layer::Design, Stroke::Thick);
  }

  void groundLine(const Segment& segment) {
    if (ground_ == nullptr || ground_->empty()) return;
    std::vector<Point> points;
    const auto add = [&](double s) {
      if (const auto z = ground_->elevationAt(s)) points.push_back({g_.x(s), y(*z, segment)});
    };
    add(segment.from);
    for (const GroundPoint& p : ground_->points()) {
      if (p.station > segment.from && p.station < segment.to) add(p.station);
    }
    add(segment.to);
    polyline(points, Layer::Ground, Stroke::Thin);
  }

  // A leader up (or down) from a point with its name and chainage on one
  // side and its elevation on the other, reading upwards.
  void pointLabel(double station, double z, std::string caption, bool below) {
    const Point p = at(station, z);
    const double length = 16;
    const double y0 = below ? p.y - 1 - length : p.y + 1;
    sheet_.line({p.x, y0}, {p.x, y0 + length}, Layer::CurveMarks);
    sheet_.text({p.x - 0.5, y0 + 0.5}, caption + " " + stationText(station, StationStyle::Chainage),
                2.0, HAlign::Left, VAlign::Bottom, Layer::Text, 90);
    sheet_.text({p.x + 0.5, y0 + 0.5}, fixed3(z), 2.0, HAlign::Left, VAlign::Top, Layer::Text, 90);
  }

  bool onSheet(double station) const { return station >= g_.start && station <= g_.end; }

  void marks() {
    const auto& points = profile_.points();
    const auto& rows = profile_.rows();
    for (std::size_t k = 1; k + 1 < points.size(); ++k) {
      if (onSheet(points[k].station)) pvi(points[k], rows[k]);
      if (const auto& curve = rows[k].curve;
          curve && curve->turnStation && onSheet(*curve->turnStation)) {
        pointLabel(*curve->turnStation, *curve->turnElevation,
                   curve->kind == CurveKind::Crest ? "高点" : "低点", true);
      }
    }
    if (onSheet(points.front().station)) {
      pointLabel(points.front().station, points.front().elevation, "起点", false);
    }
    if (onSheet(points.back().station)) {
      pointLabel(points.back().station, points.back().elevation, "终点", false);
    }
  }

  void pvi(const ProfilePoint& point, const RowDerivation& row) {
    Point p = at(point.station, point.elevation);
    // A PVI further from its curve than the drawing is tall is left out,
    // its texts kept at the curve.
    const bool shown = p.y >= g_.areaBottom && p.y <= g_.areaTop - above_ / 2;
    if (!shown) p.y = std::clamp(p.y, g_.areaBottom, g_.areaTop - above_);
    if (shown) sheet_.circles.push_back({p, kCircle, Layer::CurveMarks});
    double top = p.y + kBracketRise;
    if (row.curve) {
      const VerticalCurve& curve = *row.curve;
      const double clip0 = std::max(curve.startStation, g_.start);
      const double clip1 = std::min(curve.endStation, g_.end);
      const auto tangent = [&](double s) {
        const double fromPvi = s - point.station;
        const double grade =
            s < point.station
                ? (point.elevation - curve.startElevation) / (point.station - curve.startStation)
                : (curve.endElevation - point.elevation) / (curve.endStation - point.station);
        return Point{g_.x(s), p.y + fromPvi * grade * g_.up};
      };
      const Point a = tangent(clip0), b = tangent(clip1);
      const auto inArea = [&](Point q) { return q.y >= g_.areaBottom && q.y <= g_.areaTop; };
      if (shown && inArea(a) && inArea(b)) {
        sheet_.lines.push_back({{a, p, b}, Layer::CurveMarks, Stroke::Thin, Dash::Dashed});
      }
      if (const auto z = profile_.elevationAt(point.station)) {
        top = std::max(top, y(*z, segmentAt(point.station)) + kBracketRise);
      }
      top = std::min(top, g_.areaTop - 8);
      const double tick = curve.kind == CurveKind::Crest ? -2 : 2;
      sheet_.lines.push_back({{{g_.x(clip0), top + tick},
                               {g_.x(clip0), top},
                               {g_.x(clip1), top},
                               {g_.x(clip1), top + tick}},
                              Layer::CurveMarks,
                              Stroke::Medium});
      sheet_.text({p.x, top + 1}, curveLabel(curve), kLabelText, HAlign::Centre, VAlign::Bottom,
                  Layer::Text);
    }
    top = std::min(top, g_.areaTop - 8);
    sheet_.line({p.x, p.y + kCircle}, {p.x, top}, Layer::CurveMarks);
    sheet_.text({p.x - 0.5, p.y + 2}, stationText(point.station, StationStyle::Chainage), 2.0,
                HAlign::Left, VAlign::Bottom, Layer::Text, 90);
    sheet_.text({p.x + 0.5, p.y + 2}, fixed3(point.elevation), 2.0, HAlign::Left, VAlign::Top,
                Layer::Text, 90);
  }

  void equation(const EquationMark& mark) {
    if (!onSheet(mark.station)) return;
    const double x = g_.x(mark.station);
    sheet_.line({x, g_.areaBottom}, {x, g_.areaTop - 10}, Layer::Equation, Stroke::Medium);
    sheet_.text({x - 0.5, g_.areaBottom + 2}, mark.back + "=" + mark.ahead, kLabelText,
                HAlign::Left, VAlign::Bottom, Layer::Equation, 90);
    sheet_.text({x + 0.5, g_.areaBottom + 2},
                (mark.length >= 0 ? "长链 " : "短链 ") + fixed3(std::fabs(mark.length)) + " m",
                kLabelText, HAlign::Left, VAlign::Top, Layer::Equation, 90);
  }

  const Profile& profile_;
  const GroundLine* ground_;
  const SheetGeometry& g_;
  Sheet& sheet_;
  double above_ = kRoomAbove, below_ = kRoomBelow;
  std::vector<Segment> segments_;
};

}  // namespace

void drawProfile(const SheetLayout& layout, const Profile& profile, const GroundLine* ground,
                 const SheetGeometry& g, Sheet& sheet) {
  Drawer(profile, ground, g, sheet).draw(layout.settings());
}

}  // namespace vcurve::profile::sheet
