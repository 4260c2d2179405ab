#include "profile/sheet/dxf_out.h"
#include "profile/sheet/dxf_writer.h"

namespace vcurve::profile::sheet::dxf {
namespace {

std::string table(DxfOut& out, std::string_view name, int entries, const std::string& handle = {}) {
  out.tag(0, "TABLE");
  out.tag(2, name);
  std::string h = handle;
  if (h.empty()) {
    h = out.handle();
  } else {
    out.tag(5, h);
  }
  out.tag(330, "0");
  out.tag(100, "AcDbSymbolTable");
  out.tag(70, entries);
  return h;
}

void record(DxfOut& out, std::string_view type, const std::string& owner,
            std::string_view subclass) {
  out.tag(0, type);
  out.handle();
  out.tag(330, owner);
  out.tag(100, "AcDbSymbolTableRecord");
  out.tag(100, subclass);
}

}  // namespace

void section(DxfOut& out, std::string_view name) {
  out.tag(0, "SECTION");
  out.tag(2, name);
}
void endSection(DxfOut& out) { out.tag(0, "ENDSEC"); }

void header(DxfOut& out, const SheetLayout& layout, std::uint64_t seed) {
  const double width = paperSize(layout.settings().paper).width;
  const double height = paperSize(layout.settings().paper).height;
  section(out, "HEADER");
  out.tag(9, "$ACADVER");
  out.tag(1, "AC1021");
  // Only informative from AutoCAD 2007 on, whose strings are UTF-8 whatever
  // it says; 936 is what a Chinese AutoCAD writes there.
  out.tag(9, "$DWGCODEPAGE");
  out.tag(3, "ANSI_936");
  out.tag(9, "$HANDSEED");
  char text[20];
  const auto end = std::to_chars(text, text + sizeof text, seed, 16).ptr;
  std::string h(text, end);
  for (char& c : h) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  out.tag(5, h);
  out.tag(9, "$INSUNITS");
  out.tag(70, 4);  // millimetres
  out.tag(9, "$MEASUREMENT");
  out.tag(70, 1);
  out.tag(9, "$LUNITS");
  out.tag(70, 2);
  out.tag(9, "$LTSCALE");
  out.real(40, 1);
  out.tag(9, "$LWDISPLAY");
  out.tag(290, 1);
  out.tag(9, "$TEXTSTYLE");
  out.tag(7, kDxfTextStyle);
  out.tag(9, "$EXTMIN");
  out.point(10, 0, 0);
  out.tag(9, "$EXTMAX");
  out.point(10, layout.count() * (width + kDxfSheetGap) - kDxfSheetGap, height);
  out.tag(9, "$LIMMIN");
  out.real(10, 0);
  out.real(20, 0);
  out.tag(9, "$LIMMAX");
  out.real(10, width);
  out.real(20, height);
  endSection(out);
  section(out, "CLASSES");
  endSection(out);
}

void tables(DxfOut& out, const SheetLayout& layout, const Handles& h) {
  const double width = paperSize(layout.settings().paper).width;
  const double height = paperSize(layout.settings().paper).height;
  section(out, "TABLES");

  const std::string vports = table(out, "VPORT", 1);
  record(out, "VPORT", vports, "AcDbViewportTableRecord");
  out.tag(2, "*ACTIVE");
  out.tag(70, 0);
  out.real(10, 0);
  out.real(20, 0);
  out.real(11, 1);
  out.real(21, 1);
  out.real(12, width / 2);  // the first sheet fills the window
  out.real(22, height / 2);
  out.real(40, height * 1.05);
  out.real(41, width / height);
  out.tag(0, "ENDTAB");

  table(out, "LTYPE", 4, h.ltypeTable);
  for (const std::string_view name : {"ByBlock", "ByLayer", "Continuous"}) {
    record(out, "LTYPE", h.ltypeTable, "AcDbLinetypeTableRecord");
    out.tag(2, name);
    out.tag(70, 0);
    out.tag(3, name == "Continuous" ? "Solid line" : "");
    out.tag(72, 65);
    out.tag(73, 0);
    out.real(40, 0);
  }
  // Dashes in paper millimetres, since the drawing is at 1:1 on paper.
  record(out, "LTYPE", h.ltypeTable, "AcDbLinetypeTableRecord");
  out.tag(2, "DASHED");
  out.tag(70, 0);
  out.tag(3, "__ __ __");
  out.tag(72, 65);
  out.tag(73, 2);
  out.real(40, 4.5);
  out.real(49, 3);
  out.tag(74, 0);
  out.real(49, -1.5);
  out.tag(74, 0);
  out.tag(0, "ENDTAB");

  table(out, "LAYER", static_cast<int>(kLayers) + 1, h.layerTable);
  const auto layer = [&](std::string_view name, int colour) {
    record(out, "LAYER", h.layerTable, "AcDbLayerTableRecord");
    out.tag(2, name);
    out.tag(70, 0);
    out.tag(62, colour);
    out.tag(6, "Continuous");
    out.tag(370, -3);
  };
  layer("0", 7);
  for (std::size_t i = 0; i < kLayers; ++i) {
    layer(layerName(static_cast<Layer>(i)), kLayerColours[i]);
  }
  out.tag(0, "ENDTAB");

  table(out, "STYLE", 2, h.styleTable);
  const auto style = [&](std::string_view name, std::string_view font) {
    record(out, "STYLE", h.styleTable, "AcDbTextStyleTableRecord");
    out.tag(2, name);
    out.tag(70, 0);
    out.real(40, 0);
    out.real(41, 1);
    out.real(50, 0);
    out.tag(71, 0);
    out.real(42, 2.5);
    out.tag(3, font);
    out.tag(4, "");
  };
  style("Standard", "txt");
  style(kDxfTextStyle, kDxfFont);
  out.tag(0, "ENDTAB");

  table(out, "VIEW", 0);
  out.tag(0, "ENDTAB");
  table(out, "UCS", 0);
  out.tag(0, "ENDTAB");

  const std::string appids = table(out, "APPID", 1);
  record(out, "APPID", appids, "AcDbRegAppTableRecord");
  out.tag(2, "ACAD");
  out.tag(70, 0);
  out.tag(0, "ENDTAB");

  const std::string dimstyles = table(out, "DIMSTYLE", 1);
  out.tag(100, "AcDbDimStyleTable");
  out.tag(0, "DIMSTYLE");
  out.handle(105);
  out.tag(330, dimstyles);
  out.tag(100, "AcDbSymbolTableRecord");
  out.tag(100, "AcDbDimStyleTableRecord");
  out.tag(2, "Standard");
  out.tag(70, 0);
  out.tag(0, "ENDTAB");

  table(out, "BLOCK_RECORD", 2, h.blockTable);
  for (const auto& [name, handle] :
       {std::pair{"*Model_Space", h.modelRecord}, std::pair{"*Paper_Space", h.paperRecord}}) {
    out.tag(0, "BLOCK_RECORD");
    out.tag(5, handle);
    out.tag(330, h.blockTable);
    out.tag(100, "AcDbSymbolTableRecord");
    out.tag(100, "AcDbBlockTableRecord");
    out.tag(2, name);
  }
  out.tag(0, "ENDTAB");
  endSection(out);

  section(out, "BLOCKS");
  for (const auto& [name, owner] :
       {std::pair{"*Model_Space", h.modelRecord}, std::pair{"*Paper_Space", h.paperRecord}}) {
    const bool paper = owner == h.paperRecord;
    out.tag(0, "BLOCK");
    out.handle();
    out.tag(330, owner);
    out.tag(100, "AcDbEntity");
    if (paper) out.tag(67, 1);
    out.tag(8, "0");
    out.tag(100, "AcDbBlockBegin");
    out.tag(2, name);
    out.tag(70, 0);
    out.point(10, 0, 0);
    out.tag(3, name);
    out.tag(1, "");
    out.tag(0, "ENDBLK");
    out.handle();
    out.tag(330, owner);
    out.tag(100, "AcDbEntity");
    if (paper) out.tag(67, 1);
    out.tag(8, "0");
    out.tag(100, "AcDbBlockEnd");
  }
  endSection(out);
}

void objects(DxfOut& out, const Handles& h) {
  section(out, "OBJECTS");
  out.tag(0, "DICTIONARY");
  out.tag(5, h.rootDictionary);
  out.tag(330, "0");
  out.tag(100, "AcDbDictionary");
  out.tag(281, 1);
  out.tag(3, "ACAD_GROUP");
  out.tag(350, h.groupDictionary);
  out.tag(0, "DICTIONARY");
  out.tag(5, h.groupDictionary);
  out.tag(330, h.rootDictionary);
  out.tag(100, "AcDbDictionary");
  out.tag(281, 1);
  endSection(out);
}

}  // namespace vcurve::profile::sheet::dxf
