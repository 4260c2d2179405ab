// --output in a folder others write to as well: planted links, a second
// run at the same time, a kill mid-write, the input named as the output.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "run_table.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <csignal>
#endif

namespace vcurve::testing {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string kCrest = "桩号,高程,半径\n0,100,\n500,110,10000\n1000,100,\n";

class SafeOutput : public ::testing::Test {
 protected:
  fs::path folder_ = fs::temp_directory_path() /
                     ("vcurve-safe-output-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string file(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return (folder_ / name).string();
  }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
  }
};

TEST_F(SafeOutput, ALinkPlantedUnderTheOldTemporaryNameIsNotFollowed) {
  const std::string p = file("p.csv", kCrest);
  const std::string victim = file("victim.txt", "precious");
  const std::string out = (folder_ / "planted.csv").string();
  for (const char* format : {"csv", "xlsx"}) {
    std::error_code unsupported;
    fs::create_symlink(victim, out + ".part", unsupported);
    // Wine, and Windows without the privilege, make no links.
    if (unsupported) GTEST_SKIP() << unsupported.message();
    const TableRun run = runTable({"--profile", p, "--format", format, "--output", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fileText(victim) == "precious") << format;
    EXPECT_TRUE(fs::is_symlink(out + ".part"));
    EXPECT_FALSE(fs::is_symlink(out));
    fs::remove(out + ".part");
  }
}

// Each run's file is its own: the one renamed last wins whole, never a mix.
TEST_F(SafeOutput, TwoRunsAtOnceLeaveOneWholeTable) {
  const std::string p = file("p.csv", kCrest);
  const std::string out = (folder_ / "same.csv").string();
  const Args steps{"0.01", "0.0125"};
  std::vector<std::string> expected;
  for (const std::string& step : steps) {
    const TableRun alone = runTable({"--profile", p, "--format", "csv", "--from", "0", "--to",
                                     "1000", "--step", step, "--output", out});
    ASSERT_EQ(alone.status, 0) << alone.err;
    expected.push_back(fileText(out));
  }
  for (int round = 0; round < 3; ++round) {
    std::vector<int> status(steps.size(), -1);
    std::vector<std::thread> runs;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      runs.emplace_back([&, i] {
        const Args argv{VCURVE_TABLE_EXE, "--profile", p,      "--format", "csv",
                        "--from",         "0",         "--to", "1000",     "--step",
                        steps[i],         "--output",  out};
        const std::string tag = std::to_string(i);
        status[i] =
            spawnAndWait(argv, {}, Output::Kept, folder_ / ("out" + tag), folder_ / ("err" + tag));
      });
    }
    for (std::thread& run : runs) run.join();
    EXPECT_EQ(status, std::vector<int>(steps.size(), 0));
    const std::string got = fileText(out);
    EXPECT_TRUE(got == expected[0] || got == expected[1])
        << "a table of " << got.size() << " bytes";
  }
  EXPECT_EQ(names(),
            (std::vector<std::string>{"err0", "err1", "out0", "out1", "p.csv", "same.csv"}));
}

TEST_F(SafeOutput, TheInputIsNeverTheOutput) {
  const std::string p = file("p.csv", kCrest);
  fs::create_directories(folder_ / "sub");
  std::vector<fs::path> outputs{p, folder_ / "sub" / ".." / "p.csv"};
  std::error_code unsupported;
  fs::create_hard_link(p, folder_ / "hard.csv", unsupported);
  if (!unsupported) outputs.push_back(folder_ / "hard.csv");
  fs::create_symlink(p, folder_ / "link.csv", unsupported);
  if (!unsupported) outputs.push_back(folder_ / "link.csv");
  for (const fs::path& output : outputs) {
    for (const char* format : {"csv", "xlsx"}) {
      const TableRun run =
          runTable({"--profile", p, "--format", format, "--output", output.string()});
      EXPECT_EQ(run.status, 2) << output;
      EXPECT_NE(run.err.find("就是输入文件"), std::string::npos) << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_TRUE(fileText(p) == kCrest);
    }
  }
  // The link itself as the input, its target as the output.
  if (!unsupported) {
    EXPECT_EQ(runTable({"--profile", (folder_ / "link.csv").string(), "--output", p}).status, 2);
  }
}

TEST_F(SafeOutput, UnusableOutputsExitTwoAndSayWhyInChinese) {
  const std::string p = file("p.csv", kCrest);
  fs::create_directories(folder_ / "folder");
#ifndef _WIN32
  // A pipe, not a device: run as root, a faulty build would replace it.
  ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0600), 0);
