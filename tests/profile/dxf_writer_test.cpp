#include "profile/sheet/dxf_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>

namespace vcurve::profile::sheet {
namespace {

std::string dxfWithProject(const std::string& project, bool* stopped = nullptr) {
  SheetSettings settings;
  settings.title.project = project;
  const SheetLayout layout(std::make_shared<const Profile>(std::vector<ProfilePoint>{
                               {0, 100, 0}, {800, 108, 8000}, {2000, 96, 0}}),
                           nullptr, settings);
  std::string dxf;
  const bool whole = writeSheetsDxf(
      layout, [&](std::string_view block) { dxf += block; },
      [&](int done, int) { return stopped == nullptr || done < 2; });
  if (stopped != nullptr) *stopped = !whole;
  return dxf;
}

// Whatever the user types into the title block, the file stays pairs of a
// group code and one line of value, and CAD shows the text as typed.
TEST(DxfWriter, TypedTextsCannotBreakTheFile) {
  struct Case {
    std::string typed, written;
  };
  for (const Case& c : {Case{"山区高速公路", "山区高速公路"}, Case{"A\nB\r\tC", "A B  C"},
                        Case{"50%%c", "50%%%%%%c"}, Case{"5%", "5%"}, Case{"x^Jy", "x^ Jy"}}) {
    std::istringstream lines(dxfWithProject(c.typed));
    std::string code, value, last;
    bool found = false;
    while (std::getline(lines, code) && std::getline(lines, value)) {
      ASSERT_FALSE(code.empty());
      ASSERT_EQ(code.find_first_not_of(" 0123456789"), std::string::npos) << code;
      found = found || (code == "1" && value == c.written);
      last = code + " " + value;
    }
    EXPECT_EQ(last, "0 EOF");
    EXPECT_TRUE(found) << c.written;
  }
}

// Handles are unique and the header's seed is above every one of them.
TEST(DxfWriter, HandlesAreUniqueAndBelowTheSeed) {
  std::istringstream lines(dxfWithProject("路"));
  std::string code, value, previous;
  std::set<unsigned long> handles;
  unsigned long seed = 0;
  while (std::getline(lines, code) && std::getline(lines, value)) {
    if (previous == "$HANDSEED") {
      seed = std::stoul(value, nullptr, 16);
    } else if (code == "5" || code == "105") {
      ASSERT_TRUE(handles.insert(std::stoul(value, nullptr, 16)).second) << value;
    }
    previous = value;
  }
  ASSERT_FALSE(handles.empty());
  EXPECT_GT(seed, *handles.rbegin());
}

TEST(DxfWriter, StoppedWritingSaysSo) {
  bool stopped = false;
  dxfWithProject("路", &stopped);
  EXPECT_TRUE(stopped);
}

}  // namespace
}  // namespace vcurve::profile::sheet
