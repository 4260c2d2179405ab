// Files named in Chinese, written and replaced through the table program's
// own calls: on Windows these go through the wide-character API.

#include "app/table/system_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "run_table.h"

namespace vcurve::table {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

bool write(const fs::path& path, const std::string& text) {
  std::FILE* file = openFile(utf8(path), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

class ChineseFileNames : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vcurve-system-io-" + std::to_string(testing::processId())) / u8"竖曲线";
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_.parent_path()); }

  fs::path folder_;
};

TEST_F(ChineseFileNames, WrittenUnderTheirOwnName) {
  const fs::path table = folder_ / u8"高程表 K5+030.csv";
  ASSERT_TRUE(write(table, "n,station\r\n"));
  EXPECT_EQ(testing::fileText(table), "n,station\r\n");
  ASSERT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  EXPECT_EQ(fs::directory_iterator(folder_)->path().filename(), table.filename());
}

TEST_F(ChineseFileNames, ReplaceTakesThePlaceOfAnExistingFile) {
  const fs::path target = folder_ / u8"逐桩高程.txt";
  const fs::path written = folder_ / u8"逐桩高程.txt.新";
  ASSERT_TRUE(write(target, "old"));
  ASSERT_TRUE(write(written, "new table"));
  EXPECT_TRUE(replaceFile(utf8(written), utf8(target)));
  EXPECT_EQ(testing::fileText(target), "new table");
  EXPECT_FALSE(fs::exists(written));

  EXPECT_FALSE(replaceFile(utf8(written), utf8(target))) << "the source is gone";
  EXPECT_EQ(testing::fileText(target), "new table");
}

TEST_F(ChineseFileNames, OpeningAMissingFileFails) {
  EXPECT_EQ(openFile(utf8(folder_ / u8"没有.csv"), "rb"), nullptr);
  EXPECT_EQ(openFile("", "rb"), nullptr);
}

}  // namespace
}  // namespace vcurve::table
