// The 图框 and the 图签: the border GB/T 14689 gives, and the title strip
// along its foot that Chinese road drawings carry, with the fields the
// user fills once and the signatures left empty.

#include <algorithm>
#include <array>
#include <string>

#include "core/numeric_text.h"
#include "profile/sheet/sheet_parts.h"

namespace vcurve::profile::sheet {
namespace {

std::string scaleText(double n) { return "1:" + TextFromNumber(n); }

// A text that fits its cell: smaller rather than over the border.
double fitted(std::string_view text, double height, double room) {
  const double length = textLength(text, height);
  return length > room ? height * room / length : height;
}

struct Cell {
  double share;  // of the strip's width
  std::string label, value;
};

}  // namespace

std::string sheetScaleText(const SheetSettings& settings) {
  return "H " + scaleText(settings.horizontalScale) + " V " + scaleText(settings.verticalScale);
}

void drawFrame(const SheetLayout& layout, const SheetGeometry& g, Sheet& sheet) {
  const SheetSettings& settings = layout.settings();
  const auto box = [&](double x0, double y0, double x1, double y1, Stroke stroke) {
    sheet.lines.push_back(
        {{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, Layer::Frame, stroke, Dash::Solid});
  };
  box(0, 0, g.width, g.height, Stroke::Thin);
  box(g.left, g.bottom, g.right, g.top, Stroke::Thick);
  sheet.line({g.left, g.stripTop}, {g.right, g.stripTop}, Layer::Frame, Stroke::Medium);

  const TitleBlock& title = settings.title;
  const std::array<Cell, 9> cells{{
      {0.20, "项目", title.project},
      {0.14, "", title.drawingTitle},
      {0.08, "设计", title.designer},
      {0.08, "复核", title.checker},
      {0.08, "审核", title.approver},
      {0.10, "图号", title.drawingNumber},
      {0.13, "比例", sheetScaleText(settings)},
      {0.09, "日期", title.date},
      {0.10, "",
       "第 " + std::to_string(sheet.number) + " 页 共 " + std::to_string(sheet.count) + " 页"},
  }};
  const double width = g.right - g.left;
  const double middle = (g.bottom + g.stripTop) / 2;
  double x = g.left;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Cell& cell = cells[i];
    const double cellWidth = cell.share * width;
    if (i + 1 < cells.size()) {
      sheet.line({x + cellWidth, g.bottom}, {x + cellWidth, g.stripTop}, Layer::Frame);
    }
    double textLeft = x + 1.5;
    if (!cell.label.empty()) {
      sheet.text({textLeft, middle}, cell.label, kLabelText, HAlign::Left, VAlign::Middle,
                 Layer::Frame);
      textLeft += textLength(cell.label, kLabelText) + 2;
    }
    if (!cell.value.empty()) {
      const double room = x + cellWidth - 1.5 - textLeft;
      const bool drawingTitle = i == 1;
      const double height = fitted(cell.value, drawingTitle ? kTitleText : kLabelText, room);
      sheet.text({(textLeft + x + cellWidth - 1.5) / 2, middle}, cell.value, height, HAlign::Centre,
                 VAlign::Middle, Layer::Frame);
    }
    x += cellWidth;
  }
}

}  // namespace vcurve::profile::sheet
