// The Linux watcher's parts below the window: the flag probe and delete on real files,
// the key file, loaded and saved in a scratch configuration folder, and the login entry's
// Exec line.
#include <dirent.h>
#include <glib.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "watcher/config/configuration.h"
#include "watcher/gtk/key_file_profile.h"
#include "watcher/gtk/login_entry.h"
#include "watcher/gtk/posix_files.h"

namespace {

struct Scratch {
  std::string dir;
  Scratch() {
    char name[] = "/tmp/kvg-test.XXXXXX";
    dir = mkdtemp(name);
  }
  ~Scratch() { EXPECT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0); }
};

void Write(const std::string &path, const std::string &text) { std::ofstream(path) << text; }

std::string Read(const std::string &path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

int OpenDescriptors() {
  int count = 0;
  DIR *fds = opendir("/proc/self/fd");
  while (readdir(fds) != nullptr) ++count;
  closedir(fds);
  return count;
}

TEST(LinuxFlagFile, OnlyARegularFileIsAFlagAndTheProbeKeepsNothingOpen) {
  Scratch s;
  Write(s.dir + "/JOB.FLG", "");
  ASSERT_EQ(mkdir((s.dir + "/FOLDER").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((s.dir + "/FIFO").c_str(), 0644), 0);  // a blocking open would hang here
  const struct {
    std::string name;
    int isFlag, deleted;
  } kRows[] = {
      {s.dir + "/JOB.FLG", 1, 1},
      {s.dir + "/JOB.FLG", 0, 0},
      {s.dir + "/FOLDER", 0, 0},
      {s.dir + "/FIFO", 0, 1},
      {"", 0, 0},
      {std::string(5000, 'x'), 0, 0},
  };
  int before = OpenDescriptors();
  for (const auto &row : kRows) {
    void *token = PosixProbeOpen(nullptr, row.name.c_str());
    EXPECT_EQ(token != nullptr, row.isFlag) << row.name;
    if (token != nullptr) PosixProbeClose(nullptr, token);
    EXPECT_EQ(PosixDeleteFile(nullptr, row.name.c_str()), row.deleted) << row.name;
  }
  EXPECT_EQ(OpenDescriptors(), before);
  struct stat info;
  EXPECT_EQ(stat((s.dir + "/FOLDER").c_str(), &info), 0);
}

TEST(LinuxKeyFile, ArgumentsWinElseTheFileGivesAtMost63BytesOfWholeCharacters) {
  const std::string a62(62, 'a');
  const struct {
    const char *file;  // null: no file
    std::string text, args, name;
  } kRows[] = {
      {"korvane.ini", "[Command]\nCommandLine=/srv/a.flg\n", "", "/srv/a.flg"},
      {"korvane.ini", "[Command]\nCommandLine=/srv/a.flg\n", "/srv/my job.flg", "/srv/my job.flg"},
      {"korvane.ini", "[Command]\nCommandLine=" + a62 + "\xc3\xa9.flg\n", "", a62},
      {"korvane.ini", "[Command]\nCommandLine=" + std::string(70, 'b') + "\n", "",
       std::string(63, 'b')},
      {"korvane.ini", "[Command\nCommandLine=/srv/a.flg\n", "", ""},
      {"korvane.ini", "[Command]\nCommandLine=\xff\n", "", ""},
      {"korvane.ini", "[Other]\nCommandLine=/srv/a.flg\n", "", ""},
      {nullptr, "", "", ""},
  };
  for (const auto &row : kRows) {
    Scratch s;
    std::string ini = s.dir + "/korvane.ini";
    if (row.file != nullptr) Write(ini, row.text);
    ProfileOps profile = KeyFileProfileOps(ini.c_str());
    WatcherState state;
    InitWatcherState(&state);
    LoadConfiguration(&state, &profile, row.args.c_str());
    EXPECT_EQ(state.flagFileName, row.name) << row.text;
    EXPECT_EQ(state.noCommandLine, row.name.empty());
    EXPECT_EQ(state.iniFileName, ini);
    if (row.file != nullptr) {
      EXPECT_EQ(Read(ini), row.text);
    }
  }
}

TEST(LinuxKeyFile, SaveKeepsTheRestOfTheFileAndLeavesAnUnreadableOneAlone) {
  Scratch s;
  setenv("XDG_CONFIG_HOME", (s.dir + "/config").c_str(), 1);
  WatcherState state;
  InitWatcherState(&state);
  ProfileOps profile = KeyFileProfileOps(nullptr);
  LoadConfiguration(&state, &profile, "");
  const std::string ini = s.dir + "/config/korvane/korvane.ini";
  ASSERT_EQ(state.iniFileName, ini);
  strcpy(state.flagFileName, "/srv/new job.flg");
  SaveFlagName(&state, &profile);  // neither folder nor file exists yet
  EXPECT_EQ(Read(ini), "[Command]\nCommandLine=/srv/new job.flg\n");

  const std::string other = "# notes\n\n[Other]\nkeep=yes\nName=Job\nName[de]=Auftrag\n\n";
  Write(ini, other + "[Command]\n# the flag\nCommandLine=old\nCommandLine[fr]=vieux\n");
  SaveFlagName(&state, &profile);
  EXPECT_EQ(Read(ini), other +
                           "[Command]\n# the flag\nCommandLine=/srv/new job.flg\n"
                           "CommandLine[fr]=vieux\n");

  Write(ini, "[Command\nCommandLine=old\n");
  SaveFlagName(&state, &profile);
  EXPECT_EQ(Read(ini), "[Command\nCommandLine=old\n");
}

TEST(LinuxLoginEntry, ExecQuotesTheProgramOnlyWhenItHoldsAReservedCharacter) {
  const struct {
    const char *program, *exec;
  } kRows[] = {
      {"/usr/bin/korvane", "/usr/bin/korvane"},
      {"/home/my bin/korvane", "\"/home/my bin/korvane\""},
      {"/opt/100%/korvane", "/opt/100%%/korvane"},
      {"/opt/it's 50%;#(1)~/korvane", "\"/opt/it's 50%%;#(1)~/korvane\""},
      {"/opt/\"`$\\/korvane", "\"/opt/\\\"\\`\\$\\\\/korvane\""},
  };
  for (const auto &row : kRows) {
    g_autofree char *exec = LoginExecArgument(row.program);
    EXPECT_STREQ(exec, row.exec);
  }
}

}  // namespace
