#include "checks/field_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_platform.h"

namespace vcurve {
namespace {

using testing::Message;
using testing::RecordingPlatform;

const Message kRadiusMessage{"你输入的曲线半径太小，请重新检查一遍再输入。", MessageStyle::Warning,
                             "错误"};
const Message kGradeNotice{"你输入的值已大于规定的最大纵坡，你确认吗?", MessageStyle::Information,
                           "提示"};
const Message kStationMessage{"你输入的桩号错误，请重新输入。", MessageStyle::Warning, "错误"};
const Message kTooLarge{"你输入的数值太大，超出了计算范围，无法检查。", MessageStyle::Warning,
                        "错误"};

// A leave check as the user meets it: the user moves from the checked field
// to Text4 and the check runs.
struct LeaveCase {
  const char* what;
  Field field;
  std::string P, L, value;
  std::vector<Message> messages;
  bool rejected;
};

class LeaveCheck : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(LeaveCheck, MessagesTextAndFocus) {
  const auto& c = GetParam();
  RecordingPlatform form;
  form.text(Field::Text1) = c.P;
  form.text(Field::Text2) = c.L;
  form.text(c.field) = c.value;
  form.focus = Field::Text4;

  const CheckOutcome outcome = c.field == Field::Text3 ? CheckRadius(form) : CheckStation(form);

  EXPECT_EQ(form.messages, c.messages);
  if (c.rejected) {
    EXPECT_EQ(outcome, CheckOutcome::Rejected);
    EXPECT_EQ(form.text(c.field), "");
    EXPECT_EQ(form.focus, c.field);
    // The user saw the rejected text until the message was closed.
    const std::string name = testing::fieldName(c.field);
    EXPECT_EQ(std::vector<std::string>(form.operations.end() - 3, form.operations.end()),
              (std::vector<std::string>{"message 错误", "set " + name, "focus " + name}));
  } else {
    EXPECT_NE(outcome, CheckOutcome::Rejected);
    EXPECT_EQ(form.text(c.field), c.value);
    EXPECT_EQ(form.focus, Field::Text4);
  }
}

const auto kR = Field::Text3;
const auto kS = Field::Text7;
const std::vector<Message> kNone;

INSTANTIATE_TEST_SUITE_P(
    Fields, LeaveCheck,
    ::testing::Values(
        LeaveCase{"radius empty", kR, "", "", "", {kRadiusMessage}, true},
        LeaveCase{"radius 299_99", kR, "", "", "299.99", {kRadiusMessage}, true},
        LeaveCase{"radius negative", kR, "", "", "-500", {kRadiusMessage}, true},
        LeaveCase{"radius letters", kR, "", "", "abc", {kRadiusMessage}, true},
        LeaveCase{"radius 300", kR, "", "", "300", kNone, false},
        LeaveCase{"radius with unit", kR, "", "", "800m", kNone, false},
        LeaveCase{"radius too large", kR, "", "", "1E400", {kTooLarge}, false},
        LeaveCase{"station at start", kS, "500", "40", "460", kNone, false},
        LeaveCase{"station at PVI", kS, "500", "40", "500", kNone, false},
        LeaveCase{"station at end", kS, "500", "40", "540", kNone, false},
        LeaveCase{"station before start", kS, "500", "40", "459.99", {kStationMessage}, true},
        LeaveCase{"station after end", kS, "500", "40", "540.01", {kStationMessage}, true},
        LeaveCase{"station empty", kS, "500", "40", "", {kStationMessage}, true},
        LeaveCase{"no curve station 0", kS, "", "", "", kNone, false},
        LeaveCase{"no curve station typed 0", kS, "", "", "0", kNone, false},
        LeaveCase{"no curve station 1", kS, "", "", "1", {kStationMessage}, true},
        LeaveCase{"zero tangent at PVI", kS, "500", "0", "500", kNone, false},
        LeaveCase{"negative tangent", kS, "500", "-40", "500", {kStationMessage}, true},
        // The ends typed as decimals pass although P - L and P + L carry a
        // rounding tail; a millimetre beyond them does not.
        LeaveCase{"decimal start", kS, "15245.602", "2.051", "15243.551", kNone, false},
        LeaveCase{"decimal end", kS, "15245.602", "2.051", "15247.653", kNone, false},
        LeaveCase{"cancelling start", kS, "1000.2", "1000.1", "0.1", kNone, false},
        LeaveCase{"mm before decimal start",
                  kS,
                  "15245.602",
                  "2.051",
                  "15243.550",
                  {kStationMessage},
                  true},
        LeaveCase{
            "mm after decimal end", kS, "15245.602", "2.051", "15247.654", {kStationMessage}, true},
        LeaveCase{"station too large", kS, "500", "40", "1E400", {kTooLarge}, false},
        LeaveCase{"PVI too large", kS, "1E400", "40", "500", {kTooLarge}, false},
        LeaveCase{"upper bound overflows", kS, "1E308", "1E308", "5", {kTooLarge}, false},
        // The station is already above the upper bound; the lower bound is
        // still worked out, and its overflow ends the check.
        LeaveCase{"lower bound overflows", kS, "-1E308", "1E308", "5", {kTooLarge}, false}),
    [](const auto& info) { return testing::testName(info.param.what); });

TEST(LeaveCheck, RejectsAgainWhenLeftAgainWithoutTyping) {
  RecordingPlatform form;
  form.text(Field::Text3) = "120";
  CheckRadius(form);
  CheckRadius(form);
  EXPECT_EQ(form.messages, (std::vector<Message>{kRadiusMessage, kRadiusMessage}));
}

// The user types into a grade field, one change at a time.
int noticesWhileTyping(const std::vector<std::string>& texts) {
  RecordingPlatform form;
  for (const auto& text : texts) {
    form.text(Field::Text6) = text;
    CheckGrade(form, Field::Text6);
  }
  return static_cast<int>(form.messages.size());
}

TEST(GradeNotice, ShowsOnEveryChangeAboveTheLimit) {
  struct Case {
    const char* what;
    std::vector<std::string> texts;
    int notices;
  };
  const Case cases[] = {
      {"exactly the limit", {"1", "10"}, 0},
      {"just above", {"10.01"}, 1},
      {"negative", {"-", "-1", "-12"}, 0},
      {"typing 12", {"1", "12"}, 1},
      {"typing 15.5", {"1", "15", "15.", "15.5"}, 3},
      {"pasting 25", {"25"}, 1},
      {"deleting 150 from its end", {"15", "1", ""}, 1},
      {"emptied", {""}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(noticesWhileTyping(c.texts), c.notices) << c.what;
}

TEST(GradeNotice, InformsAndChangesNothing) {
  RecordingPlatform form;
  form.text(Field::Text5) = "12";
  form.focus = Field::Text5;
  EXPECT_EQ(CheckGrade(form, Field::Text5), CheckOutcome::Notified);
  EXPECT_EQ(form.messages, std::vector<Message>{kGradeNotice});
  EXPECT_EQ(form.text(Field::Text5), "12");
  EXPECT_EQ(form.focus, Field::Text5);

  form.text(Field::Text5) = "1E400";
  EXPECT_EQ(CheckGrade(form, Field::Text5), CheckOutcome::Failed);
  EXPECT_EQ(form.messages.back(), kTooLarge);
  EXPECT_EQ(form.text(Field::Text5), "1E400");
}

}  // namespace
}  // namespace vcurve
