#pragma once

// What a 纵断面图 sheet is made of, in paper millimetres with y upwards
// from the sheet's lower-left corner, as CAD has it. The layout computes
// these once; the PDF, the printer and the DXF only draw them, so that no
// writer can disagree with another about a number.

#include <string>
#include <string_view>
#include <vector>

namespace vcurve::profile::sheet {

struct Point {
  double x = 0, y = 0;
};

// One layer per kind of content, so that a CAD user can switch off or
// restyle the band without touching the lines.
enum class Layer { Frame, Band, Design, Ground, CurveMarks, Text, Grid, Equation };
inline constexpr std::size_t kLayers = 8;
std::string_view layerName(Layer layer);

enum class Stroke { Thin, Medium, Thick };
enum class Dash { Solid, Dashed };

struct Polyline {
  std::vector<Point> points;  // two for a plain line
  Layer layer = Layer::Frame;
  Stroke stroke = Stroke::Thin;
  Dash dash = Dash::Solid;
};

struct Circle {
  Point centre;
  double radius = 0;
  Layer layer = Layer::CurveMarks;
};

// Where the anchor sits on the text, in the text's own direction.
enum class HAlign { Left, Centre, Right };
enum class VAlign { Bottom, Middle, Top };

struct Text {
  Point at;
  std::string text;  // UTF-8
  double height = 2.5;
  double angle = 0;  // degrees, anticlockwise; 90 reads from the bottom up
  HAlign h = HAlign::Left;
  VAlign v = VAlign::Bottom;
  Layer layer = Layer::Text;
};

// Stroke widths in millimetres, as the PDF draws them and the DXF gives
// them as lineweights.
double strokeWidth(Stroke stroke);

struct Sheet {
  double width = 420, height = 297;
  int number = 1, count = 1;
  std::vector<Polyline> lines;
  std::vector<Circle> circles;
  std::vector<Text> texts;

  void line(Point a, Point b, Layer layer, Stroke stroke = Stroke::Thin, Dash dash = Dash::Solid) {
    lines.push_back({{a, b}, layer, stroke, dash});
  }
  void text(Point at, std::string s, double height, HAlign h, VAlign v, Layer layer,
            double angle = 0) {
    texts.push_back({at, std::move(s), height, angle, h, v, layer});
  }
};

}  // namespace vcurve::profile::sheet
