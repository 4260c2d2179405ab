#include "core/calculate.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/recording_platform.h"

namespace vcurve {
namespace {

using testing::Message;
using testing::RecordingPlatform;

const Message kMissingData{"你输入所有数据了吗？", MessageStyle::Warning, "警告"};

// PVI 500, tangent 40, radius 800, elevation 100, grades 3% and 2%.
std::array<std::string, 7> workedExample(std::string station) {
  return {"500", "40", "800", "100", "3", "2", std::move(station)};
}

struct PressCase {
  const char* what;
  CurveType type;
  std::array<std::string, 7> fields;
  std::string line;  // empty: no line is added
  bool warned;
};

class CalculatePress : public ::testing::TestWithParam<PressCase> {};

TEST_P(CalculatePress, AddsTheLine) {
  const auto& c = GetParam();
  RecordingPlatform form;
  form.fill(c.fields);
  std::int16_t pointCount = 0;

  Calculate(c.type, form, pointCount);

  EXPECT_EQ(form.lines,
            c.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.line});
  EXPECT_EQ(form.messages, c.warned ? std::vector<Message>{kMissingData} : std::vector<Message>{});
  EXPECT_EQ(pointCount, 1) << "every press counts, listed or not";
  EXPECT_EQ(form.texts, c.fields) << "a press never changes a field";
  EXPECT_EQ(form.focus, std::nullopt);
}

const auto kConvex = CurveType::Convex;
const auto kConcave = CurveType::Concave;

INSTANTIATE_TEST_SUITE_P(
    Lines, CalculatePress,
    ::testing::Values(
        PressCase{"crest before", kConvex, workedExample("480"), "第1待求点高程480=99.15", false},
        PressCase{"crest after", kConvex, workedExample("520"), "第1待求点高程520=99.35", false},
        PressCase{"sag before", kConcave, workedExample("480"), "第1待求点高程480=100.85", false},
        PressCase{"sag after", kConcave, workedExample("520"), "第1待求点高程520=100.65", false},
        PressCase{"crest start", kConvex, workedExample("460"), "第1待求点高程460=98.8", false},
        PressCase{"sag end", kConcave, workedExample("540"), "第1待求点高程540=100.8", false},
        PressCase{"at the PVI", kConvex, workedExample("500"), "第1待求点高程500=99", false},
        PressCase{"sag at the PVI", kConcave, workedExample("500"), "第1待求点高程500=101", false},
        PressCase{"station normalised", kConvex, workedExample("0480.50"),
                  "第1待求点高程480.5=99.152", false},
        PressCase{"trailing letters", kConvex, workedExample("480abc"), "第1待求点高程480=99.15",
                  false},
        PressCase{"minus zero station",
                  kConvex,
                  {"0", "40", "800", "100", "3", "2", "-0"},
                  "第1待求点高程0=99",
                  false},
        PressCase{"spaces are not empty",
                  kConvex,
                  {"500", "40", "800", "100", "3", " ", "480"},
                  "第1待求点高程480=99.15",
                  false},
        PressCase{"radius empty",
                  kConvex,
                  {"500", "40", "", "100", "3", "2", "480"},
                  "第1待求点高程480=0",
                  true},
        PressCase{"radius zero",
                  kConvex,
                  {"500", "40", "0", "100", "3", "2", "480"},
                  "第1待求点高程480=0",
                  false},
        PressCase{"all empty", kConvex, {"", "", "", "", "", "", ""}, "第1待求点高程0=0", true},
        PressCase{"overflow in a field",
                  kConcave,
                  {"500", "40", "800", "1E400", "3", "2", "480"},
                  "第1待求点高程480=0",
                  false},
        PressCase{"overflow in the PVI station",
                  kConvex,
                  {"1E400", "40", "800", "100", "3", "2", "480"},
                  "第1待求点高程480=0",
                  false},
        // An elevation at the top of the double range prints as a 15-digit
        // text beyond it; listed as the overflow it is, never dropped.
        PressCase{"elevation prints past the range",
                  kConvex,
                  {"500", "0", "800", "1.7976931348623157E308", "0", "0", "500"},
                  "第1待求点高程500=0",
                  false},
        PressCase{"station beyond the range", kConvex, workedExample("1E400"), "", false}),
    [](const auto& info) { return testing::testName(info.param.what); });

TEST(Calculate, NumbersContinueAcrossPressesAndStopAt32767) {
  RecordingPlatform form;
  form.fill(workedExample("480"));
  std::int16_t pointCount = 0;
  Calculate(CurveType::Convex, form, pointCount);
  form.text(Field::Text7) = "520";
  Calculate(CurveType::Convex, form, pointCount);
  Calculate(CurveType::Convex, form, pointCount);
  EXPECT_EQ(form.lines,
            (std::vector<std::string>{"第1待求点高程480=99.15", "第2待求点高程520=99.35",
                                      "第3待求点高程520=99.35"}));

  form.lines.clear();
  pointCount = 32766;
  for (int press = 0; press < 3; ++press) Calculate(CurveType::Concave, form, pointCount);
  EXPECT_EQ(pointCount, 32767);
  EXPECT_EQ(form.lines,
            (std::vector<std::string>{"第32767待求点高程520=100.65", "第32767待求点高程520=100.65",
                                      "第32767待求点高程520=100.65"}));
}

TEST(Calculate, ReadsTheFieldsAfreshAfterTheWarning) {
  RecordingPlatform form;
  form.fill({"500", "40", "800", "100", "3", "2", ""});
  form.whileMessageOpen = [&](const Message&) { form.text(Field::Text7) = "520"; };
  std::int16_t pointCount = 0;
  Calculate(CurveType::Convex, form, pointCount);
  EXPECT_EQ(form.lines, std::vector<std::string>{"第1待求点高程520=99.35"});
}

TEST(IsAnyFieldEmpty, ReadsAllSevenInOrder) {
  RecordingPlatform form;
  form.fill({"", "1", "1", "1", "1", "1", "1"});
  EXPECT_TRUE(IsAnyFieldEmpty(form));
  EXPECT_EQ(form.operations,
            (std::vector<std::string>{"read Text1", "read Text2", "read Text3", "read Text4",
                                      "read Text5", "read Text6", "read Text7"}));
  form.fill({"1", "1", "1", "1", "1", "1", " "});
  EXPECT_FALSE(IsAnyFieldEmpty(form));
}

TEST(FormatResultLine, PiecesWithNothingBetween) {
  EXPECT_EQ(FormatResultLine(1, 480, 99.15), "第1待求点高程480=99.15");
  EXPECT_EQ(FormatResultLine(27, 5030.25, 101.2), "第27待求点高程5030.25=101.2");
  EXPECT_EQ(FormatResultLine(3, -0.0, -0.0), "第3待求点高程0=0");
  EXPECT_EQ(FormatResultLine(4, 1e15, 1.5e-5), "第4待求点高程1E+15=1.5E-05");
}

}  // namespace
}  // namespace vcurve
