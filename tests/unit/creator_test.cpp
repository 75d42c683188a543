// The creator's algorithm against a fake console and file system.
#include "creator/creator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "creator/command_line.h"

namespace {

struct FakeSystem {
  std::string console;
  std::set<std::string> files;
  std::map<std::string, int> refusals;  // name -> error number the create fails with
  int closeResult = 0;
  int openHandles = 0;
  std::vector<std::string> createOrder;
};

void FakeWrite(void *ctx, const char *bytes, size_t len) {
  static_cast<FakeSystem *>(ctx)->console.append(bytes, len);
}

int FakeCreate(void *ctx, const char *name, int *error) {
  auto *sys = static_cast<FakeSystem *>(ctx);
  sys->createOrder.push_back(name);
  auto refusal = sys->refusals.find(name);
  if (refusal != sys->refusals.end()) {
    *error = refusal->second;
    return -1;
  }
  if (!sys->files.insert(name).second) {
    *error = 17;
    return -1;
  }
  ++sys->openHandles;
  return 3;
}

int FakeClose(void *ctx, int) {
  auto *sys = static_cast<FakeSystem *>(ctx);
  --sys->openHandles;
  return sys->closeResult;
}

int RunWith(FakeSystem &sys, std::vector<std::string> args) {
  args.insert(args.begin(), "QUELLARD");
  std::vector<char *> argv;
  for (auto &a : args) argv.push_back(&a[0]);
  CreatorOps ops = {&sys, FakeWrite, FakeCreate, FakeClose};
  return RunCreator(static_cast<int>(argv.size()), argv.data(), &ops);
}

std::string FailureLine(const std::string &name) { return "Can't Create File " + name + "\r\n"; }

TEST(CreatorBanner, ThreeFixedWidthLinesAndStatus255) {
  FakeSystem sys;
  EXPECT_EQ(RunWith(sys, {}), 255);
  EXPECT_EQ(sys.console,
            "Quellard Flag Tools (C) 2026\r\n"
            "32bit Create Zero File      \r\n"
            "QUELLARD <Path\\Filename>   \r\n");
  EXPECT_EQ(strlen(kBannerMaker), 28u);
  EXPECT_TRUE(sys.createOrder.empty());
}

TEST(CreatorStatus, TakesTheOutcomeOfTheLastNameOnly) {
  FakeSystem failThenSucceed;
  failThenSucceed.refusals["missing\\a"] = 2;
  EXPECT_EQ(RunWith(failThenSucceed, {"missing\\a", "b"}), 0);
  EXPECT_EQ(failThenSucceed.console, FailureLine("missing\\a"));

  FakeSystem succeedThenFail;
  succeedThenFail.refusals["ro\\x"] = 13;
  EXPECT_EQ(RunWith(succeedThenFail, {"a", "ro\\x"}), 13);
  EXPECT_EQ(succeedThenFail.console, FailureLine("ro\\x"));

  FakeSystem twice;
  EXPECT_EQ(RunWith(twice, {"flag", "flag"}), 17);
  EXPECT_EQ(twice.console, FailureLine("flag"));
  EXPECT_EQ(twice.files.count("flag"), 1u);
}

TEST(CreatorStatus, CreatesEveryNameInOrderAndClosesEachAtOnce) {
  FakeSystem sys;
  sys.files.insert("old");
  EXPECT_EQ(RunWith(sys, {"one", "old", "two", "three"}), 0);
  EXPECT_EQ(sys.createOrder, (std::vector<std::string>{"one", "old", "two", "three"}));
  EXPECT_EQ(sys.openHandles, 0);
  EXPECT_EQ(sys.console, FailureLine("old"));
}

TEST(CreatorStatus, AFailedCloseGivesMinusOneAndNoLine) {
  FakeSystem sys;
  sys.closeResult = -1;
  EXPECT_EQ(RunWith(sys, {"f"}), -1);
  EXPECT_EQ(sys.console, "");
}

TEST(CreatorStatus, AFailureWithoutAnErrorNumberIsNeverSuccess) {
  FakeSystem sys;
  sys.refusals["odd"] = 0;
  EXPECT_NE(RunWith(sys, {"odd"}), 0);
  EXPECT_EQ(sys.console, FailureLine("odd"));
}

TEST(CreatorLines, OneLinePerFailureWithTheNameUnchanged) {
  FakeSystem sys;
  sys.files.insert("exists");
  sys.refusals["a dir\\"] = 13;
  sys.refusals["bad:name?"] = 22;
  sys.refusals["\"quoted\" \t name"] = 2;
  EXPECT_EQ(RunWith(sys, {"exists", "ok", "a dir\\", "bad:name?", "\"quoted\" \t name"}), 2);
  EXPECT_EQ(sys.console, FailureLine("exists") + FailureLine("a dir\\") + FailureLine("bad:name?") +
                             FailureLine("\"quoted\" \t name"));
}

TEST(CreatorLines, VeryLongNamesArePrintedWhole) {
  FakeSystem sys;
  std::string name(40000, 'n');
  name[39999] = 'Z';
  sys.refusals[name] = 2;
  EXPECT_EQ(RunWith(sys, {name}), 2);
  EXPECT_EQ(sys.console, FailureLine(name));
}

// Raw command lines as a batch file or CreateProcess hands them over, and the names the
// creator gets from them.
TEST(CommandLine, SplitsByTheClassicRuntimeRules) {
  const struct {
    const char *line;
    std::vector<std::string> args;
  } kRows[] = {
      {"Q.EXE", {"Q.EXE"}},
      {"\"C:\\Program Files\\Q.EXE\" a b", {"C:\\Program Files\\Q.EXE", "a", "b"}},
      {"\"C:\\a b\\Q\"x y", {"C:\\a b\\Q", "x", "y"}},
      {"\"Q", {"Q"}},
      {"Q\ta \t b  ", {"Q", "a", "b"}},
      {"Q \"one two\" three", {"Q", "one two", "three"}},
      {"Q a\"b c\"d", {"Q", "ab cd"}},
      {"Q a\\\\\"b c\"", {"Q", "a\\b c"}},
      {"Q a\\\\\\\"b", {"Q", "a\\\"b"}},
      {"Q a\\\\b\\ c\\", {"Q", "a\\\\b\\", "c\\"}},
      {"Q \"x\"\"y z", {"Q", "x\"y", "z"}},
      {"Q \"\" x \"\"", {"Q", "", "x", ""}},
      {"Q \"open to the end ", {"Q", "open to the end "}},
      {"Q *.flg caf\xe9", {"Q", "*.flg", "caf\xe9"}},
  };
  for (const auto &row : kRows) {
    size_t counted = 0;
    int argc = SplitCommandLine(row.line, nullptr, nullptr, &counted);
    std::vector<char *> argv(argc + 1, reinterpret_cast<char *>(1));
    std::string text(counted, '\x7f');
    size_t filled = 0;
    EXPECT_EQ(SplitCommandLine(row.line, argv.data(), &text[0], &filled), argc) << row.line;
    EXPECT_EQ(filled, counted) << row.line;
    EXPECT_EQ(argv[argc], nullptr) << row.line;
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.begin() + argc), row.args) << row.line;
  }
}

}  // namespace
