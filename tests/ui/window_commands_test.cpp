#include "ui/window_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_platform.h"

namespace vcurve {
namespace {

using testing::Message;
using testing::RecordingPlatform;

class RecordingWindow : public Window {
 public:
  std::vector<std::string> operations;
  bool minimized = false;

  void setButtonVisible(CalculateButton button, bool visible) override {
    operations.push_back(
        std::string(button == CalculateButton::Command1 ? "Command1" : "Command2") +
        (visible ? " shown" : " hidden"));
  }
  bool isMinimized() const override { return minimized; }
  void setOuterHeight(int twips) override {
    operations.push_back("height " + std::to_string(twips));
  }
  void setOuterWidth(int twips) override { operations.push_back("width " + std::to_string(twips)); }
  void close() override { operations.push_back("close"); }
};

const Message kNothingCalculated{"你未作任何计算，请输入所有选项的数据！", MessageStyle::Warning,
                                 "警告"};

TEST(ResetFields, WarnsOnceThenEmptiesEverythingWithText5Last) {
  struct Case {
    const char* what;
    std::array<std::string, 7> fields;
    bool warned;
  };
  const Case cases[] = {
      {"all filled", {"500", "40", "800", "100", "3", "2", "480"}, false},
      {"only the station empty", {"500", "40", "800", "100", "3", "2", ""}, true},
      {"all empty", {"", "", "", "", "", "", ""}, true},
      {"a field of one space", {"500", "40", "800", " ", "3", "2", "480"}, false},
  };
  for (const auto& c : cases) {
    RecordingPlatform form;
    form.fill(c.fields);
    form.lines = {"第1待求点高程480=99.15"};
    ResetFields(form);
    EXPECT_EQ(form.messages,
              c.warned ? std::vector<Message>{kNothingCalculated} : std::vector<Message>{})
        << c.what;
    EXPECT_EQ(form.texts, (std::array<std::string, 7>{})) << c.what;
    EXPECT_TRUE(form.lines.empty()) << c.what;
    const std::vector<std::string> sets(form.operations.end() - 7, form.operations.end());
    EXPECT_EQ(sets, (std::vector<std::string>{"set Text1", "set Text2", "set Text3", "set Text4",
                                              "set Text6", "set Text7", "set Text5"}))
        << c.what;
  }
}

TEST(ShowCalculateButtonFor, Command1FirstEitherWay) {
  RecordingWindow window;
  ShowCalculateButtonFor(CurveType::Concave, window);
  ShowCalculateButtonFor(CurveType::Convex, window);
  EXPECT_EQ(window.operations, (std::vector<std::string>{"Command1 hidden", "Command2 shown",
                                                         "Command1 shown", "Command2 hidden"}));
}

TEST(HoldFixedSize, HeightThenWidthUnlessMinimised) {
  RecordingWindow window;
  HoldFixedSize(window);
  EXPECT_EQ(window.operations, (std::vector<std::string>{"height 5820", "width 7695"}));
  window.operations.clear();
  window.minimized = true;
  HoldFixedSize(window);
  EXPECT_TRUE(window.operations.empty());
}

}  // namespace
}  // namespace vcurve
