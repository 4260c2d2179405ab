#include "profile/sheet/dxf_writer.h"

#include <string>

#include "profile/sheet/dxf_out.h"

namespace vcurve::profile::sheet {
namespace {

using namespace dxf;

int lineweight(Stroke stroke) {  // hundredths of a millimetre, a value CAD offers
  switch (stroke) {
    case Stroke::Thin:
      return 18;
    case Stroke::Medium:
      return 35;
    case Stroke::Thick:
      break;
  }
  return 70;
}

// A text as CAD reads it back: a control character would end the value
// early (a newline starts the next group), "^" is DXF's escape for them,

// and "%%" starts AutoCAD's own codes (%%c is ⌀), where "%%%" is one "%".
std::string cadText(std::string_view text) {
  const bool codes = text.find("%%") != std::string_view::npos;
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c == '^') {
      out += "^ ";
    } else if (c == '%' && codes) {
      out += "%%%";
    } else {
      out += c;
    }
  }
  return out;
}

void entity(DxfOut& out, std::string_view type, const Handles& h, Layer layer) {
  out.tag(0, type);
  out.handle();
  out.tag(330, h.modelRecord);
  out.tag(100, "AcDbEntity");
  out.tag(8, layerName(layer));
}

void sheetEntities(DxfOut& out, const Sheet& sheet, double dx, const Handles& h) {
  for (const Polyline& line : sheet.lines) {
    if (line.points.size() == 2) {
      entity(out, "LINE", h, line.layer);
      if (line.dash == Dash::Dashed) out.tag(6, "DASHED");
      out.tag(370, lineweight(line.stroke));
      out.tag(100, "AcDbLine");
      out.point(10, line.points[0].x + dx, line.points[0].y);
      out.point(11, line.points[1].x + dx, line.points[1].y);
      continue;
    }
    entity(out, "LWPOLYLINE", h, line.layer);
    if (line.dash == Dash::Dashed) out.tag(6, "DASHED");
    out.tag(370, lineweight(line.stroke));
    out.tag(100, "AcDbPolyline");
    out.tag(90, static_cast<int>(line.points.size()));
    // The pattern runs on through the vertices rather than restarting at
    // each, as the PDF draws it.
    out.tag(70, line.dash == Dash::Dashed ? 128 : 0);
    for (const Point& p : line.points) {
      out.real(10, p.x + dx);
      out.real(20, p.y);
    }
  }
  for (const Circle& circle : sheet.circles) {
    entity(out, "CIRCLE", h, circle.layer);
    out.tag(370, lineweight(Stroke::Thin));
    out.tag(100, "AcDbCircle");
    out.point(10, circle.centre.x + dx, circle.centre.y);
    out.real(40, circle.radius);
  }
  for (const Text& text : sheet.texts) {
    entity(out, "TEXT", h, text.layer);
    out.tag(100, "AcDbText");
    out.point(10, text.at.x + dx, text.at.y);
    out.real(40, text.height);
    out.tag(1, cadText(text.text));
    if (text.angle != 0) out.real(50, text.angle);
    out.tag(7, kDxfTextStyle);
    out.tag(72, static_cast<int>(text.h));
    out.point(11, text.at.x + dx, text.at.y);
    out.tag(100, "AcDbText");
    out.tag(73, static_cast<int>(text.v) + 1);
  }
}

}  // namespace

bool writeSheetsDxf(const SheetLayout& layout, const std::function<void(std::string_view)>& sink,
                    const std::function<bool(int, int)>& progress) {
  // The header names the next free handle, known only once the entities
  // are written: they go to a first pass kept apart, then the rest.
  std::string entities;
  const std::function<void(std::string_view)> keep = [&](std::string_view block) {
    entities += block;
  };
  DxfOut body(keep);
  Handles h;
  h.ltypeTable = body.reserve();
  h.layerTable = body.reserve();
  h.styleTable = body.reserve();
  h.blockTable = body.reserve();
  h.modelRecord = body.reserve();
  h.paperRecord = body.reserve();
  h.rootDictionary = body.reserve();
  h.groupDictionary = body.reserve();
  const double width = paperSize(layout.settings().paper).width;
  for (int n = 1; n <= layout.count(); ++n) {
    sheetEntities(body, layout.sheet(n), (n - 1) * (width + kDxfSheetGap), h);
    if (progress && !progress(n, layout.count())) return false;
  }
  body.flush();

  DxfOut out(sink);
  out.setSeed(body.seed());
  // The tables take their handles after the entities', fewer than 64.
  header(out, layout, body.seed() + 64);
  tables(out, layout, h);
  section(out, "ENTITIES");
  out.flush();
  sink(entities);
  endSection(out);
  objects(out, h);
  out.tag(0, "EOF");
  out.flush();
  return true;
}

}  // namespace vcurve::profile::sheet
