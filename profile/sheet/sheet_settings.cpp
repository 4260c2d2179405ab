#include "profile/sheet/sheet_settings.h"

#include "core/numeric_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vcurve::profile::sheet {
namespace {

struct PaperEntry {
  Paper paper;
  std::string_view name;
  PaperSize size;
};
// GB/T 14689 sizes, landscape.
constexpr std::array<PaperEntry, 4> kPapers{{{Paper::A4, "A4", {297, 210}},
                                             {Paper::A3, "A3", {420, 297}},
                                             {Paper::A2, "A2", {594, 420}},
                                             {Paper::A1, "A1", {841, 594}}}};

struct RowEntry {
  BandRowKind kind;
  std::string_view key, title;
};
constexpr std::array<RowEntry, kBandRowKinds> kRows{{
    {BandRowKind::Station, "station", "里程桩号"},
    {BandRowKind::Ground, "ground", "地面高程"},
    {BandRowKind::Design, "design", "设计高程"},
    {BandRowKind::FillCut, "fillcut", "填挖高度"},
    {BandRowKind::Grade, "grade", "坡度(%)/坡长(m)"},
    {BandRowKind::Geology, "geology", "地质概况"},
    {BandRowKind::Curve, "curve", "竖曲线"},
    {BandRowKind::Alignment, "alignment", "直线及平曲线"},
    {BandRowKind::Superelevation, "superelevation", "超高"},
}};

// Heights a row's text needs: the station's chainage written upright is
// the longest.
double defaultHeight(BandRowKind kind) {
  switch (kind) {
    case BandRowKind::Station:
      return 22;
    case BandRowKind::Ground:
    case BandRowKind::Design:
      return 15;
    case BandRowKind::FillCut:
      return 14;
    default:
      return 10;
  }
}

constexpr double kLeastRow = 5, kMostRow = 60;

}  // namespace

PaperSize paperSize(Paper paper) { return kPapers[static_cast<std::size_t>(paper)].size; }
std::string_view paperName(Paper paper) { return kPapers[static_cast<std::size_t>(paper)].name; }
std::optional<Paper> paperFromName(std::string_view name) {
  for (const PaperEntry& entry : kPapers) {
    if (name == entry.name || (name.size() == 2 && name[0] == 'a' && name[1] == entry.name[1])) {
      return entry.paper;
    }
  }
  return std::nullopt;
}

std::string_view bandRowTitle(BandRowKind kind) {
  return kRows[static_cast<std::size_t>(kind)].title;
}
std::string_view bandRowKey(BandRowKind kind) { return kRows[static_cast<std::size_t>(kind)].key; }
std::optional<BandRowKind> bandRowFromKey(std::string_view key) {
  for (const RowEntry& entry : kRows) {
    if (key == entry.key) return entry.kind;
  }
  return std::nullopt;
}

std::vector<BandRow> defaultBandRows() {
  std::vector<BandRow> rows;
  for (const BandRowKind kind : {BandRowKind::Station, BandRowKind::Ground, BandRowKind::Design,
                                 BandRowKind::FillCut, BandRowKind::Grade}) {
    rows.push_back({kind, defaultHeight(kind)});
  }
  return rows;
}

std::vector<BandRow> parseBandRows(std::string_view text, std::string* problem) {
  std::vector<BandRow> rows;
  std::array<bool, kBandRowKinds> seen{};
  const auto fail = [&](std::string why) {
    if (problem != nullptr) *problem = std::move(why);
    return std::vector<BandRow>{};
  };
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    const std::size_t colon = item.find(':');
    const std::string_view key = item.substr(0, colon);
    const auto kind = bandRowFromKey(key);
    if (!kind) return fail("“" + std::string(key) + "”不是资料表的栏目");
    if (seen[static_cast<std::size_t>(*kind)]) {
      return fail("栏目“" + std::string(key) + "”重复");
    }
    seen[static_cast<std::size_t>(*kind)] = true;
    double height = defaultHeight(*kind);
    if (colon != std::string_view::npos) {
      const std::string_view given = item.substr(colon + 1);
      // Plain decimals only, as the settings line writes them.
      const bool plain = given.find_first_not_of("0123456789.") == std::string_view::npos;
      const auto read = plain ? NumberFromText(given) : std::nullopt;
      if (read) height = *read;
      if (!read || !(height >= kLeastRow) || !(height <= kMostRow)) {
        return fail("栏目“" + std::string(key) + "”的高度须在 5 与 60 mm 之间");
      }
    }
    rows.push_back({*kind, height});
  }
  if (rows.empty()) return fail("资料表至少要有一栏");
  return rows;
}

std::string bandRowsText(const std::vector<BandRow>& rows) {
  std::string text;
  for (const BandRow& row : rows) {
    if (!text.empty()) text += ',';
    text += bandRowKey(row.kind);
    if (row.height != defaultHeight(row.kind)) {
      text += ':';
      text += ShortestFixedText(row.height);
    }
  }
  return text;
}

std::string settingsProblem(const SheetSettings& settings) {
  const auto scaleOk = [](double n) { return n >= 10 && n <= 100000; };
  if (!scaleOk(settings.horizontalScale)) return "水平比例须在 1:10 与 1:100000 之间";
  if (!scaleOk(settings.verticalScale)) return "垂直比例须在 1:10 与 1:100000 之间";
  if (!(settings.overlap >= 0)) return "相邻图幅的重叠长度不能为负";
  if (settings.rows.empty()) return "资料表至少要有一栏";
  double band = 0;
  for (const BandRow& row : settings.rows) band += row.height;
  // The frame's margins, the title strip and a drawing area the lines and
  // their marks can be read in.
  constexpr double kLeastDrawing = 80, kAroundBand = 10 + 10 + 4;
  if (band > paperSize(settings.paper).height - kAroundBand - kLeastDrawing) {
    return "资料表太高，图纸上放不下纵断面";
  }
  if (settings.from && settings.to && !(*settings.from < *settings.to)) {
    return "出图范围的起点须在终点之前";
  }
  return {};
}

}  // namespace vcurve::profile::sheet
