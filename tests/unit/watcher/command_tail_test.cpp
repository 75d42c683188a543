// The command-line tail as the start-up code computes it.
#include "watcher/config/command_tail.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Tail(const char *commandLine) { return CommandLineTail(commandLine); }

TEST(CommandLineTail, QuotedProgramPathWithABlank) {
  EXPECT_EQ(Tail("\"C:\\Program Files\\KORVANE.EXE\" C:\\FLAGS\\JOB.FLG"), "C:\\FLAGS\\JOB.FLG");
  EXPECT_EQ(Tail("\"C:\\K.EXE\"JOB.FLG"), "JOB.FLG");
}

TEST(CommandLineTail, AnUnterminatedQuoteTakesEverything) {
  EXPECT_EQ(Tail("\"C:\\Program Files\\KORVANE.EXE C:\\JOB.FLG"), "");
}

TEST(CommandLineTail, BlanksAndControlCharactersAfterTheNameAreSkipped) {
  EXPECT_EQ(Tail("KORVANE.EXE    "), "");
  EXPECT_EQ(Tail("KORVANE.EXE\t\x01\x1f C:\\JOB.FLG"), "C:\\JOB.FLG");
  EXPECT_EQ(Tail("KORVANE.EXE"), "");
  EXPECT_EQ(Tail(""), "");
}

TEST(CommandLineTail, TheRestIsKeptAsItIs) {
  EXPECT_EQ(Tail("KORVANE.EXE C:\\JOB.FLG  "), "C:\\JOB.FLG  ");
  EXPECT_EQ(Tail("KORVANE.EXE \"C:\\My Flags\\JOB.FLG\""), "\"C:\\My Flags\\JOB.FLG\"");
  EXPECT_EQ(Tail("KORVANE.EXE A\tB \"C"), "A\tB \"C");
}

TEST(CommandLineTail, BytesAbove127BelongToTheProgramName) {
  EXPECT_EQ(Tail("C:\\K\xe9VANE\xa0.EXE JOB.FLG"), "JOB.FLG");
  EXPECT_EQ(Tail("K.EXE \xe9t\xe9.FLG"), "\xe9t\xe9.FLG");
}

}  // namespace
