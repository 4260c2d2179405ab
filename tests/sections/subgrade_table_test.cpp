#include "sections/subgrade_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "profile/profile_csv.h"

namespace vcurve::sections {
namespace {

// A level road at 100 m over ground at 99.9 m, a 二级 section, and a curve
// to the right turning about its inner edge to 6 %, widened by 0.8 m.
struct Road {
  std::shared_ptr<const profile::Profile> profile = std::make_shared<const profile::Profile>(
      std::vector<profile::ProfilePoint>{{0, 100, 0}, {2000, 100, 0}});
  std::shared_ptr<const profile::GroundLine> ground = std::make_shared<const profile::GroundLine>(
      std::vector<profile::GroundPoint>{{0, 99.9}, {2000, 99.9}});
  profile::StakeTable stakes{profile, ground, 20};
  Sections sections = [] {
    SectionTemplate t;
    t.from = 0;
    t.to = 2000;
    t.left = t.right = {0, 3.5, 0.75, 0.75};
    return Sections({t}, {{1000, 1060, 1200, 1260, 6, Side::Right, RotationAxis::InnerEdge, 0.8}});
  }();
};

TEST(SubgradeTable, GivesEachColumnInFullSuperelevation) {
  const Road road;
  const SubgradeTable table(road.stakes, road.sections);
  const std::size_t i = road.stakes.rowAtOrAfter(1100);
  const SubgradeRow row = table.row(i);
  struct Cell {
    SubgradeColumn column;
    double value;
  };
  const Cell cells[] = {
      {SubgradeColumn::Design, 100},        {SubgradeColumn::Fill, 0.3475},
      {SubgradeColumn::LeftWidth, 5},       {SubgradeColumn::RightWidth, 5.8},
      {SubgradeColumn::LeftShoulder, 0.48}, {SubgradeColumn::LeftCarriageway, 0.4575},
      {SubgradeColumn::Centre, 0.2475},     {SubgradeColumn::RightCarriageway, -0.0105},
      {SubgradeColumn::LeftSlope, 6},       {SubgradeColumn::RightSlope, -6},
  };
  for (const Cell& c : cells) {
    ASSERT_TRUE(table.value(row, c.column)) << static_cast<int>(c.column);
    EXPECT_NEAR(*table.value(row, c.column), c.value, 1e-9) << static_cast<int>(c.column);
  }
  EXPECT_FALSE(table.value(row, SubgradeColumn::Cut));
  EXPECT_EQ(table.cellText(row, SubgradeColumn::RightSlope), "-6.00");

  const SubgradeTable elevations(road.stakes, road.sections, EdgeValues::Elevations);
  EXPECT_NEAR(*elevations.value(row, SubgradeColumn::LeftShoulder), 100.48, 1e-9);
  EXPECT_EQ(elevations.columnTitle(SubgradeColumn::Centre), "中桩高程(m)");
}

TEST(SubgradeTable, MarksTheSuperelevationsStationsAndWritesEveryRow) {
  const Road road;
  const SubgradeTable table(road.stakes, road.sections);
  EXPECT_EQ(table.note(road.stakes.rowAtOrAfter(1000)), "超高起点");
  EXPECT_EQ(table.note(road.stakes.rowAtOrAfter(1060)), "全超高起点");
  std::string csv;
  writeSubgradeCsv(table, [&](std::string_view block) { csv += block; });
  std::size_t records = 0;
  for (std::size_t at = 0; (at = csv.find("\r\n", at)) != std::string::npos; at += 2) ++records;
  EXPECT_EQ(records, table.size() + 1);
  // 0.3475 and 0.2475 lie just below their halves in binary.
  EXPECT_NE(csv.find("K1+100.000,99.900,100.000,0.347,,5.000,5.800,0.480,0.458,0.247,-0.011,"),
            std::string::npos);
}

TEST(SubgradeTable, LeavesTheSectionEmptyWhereNoTemplateHolds) {
  const Road road;
  SectionTemplate t = road.sections.templates()[0];
  t.to = 500;
  const Sections part({t}, {});
  const SubgradeTable table(road.stakes, part);
  const SubgradeRow row = table.row(road.stakes.rowAtOrAfter(600));
  EXPECT_TRUE(row.stake.design);
  EXPECT_FALSE(row.section);
  EXPECT_EQ(table.cellText(row, SubgradeColumn::LeftShoulder), "");
  EXPECT_FALSE(edgeElevations(part, row.stake).left);
}

// The stake table's record at a station, from its CSV.
std::string record(const std::string& csv, const std::string& station) {
  const std::size_t at = csv.find("\r\n" + station + ",");
  if (at == std::string::npos) return "(no record)";
  return csv.substr(at + 2, csv.find("\r\n", at + 2) - at - 2);
}

// The stake table's files end with the edges where a section holds, and
// with nothing past the last template; without sections, without columns.
TEST(StakeEdges, FollowTheNoteInTheCsvAndTheSheet) {
  const Road road;
  SectionTemplate t = road.sections.templates()[0];
  t.to = 1500;
  const auto part = std::make_shared<const Sections>(std::vector{t}, road.sections.curves());
  std::string csv;
  profile::writeStakeCsv(
      road.stakes, [&](std::string_view block) { csv += block; }, stakeEdges(part));
  EXPECT_NE(csv.find(",备注,左路肩高程(m),右路肩高程(m)\r\n"), std::string::npos);
  EXPECT_EQ(record(csv, "K1+100.000"), "K1+100.000,100.000,99.900,0.100,,0.00,,100.480,99.900");
  EXPECT_EQ(record(csv, "K1+600.000"), "K1+600.000,100.000,99.900,0.100,,0.00,,,");

  const profile::Sheet sheet = profile::stakeSheet(road.stakes, {}, stakeEdges(part));
  ASSERT_EQ(sheet.columns.size(), 9U);
  EXPECT_EQ(sheet.columns[8].title, "右路肩高程(m)");
  std::vector<profile::SheetCell> cells;
  sheet.row(road.stakes.rowAtOrAfter(1100), cells);
  ASSERT_EQ(cells.size(), 9U);
  EXPECT_EQ(cells[7].number, 100.48);
  sheet.row(road.stakes.rowAtOrAfter(1600), cells);
  EXPECT_EQ(cells[8].kind, profile::SheetCell::Kind::Empty);

  EXPECT_FALSE(stakeEdges(nullptr));
  EXPECT_EQ(profile::stakeSheet(road.stakes).columns.size(), 7U);
}

}  // namespace
}  // namespace vcurve::sections