#endif
  struct Case {
    std::string output;
    std::string says;
  };
  for (const Case& c : {Case{(folder_ / "folder").string(), "是文件夹"},
                        Case{(folder_ / "missing" / "t.csv").string(), "无法创建文件"},
#ifndef _WIN32
                        Case{(folder_ / "pipe").string(), "不是普通文件"}
#endif
       }) {
    for (const char* format : {"csv", "xlsx"}) {
      const TableRun run = runTable({"--profile", p, "--format", format, "--output", c.output});
      EXPECT_EQ(run.status, 2) << c.output << " " << format;
      EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
      EXPECT_EQ(run.err.find("[ERROR]"), std::string::npos) << run.err;
    }
  }
}

#ifndef _WIN32
// A file the owner keeps private, or shares read-only, stays so; one the
// user may not write is refused, not replaced.
TEST_F(SafeOutput, AnExistingFileKeepsItsMode) {
  const std::string p = file("p.csv", kCrest);
  for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0444)}) {
    const std::string out = file("kept.csv", "old");
    fs::permissions(out, mode);
    const TableRun run = runTable({"--profile", p, "--format", "csv", "--output", out});
    EXPECT_EQ(fs::status(out).permissions(), mode);
    if (run.status == 0) {
      EXPECT_NE(fileText(out), "old");
    } else {
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("只读"), std::string::npos) << run.err;
      EXPECT_EQ(fileText(out), "old");
    }
    fs::permissions(out, fs::perms(0600));
    fs::remove(out);
  }
}

// What a crash or kill -9 leaves is named after its target and its
// process, and the next run writing that target removes it once the
// process is gone; a run still writing keeps its file.
TEST_F(SafeOutput, LeftoversOfEndedRunsAreRemoved) {
  const std::string p = file("p.csv", kCrest);
  const std::string out = (folder_ / "t.csv").string();
  const std::string ended = "t.csv.vcurve-2147483646-a1b2c3.part";
  const std::string running = "t.csv.vcurve-" + std::to_string(processId()) + "-a1b2c3.part";
  const std::string other = "u.csv.vcurve-2147483646-a1b2c3.part";
  for (const std::string& name : {ended, running, other}) file(name, "partial");
  ASSERT_EQ(runTable({"--profile", p, "--output", out}).status, 0);
  EXPECT_EQ(names(), (std::vector<std::string>{"p.csv", "t.csv", running, other}));
}

// A disk that fills up, as a file-size limit of 4 KB makes it: one
// Chinese line, the old file kept, nothing left beside it.
TEST_F(SafeOutput, AFullDiskIsToldInChineseOnly) {
  const std::string p = file("p.csv", kCrest);
  const std::string out = file("t.xlsx", "old");
  for (const char* format : {"csv", "xlsx"}) {
    const Args argv{"/bin/sh",
                    "-c",
                    "ulimit -f 8; trap '' XFSZ; exec \"$@\"",
                    "sh",
                    VCURVE_TABLE_EXE,
                    "--profile",
                    p,
                    "--from",
                    "0",
                    "--to",
                    "1000",
                    "--step",
                    "0.01",
                    "--format",
                    format,
                    "--output",
                    out};
    const int status = spawnAndWait(argv, {}, Output::Kept, folder_ / "out", folder_ / "err");
    const std::string err = fileText(folder_ / "err");
    EXPECT_EQ(status, 1) << format;
    EXPECT_EQ(err.find("[ERROR]"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(fileText(out), "old");
    EXPECT_EQ(names(), (std::vector<std::string>{"err", "out", "p.csv", "t.xlsx"}));
  }
}

TEST_F(SafeOutput, AnInterruptedRunLeavesTheOldFileAndNoTemporary) {
  const std::string p = file("p.csv", kCrest);
  const std::string out = file("t.csv", "old");
  for (const int signal : {SIGTERM, SIGINT}) {
    std::vector<std::string> storage{
        VCURVE_TABLE_EXE, "--profile", p,        "--from",   "0", "--to",
        "1000",           "--step",    "0.0002", "--output", out};
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    // Killed once its temporary file is there, well before ten million rows.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (names().size() < 3 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(pid, signal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(names(), (std::vector<std::string>{"p.csv", "t.csv"}));
    EXPECT_EQ(fileText(out), "old");
  }
}
#endif

}  // namespace
}  // namespace vcurve::testing
