#include "profile/sheet/sheet_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace vcurve::profile::sheet {
namespace {

std::shared_ptr<const Profile> road(double length, double rise = 10, double radius = 20000) {
  return std::make_shared<const Profile>(
      std::vector<ProfilePoint>{{0, 100, 0}, {length / 2, 100 + rise, radius}, {length, 100, 0}});
}

// A3 at 1:2000 holds 700 m (35 stakes of 20 m) and repeats 20 m of it on
// the next sheet; a sheet whose new road is under a millimetre of paper
// is no sheet.
TEST(SheetLayout, PagesTheRoadWithOverlap) {
  struct Case {
    double length, scale;
    Paper paper;
    int sheets;
    double stretch;
  };
  const Case cases[] = {
      {700, 2000, Paper::A3, 1, 700},    {701.9, 2000, Paper::A3, 1, 700},
      {703, 2000, Paper::A3, 2, 700},    {1380, 2000, Paper::A3, 2, 700},
      {1383, 2000, Paper::A3, 3, 700},   {100, 2000, Paper::A3, 1, 700},
      {1000, 1000, Paper::A3, 4, 340},   {10000, 2000, Paper::A1, 7, 1520},
      {10000, 2000, Paper::A4, 24, 440},
  };
  for (const Case& c : cases) {
    SheetSettings settings;
    settings.horizontalScale = c.scale;
    settings.paper = c.paper;
    const SheetLayout layout(road(c.length), nullptr, settings);
    SCOPED_TRACE(c.length);
    ASSERT_EQ(layout.count(), c.sheets);
    EXPECT_EQ(layout.sheetStart(1), 0);
    EXPECT_EQ(layout.sheetEnd(c.sheets), c.length);
    for (int n = 1; n < c.sheets; ++n) {
      EXPECT_DOUBLE_EQ(layout.sheetEnd(n) - layout.sheetStart(n), c.stretch);
      EXPECT_DOUBLE_EQ(layout.sheetEnd(n) - layout.sheetStart(n + 1), 20);
    }
  }
}

// Whatever the road, nothing is drawn off the paper or outside the frame's
// margin, and the sheets are numbered.
TEST(SheetLayout, EverythingStaysOnThePaper) {
  for (const auto& [profile, paper] :
       {std::pair{road(3000, 200, 3000), Paper::A3}, std::pair{road(2000, -150, 0), Paper::A4},
        std::pair{road(900, 0.5, 100000), Paper::A1}}) {
    SheetSettings settings;
    settings.paper = paper;
    settings.rows =
        parseBandRows("station,ground,design,fillcut,grade,curve,geology,alignment", nullptr);
    settings.geology = {{100, 600, "砂岩"}};
    const SheetLayout layout(profile, nullptr, settings);
    for (int n = 1; n <= layout.count(); ++n) {
      const Sheet sheet = layout.sheet(n);
      EXPECT_EQ(sheet.count, layout.count());
      const auto inside = [&](Point p) {
        return p.x >= 0 && p.x <= sheet.width && p.y >= 0 && p.y <= sheet.height;
      };
      for (const Polyline& line : sheet.lines) {
        for (const Point& p : line.points) ASSERT_TRUE(inside(p)) << p.x << "," << p.y;
      }
      for (const Text& text : sheet.texts) ASSERT_TRUE(inside(text.at)) << text.text;
      // Nor do the lines run into the band, however steep the road.
      double bandTop = (paper == Paper::A1 ? 10 : 5) + 10;
      for (const BandRow& row : settings.rows) bandTop += row.height;
      for (const Polyline& line : sheet.lines) {
        if (line.layer != Layer::Design && line.layer != Layer::Ground) continue;
        for (const Point& p : line.points) ASSERT_GE(p.y, bandTop - 1e-9) << n;
      }
    }
  }
}

// A climb taller than the drawing area breaks the elevation axis instead
// of leaving the paper; a gentle road keeps one axis.
TEST(SheetLayout, TheAxisBreaksOnlyWhereTheLineWouldLeave) {
  struct Case {
    double rise;
    bool breaks;
  };
  for (const Case c : {Case{10, false}, Case{28, false}, Case{32, true}, Case{-70, true}}) {
    const auto profile = std::make_shared<const Profile>(
        std::vector<ProfilePoint>{{0, 500, 0}, {700, 500 + c.rise, 0}});
    const Sheet sheet = SheetLayout(profile, nullptr, {}).sheet(1);
    const auto breaks = std::count_if(
        sheet.lines.begin(), sheet.lines.end(),
        [](const Polyline& l) { return l.layer == Layer::Grid && l.dash == Dash::Dashed; });
    EXPECT_EQ(breaks > 0, c.breaks) << c.rise;
    const double areaBottom = 15 + 76;  // the title strip and the default band
    for (const Polyline& line : sheet.lines) {
      if (line.layer != Layer::Design) continue;
      for (const Point& p : line.points) {
        EXPECT_GT(p.y, areaBottom) << c.rise;
        EXPECT_LT(p.y, 292) << c.rise;
      }
    }
  }
}

// The bracket's end ticks point down over a crest and up over a sag.
TEST(SheetLayout, CurveBracketsTickTheChineseWay) {
  for (const auto& [rise, down] : {std::pair{4.0, true}, std::pair{-4.0, false}}) {
    const Sheet sheet = SheetLayout(road(600, rise, 10000), nullptr, {}).sheet(1);
    const auto bracket =
        std::find_if(sheet.lines.begin(), sheet.lines.end(), [](const Polyline& l) {
          return l.layer == Layer::CurveMarks && l.points.size() == 4 && l.dash == Dash::Solid;
        });
    ASSERT_NE(bracket, sheet.lines.end());
    EXPECT_EQ(bracket->points[0].y < bracket->points[1].y, down) << rise;
  }
}

TEST(FillCutText, ACutIsNegativeUnlessItRoundsToNothing) {
  struct Case {
    std::optional<double> fill, cut;
    const char* text;
  };
  for (const Case& c : {Case{1.2345, std::nullopt, "1.234"}, Case{std::nullopt, 2.5, "-2.500"},
                        Case{std::nullopt, 0.0004, "0.000"}, Case{0, std::nullopt, "0.000"},
                        Case{std::nullopt, std::nullopt, ""}}) {
    StakeRow row;
    row.fill = c.fill;
    row.cut = c.cut;
    EXPECT_EQ(fillCutText(row), c.text);
  }
}

TEST(BandRows, ReadAsTypedOrRefused) {
  struct Case {
    const char* text;
    std::size_t rows;  // 0: refused
  };
  for (const Case& c : {Case{"station,ground,design,fillcut,grade", 5}, Case{"station:25", 1},
                        Case{"grade,station:5,superelevation:60", 3}, Case{"", 0},
                        Case{"station,station", 0}, Case{"station:4.9", 0}, Case{"station:60.1", 0},
                        Case{"station:", 0}, Case{"levels", 0}, Case{"station:1e1x", 0}}) {
    std::string problem;
    const auto rows = parseBandRows(c.text, &problem);
    EXPECT_EQ(rows.size(), c.rows) << c.text;
    EXPECT_EQ(problem.empty(), c.rows > 0) << c.text;
    if (!rows.empty()) {
      EXPECT_EQ(parseBandRows(bandRowsText(rows), nullptr).size(), rows.size());
    }
  }
}

TEST(SheetSettings, RefusedWhenTheyCannotBeDrawn) {
  struct Case {
    double h, v, overlap;
    const char* rows;
    bool ok;
  };
  for (const Case& c :
       {Case{2000, 200, 20, "station", true}, Case{9, 200, 20, "station", false},
        Case{2000, 100001, 20, "station", false}, Case{2000, 200, -1, "station", false},
        Case{2000, 200, 0, "station:60,ground:60,design:60,grade:60", false}}) {
    SheetSettings settings;
    settings.horizontalScale = c.h;
    settings.verticalScale = c.v;
    settings.overlap = c.overlap;
    settings.rows = parseBandRows(c.rows, nullptr);
    EXPECT_EQ(settingsProblem(settings).empty(), c.ok) << c.h << " " << c.v << " " << c.rows;
  }
}

}  // namespace
}  // namespace vcurve::profile::sheet
