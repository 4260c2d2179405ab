#include "profile/chainage_equations.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "profile/profile_csv.h"
#include "profile/stake_table.h"

namespace vcurve::profile {
namespace {

// One 长链 of 10 m at K1+200 and one 短链 of 20 m at K2+180, worked by hand:
// the equations lie at true distances 1200 and 1200 + (2180 − 1190) = 2190.
const ChainageEquations kRoad({{1200, 1190}, {2180, 2200}});

struct FieldCase {
  const char* text;
  FieldStatus status;
  double distance;
};

TEST(ChainageEquations, FieldStationsToTrueDistance) {
  const FieldCase cases[] = {
      {"K0+500", FieldStatus::Ok, 500},
      {"K1+189.999", FieldStatus::Ok, 1189.999},
      {"K1+190", FieldStatus::Ambiguous, 0},  // both ends of the doubled range
      {"K1+195", FieldStatus::Ambiguous, 0},
      {"K1+200", FieldStatus::Ambiguous, 0},
      {"K1+195(1)", FieldStatus::Ok, 1195},
      {"K1+195(2)", FieldStatus::Ok, 1205},
      {"K1+195（2）", FieldStatus::Ok, 1205},
      {"Ｋ１＋１９５（２）", FieldStatus::Ok, 1205},
      {"Ｋ２＋１８０＝Ｋ２＋２００", FieldStatus::Ok, 2190},
      {"K1+195(3)", FieldStatus::NoSuchPlace, 0},
      {"K1+200.001", FieldStatus::Ok, 1210.001},
      {"K2+180", FieldStatus::Ok, 2190},  // the 短链's two ends are one point
      {"K2+200", FieldStatus::Ok, 2190},
      {"K2+180.001", FieldStatus::InGap, 0},
      {"K2+199.999", FieldStatus::InGap, 0},
      {"K3+000", FieldStatus::Ok, 2990},
      {"K0+100(2)", FieldStatus::NoSuchPlace, 0},
      {"K2+180=K2+200", FieldStatus::Ok, 2190},
      {"K2+180=K2+210", FieldStatus::NoSuchPlace, 0},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.text);
    const auto typed = readFieldStation(c.text);
    ASSERT_TRUE(typed);
    const FieldLookup found = kRoad.distance(*typed);
    EXPECT_EQ(found.status, c.status);
    if (found.ok()) {
      EXPECT_NEAR(found.distance, c.distance, 1e-9);
    }
    EXPECT_EQ(fieldProblem(kRoad, typed->station, found).empty(), found.ok());
  }
  const FieldLookup doubled = kRoad.distance(1195);
  EXPECT_EQ(doubled.count, 2);
  EXPECT_DOUBLE_EQ(doubled.first, 1195);
  EXPECT_DOUBLE_EQ(doubled.second, 1205);
  const std::string why = fieldProblem(kRoad, 1195, doubled);
  EXPECT_NE(why.find("K1+195.000(1)"), std::string::npos) << why;
  EXPECT_NE(why.find("K1+195.000(2)"), std::string::npos) << why;
  EXPECT_NE(fieldProblem(kRoad, 2190, kRoad.distance(2190)).find("K2+180.000=K2+200.000"),
            std::string::npos);
}

TEST(ChainageEquations, TrueDistanceToFieldText) {
  const std::pair<double, const char*> cases[] = {
      {500, "K0+500.000"},       {1189.9, "K1+189.900"},          {1190, "K1+190.000(1)"},
      {1199.5, "K1+199.500(1)"}, {1200, "K1+200.000=K1+190.000"}, {1209.5, "K1+199.500(2)"},
      {1210, "K1+200.000(2)"},   {1210.5, "K1+200.500"},          {2190, "K2+180.000=K2+200.000"},
      {2990, "K3+000.000"},
  };
  for (const auto& [distance, text] : cases) EXPECT_EQ(kRoad.text(distance), text) << distance;
  EXPECT_DOUBLE_EQ(kRoad.netLength(), -10);
  EXPECT_EQ(kRoad.kindText(0), "长链 10 m");
  EXPECT_EQ(kRoad.kindText(1), "短链 20 m");
}

TEST(ChainageEquations, RefusesEquationsOutOfOrder) {
  const std::vector<std::vector<ChainageEquation>> bad = {
      {{1000, 1000}},                // no jump
      {{1000, 900}, {900, 1200}},    // back not past the last ahead
      {{1000, 1100}, {1200, 1050}},  // a 长链 reaching back over the last one
      {{1e9, 0}},                    // beyond any road
  };
  for (const auto& equations : bad) {
    EXPECT_FALSE(ChainageEquations::problem(equations).empty());
    EXPECT_THROW(ChainageEquations{equations}, std::invalid_argument);
  }
  EXPECT_TRUE(ChainageEquations::problem({{{1000, 900}, {950, 1200}}}).empty());
}

// Random sets of long and short equations, several in a row, some a few
// millimetres apart: every true distance prints as a field station that
// reads back to itself.
TEST(ChainageEquations, RandomSetsRoundTrip) {
  std::mt19937 random(15);
  std::uniform_real_distribution<double> jump(-300, 300), gap(0.002, 800);
  for (int set = 0; set < 200; ++set) {
    std::vector<ChainageEquation> equations;
    double ahead = std::uniform_real_distribution<double>(0, 5000)(random);
    for (int i = 0, n = set % 12; i < n; ++i) {
      const double back = ahead + gap(random);
      double next = back + jump(random);
      if (std::fabs(next - back) < 0.001) next = back + 0.5;
      if (next <= ahead) next = ahead + 0.001;
      equations.push_back({std::round(back * 1000) / 1000, std::round(next * 1000) / 1000});
      ahead = equations.back().ahead;
    }
    if (!ChainageEquations::problem(equations).empty()) continue;
    const ChainageEquations chainage(equations);
    const double end = chainage.empty() ? 10000 : chainage.distanceOf(chainage.size() - 1) + 500;
    for (int k = 0; k < 200; ++k) {
      const double d =
          std::round(std::uniform_real_distribution<double>(-100, end)(random) * 1000) / 1000;
      const std::string text = chainage.text(d);
      const auto typed = readFieldStation(text);
      ASSERT_TRUE(typed) << text;
      const FieldLookup found = chainage.distance(*typed);
      ASSERT_TRUE(found.ok()) << text << " " << fieldProblem(chainage, typed->station, found);
      EXPECT_NEAR(found.distance, d, 2e-3) << text;
      EXPECT_NEAR(chainage.distanceIn(chainage.segmentAt(d), chainage.field(d)), d, 1e-6);
    }
  }
}

// The road above as a CSV: a crest across the 长链 and a sag across the
// 短链, the grades worked on the true distances 0, 1100, 2290, 2990.
constexpr std::string_view kRoadCsv =
    "桩号,高程,半径\n"
    "K0+000,100,\n"
    "K1+100,111,20000\n"
    "断链,K1+200,K1+190\n"
    "断链,K2+180,K2+200\n"
    "K2+300,99.1,10000\n"
    "K3+000,109.6,\n";

std::shared_ptr<const Profile> roadProfile() {
  std::vector<ChainageEquation> equations;
  auto read = readProfileCsv(kRoadCsv, "road.csv", nullptr, &equations);
  EXPECT_TRUE(read.ok()) << read.error->message();
  return std::make_shared<const Profile>(read.value, ChainageEquations(equations));
}

TEST(ChainageProfile, HandWorkedRoad) {
  const auto profile = roadProfile();
  ASSERT_TRUE(profile->usable());
  EXPECT_EQ(profile->chainage().equations(), kRoad.equations());
  const double lengths[] = {1100, 1190, 700};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_NEAR(profile->rows()[k].gradeAfter->length, lengths[k], 1e-9);
  }
  EXPECT_NEAR(profile->rows()[1].gradeAfter->percent, -1, 1e-12);
  // Elevations by hand on the crest z = 109 + 0.01x − x²/40000 from
  // distance 900 and on the sag z = 100.35 − 0.01x + x²/20000 from 2165.
  const std::pair<const char*, double> elevations[] = {
      {"K1+195(1)", 109.774375}, {"K1+195(2)", 109.724375}, {"K2+180", 100.13125},
      {"K2+200", 100.13125},     {"K2+300", 99.88125},      {"K3+000", 109.6},
  };
  for (const auto& [text, z] : elevations) {
    const FieldLookup at = profile->chainage().distance(*readFieldStation(text));
    ASSERT_TRUE(at.ok()) << text;
    EXPECT_NEAR(*profile->elevationAt(at.distance), z, 1e-9) << text;
  }

