// Loading and saving the flag name against a fake program path and INI store.
#include "watcher/config/configuration.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "watcher/config/command_tail.h"

namespace {

// Reads and writes behave like the profile calls: a read is cut to size - 1 characters.
struct FakeProfile {
  std::string modulePath = "C:\\TOOLS\\KORVANE.EXE";
  int modulePathFails = 0;
  std::map<std::string, std::string> values;  // "file|section|key" -> value
  std::vector<std::string> reads;             // "file|section|key size"
  std::vector<std::string> writes;            // "file|section|key=value"
  ProfileOps ops;
  FakeProfile();
};

FakeProfile *Self(void *ctx) { return static_cast<FakeProfile *>(ctx); }

int ModulePath(void *ctx, char *buffer, int size) {
  const std::string &path = Self(ctx)->modulePath;
  if (Self(ctx)->modulePathFails || static_cast<int>(path.size()) >= size) {
    buffer[0] = '\0';
    return 0;
  }
  path.copy(buffer, path.size());
  buffer[path.size()] = '\0';
  return static_cast<int>(path.size());
}

int ReadString(void *ctx, const char *section, const char *key, const char *def, char *buffer,
               int size, const char *file) {
  std::string where = std::string(file) + "|" + section + "|" + key;
  Self(ctx)->reads.push_back(where + " " + std::to_string(size));
  auto found = Self(ctx)->values.find(where);
  std::string value = found != Self(ctx)->values.end() ? found->second : def;
  size_t length = value.copy(buffer, static_cast<size_t>(size - 1));
  buffer[length] = '\0';
  return static_cast<int>(length);
}

int WriteString(void *ctx, const char *section, const char *key, const char *value,
                const char *file) {
  std::string where = std::string(file) + "|" + section + "|" + key;
  Self(ctx)->writes.push_back(where + "=" + value);
  Self(ctx)->values[where] = value;
  return 1;
}

FakeProfile::FakeProfile() { ops = {this, ModulePath, ReadString, WriteString}; }

const char kIni[] = "C:\\TOOLS\\KORVANE.INI";
const std::string kEntry = std::string(kIni) + "|Command|CommandLine";

class Configuration : public ::testing::Test {
 protected:
  WatcherState state;
  FakeProfile profile;
  void SetUp() override { InitWatcherState(&state); }
  void Load(const char *tail) { LoadConfiguration(&state, &profile.ops, tail); }
};

TEST_F(Configuration, TheIniValueIsReadBesideTheProgramAndCutTo63) {
  std::string value(100, 'v');
  profile.values[kEntry] = value;
  Load("");
  EXPECT_STREQ(state.iniFileName, kIni);
  EXPECT_EQ(profile.reads, std::vector<std::string>{kEntry + " 64"});
  EXPECT_EQ(std::string(state.flagFileName), value.substr(0, 63));
  EXPECT_EQ(state.noCommandLine, 0);
  EXPECT_TRUE(profile.writes.empty());
}

TEST_F(Configuration, ATailOverridesTheIniValueWithoutWritingIt) {
  profile.values[kEntry] = "C:\\OLD.FLG";
  Load(CommandLineTail("\"C:\\Other Dir\\K.EXE\" C:\\FLAGS\\JOB.FLG"));
  EXPECT_STREQ(state.flagFileName, "C:\\FLAGS\\JOB.FLG");
  EXPECT_STREQ(state.iniFileName, kIni);  // from the program file, not the command line
  EXPECT_TRUE(profile.writes.empty());
  EXPECT_EQ(profile.values[kEntry], "C:\\OLD.FLG");
}

TEST_F(Configuration, ABlankTailLeavesTheIniValueAndTrailingBlanksAreKept) {
  profile.values[kEntry] = "C:\\OLD.FLG";
  Load(CommandLineTail("KORVANE.EXE   "));
  EXPECT_STREQ(state.flagFileName, "C:\\OLD.FLG");
  Load(CommandLineTail("KORVANE.EXE JOB.FLG  "));
  EXPECT_STREQ(state.flagFileName, "JOB.FLG  ");
  Load(nullptr);
  EXPECT_STREQ(state.flagFileName, "C:\\OLD.FLG");
}

TEST_F(Configuration, NoIniValueAndNoTailMeansNoName) {
  Load("");
  EXPECT_STREQ(state.flagFileName, "");
  EXPECT_EQ(state.noCommandLine, 1);
}

TEST_F(Configuration, ATailIsTakenWholeUpTo255AndRefusedBeyond) {
  profile.values[kEntry] = "C:\\OLD.FLG";
  std::string tail(255, 't');
  Load(tail.c_str());
  EXPECT_EQ(std::string(state.flagFileName), tail);
  EXPECT_EQ(state.noCommandLine, 0);

  tail += 'u';
  Load(tail.c_str());
  EXPECT_STREQ(state.flagFileName, "");
  EXPECT_EQ(state.noCommandLine, 1);
}

TEST_F(Configuration, WithoutAProgramPathNothingIsReadOrSaved) {
  profile.modulePathFails = 1;
  Load("C:\\JOB.FLG");
  EXPECT_STREQ(state.iniFileName, "");
  EXPECT_TRUE(profile.reads.empty());
  EXPECT_STREQ(state.flagFileName, "C:\\JOB.FLG");
  SaveFlagName(&state, &profile.ops);
  EXPECT_TRUE(profile.writes.empty());

  InitWatcherState(&state);
  Load("");
  EXPECT_EQ(state.noCommandLine, 1);
}

TEST_F(Configuration, AProgramPathGivingAnOverlongIniPathCountsAsNone) {
  profile.modulePath = "C:\\" + std::string(300, 'd') + "\\KORVANE.EXE";
  Load("");
  EXPECT_STREQ(state.iniFileName, "");
  EXPECT_TRUE(profile.reads.empty());
  EXPECT_EQ(state.noCommandLine, 1);
}

TEST_F(Configuration, ASavedNameIsWhatTheNextStartUpReads) {
  Load("");
  strcpy(state.flagFileName, "D:\\NEW.FLG");
  SaveFlagName(&state, &profile.ops);
  EXPECT_EQ(profile.writes, std::vector<std::string>{kEntry + "=D:\\NEW.FLG"});

  WatcherState next;
  InitWatcherState(&next);
  LoadConfiguration(&next, &profile.ops, "");
  EXPECT_STREQ(next.flagFileName, "D:\\NEW.FLG");
  EXPECT_EQ(next.noCommandLine, 0);
}

}  // namespace
