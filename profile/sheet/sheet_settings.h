#pragma once

// What the user chooses for a set of 纵断面图 sheets: scales, paper, the
// band's rows and the title block's texts. Kept with the window's settings
// and given on the command line; the layout takes it as it is.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vcurve::profile::sheet {

enum class Paper { A4, A3, A2, A1 };
struct PaperSize {
  double width = 420, height = 297;  // landscape, millimetres
};
PaperSize paperSize(Paper paper);
std::string_view paperName(Paper paper);  // "A3"
std::optional<Paper> paperFromName(std::string_view name);

// The band's rows, named as the sheet titles them.
enum class BandRowKind {
  Station,         // 里程桩号
  Ground,          // 地面高程
  Design,          // 设计高程
  FillCut,         // 填挖高度
  Grade,           // 坡度(%)/坡长(m)
  Geology,         // 地质概况
  Curve,           // 竖曲线
  Alignment,       // 直线及平曲线, filled in by hand
  Superelevation,  // 超高, filled in by hand
};
inline constexpr std::size_t kBandRowKinds = 9;
std::string_view bandRowTitle(BandRowKind kind);
std::string_view bandRowKey(BandRowKind kind);  // "station", "ground", ... for files and options
std::optional<BandRowKind> bandRowFromKey(std::string_view key);

struct BandRow {
  BandRowKind kind = BandRowKind::Station;
  double height = 15;  // mm
};
// Bottom to top, as the sheet stacks them.
std::vector<BandRow> defaultBandRows();
// "station,ground,design:18,fillcut,grade": keys bottom to top, a height
// after a colon; empty on a fault, with the reason in *problem.
std::vector<BandRow> parseBandRows(std::string_view text, std::string* problem);
std::string bandRowsText(const std::vector<BandRow>& rows);

// 地质概况 is free text over a station range.
struct GeologyNote {
  double from = 0, to = 0;
  std::string text;
};

// 断链: where the chainage jumps. Drawn as a vertical line with 前=后 and
// its kind; the profile does not know them yet, the caller may give them.
struct EquationMark {
  double station = 0;       // on the drawing, in the profile's stations
  std::string back, ahead;  // the chainages written on each side
  double length = 0;        // > 0 for 长链, < 0 for 短链
};

struct TitleBlock {
  std::string project;  // 项目名称
  std::string drawingTitle = "路线纵断面图";
  std::string drawingNumber;                // 图号
  std::string date;                         // as the user writes it
  std::string designer, checker, approver;  // 设计, 复核, 审核: empty for a signature
};

struct SheetSettings {
  double horizontalScale = 2000;  // 1:n
  double verticalScale = 200;
  Paper paper = Paper::A3;
  double overlap = 20;             // metres of road repeated at the start of the next sheet
  double interval = 20;            // the band's stations, as the stake table's
  std::optional<double> from, to;  // the stretch drawn; the whole road when absent
  std::vector<BandRow> rows = defaultBandRows();
  bool titlesOnEverySheet = true;  // the rows' titles; the first sheet always has them
  TitleBlock title;
  std::vector<GeologyNote> geology;
  std::vector<EquationMark> equations;
};

// Why settings cannot be laid out, in Chinese; empty when they can.
std::string settingsProblem(const SheetSettings& settings);

}  // namespace vcurve::profile::sheet