  const StakeTable table(profile, nullptr, 20);
  std::vector<std::string> around;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const StakeRow row = table.row(i);
    if ((row.station > 1175 && row.station < 1235) || (row.station > 2165 && row.station < 2215)) {
      around.push_back(StakeTable::cellText(row, StakeColumn::Station));
    }
  }
  const std::vector<std::string> expected = {
      "K1+180.000", "K1+200.000=K1+190.000 长链 10 m", "K1+200.000(2)", "K1+220.000",
      "K2+160.000", "K2+180.000=K2+200.000 短链 20 m", "K2+220.000"};
  EXPECT_EQ(around, expected);
  EXPECT_DOUBLE_EQ(table.trueLength(), 2990);
  // 0..1180 every 20 m (60), the 长链's row, 1200..2160 in the middle
  // numbering (49), the 短链's row, 2220..3000 (40), and the curve ends off
  // the interval: K1+290, K2+155, K2+425.
  EXPECT_EQ(table.size(), 154U);
}

TEST(ChainageProfile, CsvWrittenAndReadBack) {
  const auto profile = roadProfile();
  const std::string csv = profileCsv(*profile);
  EXPECT_NE(csv.find("\r\n断链,K1+200.000,K1+190.000,长链 10 m\r\n断链,K2+180.000,K2+200.000,"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\r\nK2+300.000,99.100,10000,"), std::string::npos) << csv;
  std::vector<ChainageEquation> equations;
  const auto again = readProfileCsv(csv, "again.csv", nullptr, &equations);
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(again.value, profile->points());
  EXPECT_EQ(equations, profile->chainage().equations());
}

TEST(ChainageProfile, CsvFaultsNamedWithTheirLine) {
  const std::pair<std::string_view, const char*> bad[] = {
      {"K0+000,100\n断链,K1+200,K1+190\nK1+100,105\nK2+000,110\n", "第 3 行"},  // behind its 断链
      {"K0+000,100\nK1+250,105\n断链,K1+200,K1+190\nK2+000,110\n", "第 2 行"},  // past it
      {"K0+000,100\n断链,K1+200\nK2+000,110\n", "第 2 行第 3 列"},
      {"K0+000,100\n断链,K1+200,K1+190\n断链,K1+100,K1+300\nK2+000,110\n", "第 3 行"},
      {"K0+000,100\n断链,K1+200,K1+200\nK2+000,110\n", "第 2 行"},
  };
  for (const auto& [text, place] : bad) {
    std::vector<ChainageEquation> equations;
    const auto read = readProfileCsv(text, "bad.csv", nullptr, &equations);
    ASSERT_FALSE(read.ok()) << text;
    EXPECT_NE(read.error->message().find(place), std::string::npos) << read.error->message();
  }
  EXPECT_FALSE(readProfileCsv("K0+000,100\n断链,K1+200,K1+190\nK2+000,110\n", "x.csv").ok());
}

}  // namespace
}  // namespace vcurve::profile
