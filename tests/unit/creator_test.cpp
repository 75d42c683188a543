// The creator's loop against a fake console and file system, and the command-line splitter.
#include "creator/creator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "creator/command_line.h"

namespace {

// "?N..." fails with error N, any other name with 17 once it exists; all is logged.
struct Fake {
  std::string console, log;
  int close;
};

int Create(void *ctx, const char *name, int *error) {
  std::string &log = static_cast<Fake *>(ctx)->log;
  *error = name[0] == '?' ? atoi(name + 1) : 17;
  if (name[0] == '?' || log.find(std::string("+") + name + "|") != std::string::npos) return -1;
  log += std::string("+") + name + "|";
  return 3;
}

std::string Line(const std::string &name) { return "Can't Create File " + name + "\r\n"; }

TEST(Creator, EveryNameInOrderAndTheStatusOfTheLast) {
  const std::string kLong = "?2" + std::string(40000, 'n');
  const struct {
    std::vector<std::string> args;
    int close;
    std::string console, log;
    int status;
  } kRows[] = {
      {{"a", "b c"}, 0, "", "+a|-+b c|-", 0},
      {{"?2nodir\\a", "b"}, 0, Line("?2nodir\\a"), "+b|-", 0},
      {{"a", "?13ro\\x"}, 0, Line("?13ro\\x"), "+a|-", 13},
      {{"f"}, -1, "", "+f|-", -1},
      {{"?0odd"}, 0, Line("?0odd"), "", -1},
      {{"\"q\" \t x", kLong}, 0, Line(kLong), "+\"q\" \t x|-", 2},
  };
  for (const auto &row : kRows) {
    Fake fake = {"", "", row.close};
    CreatorOps ops = {&fake, nullptr, Create, nullptr};
    ops.write = [](void *c, const char *bytes, size_t n) {
      static_cast<Fake *>(c)->console.append(bytes, n);
    };
    ops.close = [](void *c, int) {
      static_cast<Fake *>(c)->log += "-";
      return static_cast<Fake *>(c)->close;
    };
    std::vector<char *> argv(1, const_cast<char *>("QUELLARD"));
    for (auto &a : row.args) argv.push_back(const_cast<char *>(a.c_str()));
    EXPECT_EQ(RunCreator(static_cast<int>(argv.size()), argv.data(), &ops), row.status);
    EXPECT_EQ(fake.console, row.console);
    EXPECT_EQ(fake.log, row.log);  // created in order, each closed at once
  }
}

// Lead bytes of code page 932 (Shift JIS), whose second bytes include 0x5C, the backslash.
int ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(CommandLine, SplitsByTheClassicRuntimeRules) {
  const struct {
    const char *line;
    std::vector<std::string> args;
    LeadBytePredicate lead = nullptr;  // a single-byte code page
  } kRows[] = {
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
      // A second byte 0x5C is no backslash: the quote after it still closes the name.
      {"Q \"C:\\F\\\x95\\\" x", {"Q", "C:\\F\\\x95\\", "x"}, ShiftJisLead},
      {"Q a\x95\\\\\" b \x95", {"Q", "a\x95\\\"", "b", "\x95"}, ShiftJisLead},
      {"Q \"C:\\F\\\x95\\\" x", {"Q", "C:\\F\\\x95\" x"}},  // single-byte: an escaped quote
  };
  for (const auto &row : kRows) {
    size_t counted = 0, filled = 0;
    int argc = SplitCommandLine(row.line, row.lead, nullptr, nullptr, &counted);
    std::vector<char *> argv(argc + 1, reinterpret_cast<char *>(1));
    std::string text(counted, '\x7f');
    EXPECT_EQ(SplitCommandLine(row.line, row.lead, argv.data(), &text[0], &filled), argc)
        << row.line;
    EXPECT_EQ(filled, counted) << row.line;
    EXPECT_EQ(argv[argc], nullptr) << row.line;
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.begin() + argc), row.args) << row.line;
  }
}

}  // namespace
