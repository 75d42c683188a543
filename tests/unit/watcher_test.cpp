// The watcher's portable core: the event rules from each resting state against a recording
// fake, the status lines, the centring, the command-line tail, the INI path, the INI file.
#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "watcher/config/command_tail.h"
#include "watcher/config/configuration.h"
#include "watcher/config/ini_path.h"
#include "watcher/core/centering.h"
#include "watcher/core/probe_answer.h"
#include "watcher/core/set_flag_rules.h"
#include "watcher/core/status_lines.h"
#include "watcher/core/watcher_rules.h"

namespace {

// Models the window, the timer, JOB.FLG and the dialogs, and logs every operation as a
// word. Set Flag File presses OK with field, then Cancel if refused; About lets a tick in.
struct Fake {
  WatcherState state;
  WatcherOps ops;
  std::string log;
  int flag = 0, minimized = 0, refuseTimers = 0;
  unsigned running = 0;
  const char *field = nullptr;
  Fake();
};

// The fake behind ctx, having logged word when one is given.
Fake *F(void *ctx, const std::string &word = "") {
  if (!word.empty()) static_cast<Fake *>(ctx)->log += " " + word;
  return static_cast<Fake *>(ctx);
}

Fake::Fake() {
  InitWatcherState(&state);
  ops.ctx = this;
  ops.minimize = [](void *c) { F(c, "minimize")->minimized = 1; };
  ops.restore = [](void *c) { F(c, "restore")->minimized = 0; };
  ops.isMinimized = [](void *c) { return F(c)->minimized; };
  ops.raiseTopmost = [](void *c) { F(c, "topmost"); };
  ops.dropToBottom = [](void *c) { F(c, "bottom"); };
  ops.focus = [](void *c) { F(c, "focus"); };
  ops.repaint = [](void *c) { F(c, "repaint"); };
  ops.quit = [](void *c) { F(c, "quit"); };
  ops.startTimer = [](void *c) {
    Fake *f = F(c, F(c)->refuseTimers > 0 ? "start:refused" : "start");
    return f->refuseTimers-- > 0 ? 0u : (f->running = 7);
  };
  ops.stopTimer = [](void *c, unsigned id) {
    F(c, id == F(c)->running ? "stop" : "stop:" + std::to_string(id))->running = 0;
  };
  ops.errorBox = [](void *c, const char *text, const char *title) {
    F(c, text + ("|" + std::string(title)));
  };
  ops.probeOpen = [](void *c, const char *name) -> void * {
    return F(c, std::string("probe:") + name)->flag && strcmp(name, "JOB.FLG") == 0 ? c : nullptr;
  };
  ops.probeClose = [](void *c, void *token) { F(c, token == c ? "close" : "close:bad"); };
  ops.deleteFile = [](void *c, const char *) { return F(c, "delete")->flag-- > 0 ? 1 : 0; };
  ops.runSetFlagDialog = [](void *c, WatcherState *s) {
    if (F(c, "dialog")->field != nullptr && SetFlagDialogOk(s, F(c)->field)) return 1;
    SetFlagDialogCancel(s);
    return 0;
  };
  ops.runAboutDialog = [](void *c) { WatcherTimerTick(&F(c, "about")->state, &F(c)->ops); };
  ops.saveFlagName = [](void *c, const WatcherState *s) {
    F(c, std::string("save:") + s->flagFileName);
  };
  ops.sendMinimizeRequest = [](void *c) {
    WatcherMinimizeRequest(&F(c, "send{")->state, &F(c)->ops);
    F(c, "}");
  };
}

// The state named from the record, once it agrees with the modelled window and timer.
std::string Resting(const Fake &f) {
  const WatcherState &s = f.state;
  if (s.timerId != f.running || f.minimized == s.windowOpen) return "disagrees with the model";
  std::string name = s.windowOpen ? "open" : "minimized";
  if (s.windowOpen && s.flagIsOn) name = "signalling";
  if (s.windowOpen && !s.flagIsOn && (s.noCommandLine || s.noTimer)) name = "complaint";
  if (!s.windowOpen && s.timerId != 0 && !s.flagIsOn) name = "waiting";
  if (s.timerId == 0 && name != "signalling") name += ", not polling";
  return name + (s.noCommandLine ? ", no name" : "") + (s.noTimer ? ", no timer" : "");
}

void StartUp(WatcherState *state, const WatcherOps *ops) {
  WatcherStartTimer(state, ops);
  WatcherStartupDecision(state, ops);
}

// "fresh" and "nameless" are not started; the others are reached through the rules.
void Enter(Fake &f, const std::string &from) {
  int named = from != "complaint" && from != "nameless";
  strcpy(f.state.flagFileName, named ? "JOB.FLG" : "");
  f.state.noCommandLine = !named;
  f.refuseTimers = from == "no timer";
  if (from != "fresh" && from != "nameless") StartUp(&f.state, &f.ops);
  if (from == "open") WatcherRestoreRequest(&f.state, &f.ops);
  f.flag = 1;
  if (from == "signalling") WatcherTimerTick(&f.state, &f.ops);
  f.flag = 0;
  f.log.clear();
}

// A probe's answer that the flag is up, from a probe started for name under timer id.
template <unsigned id, const char *name>
void Found(WatcherState *state, const WatcherOps *ops) {
  WatcherProbeFound(state, ops, id, name);
}
constexpr char kJob[] = "JOB.FLG", kOld[] = "OLD.FLG";

// The answer of a probe started before the watcher quit.
void FoundAfterExit(WatcherState *state, const WatcherOps *ops) {
  WatcherExitCommand(state, ops);
  Found<7, kJob>(state, ops);
}

// Something else minimized the window before the core was told.
void MinimizedElsewhere(WatcherState *state, const WatcherOps *ops) {
  F(ops->ctx)->minimized = 1;
  WatcherWindowMinimized(state, ops);
}

TEST(WatcherRules, EachEventFromEachRestingState) {
  const std::string kSignal = " stop restore topmost focus repaint";
  const std::string kFound = " probe:JOB.FLG close" + kSignal;
  const char *kStopped = "minimized, not polling";
  const struct {
    const char *from;
    void (*event)(WatcherState *, const WatcherOps *);
    std::string log;
    const char *to;
    int flag = 0;                 // JOB.FLG exists
    int refuse = 0;               // timer requests refused
    const char *field = nullptr;  // Set Flag File: OK with this text; null: Cancel
  } kRows[] = {
      {"fresh", StartUp, " start minimize", "waiting"},
      {"fresh", StartUp, " start:refused repaint", "complaint, not polling, no timer", 0, 1},
      {"nameless", StartUp, " start repaint", "complaint, no name"},
      {"waiting", WatcherTimerTick, " probe:JOB.FLG", "waiting"},
      {"waiting", WatcherTimerTick, kFound, "signalling", 1},
      {"open", WatcherTimerTick, " probe:JOB.FLG close stop topmost focus repaint", "signalling",
       1},
      {"signalling", WatcherTimerTick, "", "signalling", 1},
      {"complaint", WatcherTimerTick, "", "complaint, no name", 1},
      {"signalling", WatcherMinimizeRequest, " start bottom minimize", "waiting"},
      {"signalling", WatcherMinimizeRequest, " start:refused repaint", "signalling, no timer", 0,
       1},
      {"open", WatcherMinimizeRequest, " bottom minimize", "waiting"},
      {"complaint", WatcherMinimizeRequest, " repaint", "complaint, no name"},
      {"no timer", WatcherMinimizeRequest, " start bottom minimize", "waiting, no timer"},
      {"signalling", MinimizedElsewhere, " start bottom minimize", "waiting"},
      {"open", MinimizedElsewhere, " bottom minimize", "waiting"},
      {"complaint", MinimizedElsewhere, " repaint restore", "complaint, no name"},
      {"signalling", MinimizedElsewhere, " start:refused repaint restore", "signalling, no timer",
       0, 1},
      {"waiting", MinimizedElsewhere, "", "waiting"},
      {"waiting", WatcherRestoreRequest, " restore", "open"},
      {"waiting", WatcherSystemClose, " stop minimize quit", kStopped},
      {"open", WatcherSystemClose, " stop minimize quit", kStopped},
      {"open", WatcherWindowClose, " minimize stop quit", kStopped},
      {"waiting", WatcherWindowClose, " stop quit", kStopped},
      {"open", WatcherExitCommand, " stop minimize quit", kStopped},
      {"signalling", WatcherExitCommand, " minimize quit", kStopped},
      {"signalling", WatcherDeleteFlagCommand, " delete send{ start bottom minimize }", "waiting",
       1},
      {"signalling", WatcherDeleteFlagCommand, " delete Can't Delete Flag File|Program Error",
       "signalling"},
      {"signalling", WatcherSetFlagCommand, " dialog", "open, not polling"},
      {"open", WatcherSetFlagCommand, " dialog", "open", 0, 0, ""},
      {"signalling", WatcherSetFlagCommand, " dialog save:NEW.FLG send{ start bottom minimize }",
       "waiting", 0, 0, "NEW.FLG"},
      {"complaint", WatcherSetFlagCommand, " dialog save:NEW.FLG send{ bottom minimize }",
       "waiting", 0, 0, "NEW.FLG"},
      {"complaint", WatcherSetFlagCommand, " dialog", "complaint, no name", 0, 0, ""},
      {"waiting", WatcherAboutCommand, " about probe:JOB.FLG", "waiting"},
      {"waiting", WatcherAboutCommand, " about" + kFound, "signalling", 1},
      {"waiting", Found<7, kJob>, kSignal, "signalling"},
      {"open", Found<7, kJob>, " stop topmost focus repaint", "signalling"},
      {"signalling", Found<7, kJob>, "", "signalling"},
      {"complaint", Found<7, kJob>, "", "complaint, no name"},
      {"waiting", Found<7, kOld>, "", "waiting"},
      {"waiting", Found<8, kJob>, "", "waiting"},
      {"waiting", FoundAfterExit, " stop quit", kStopped},
      {"waiting", WatcherFocusLost, " topmost", "waiting"},
      {"complaint", WatcherFocusLost, " topmost", "complaint, no name"},
  };
  for (const auto &row : kRows) {
    Fake f;
    Enter(f, row.from);
    f.flag = row.flag;
    f.refuseTimers = row.refuse;
    f.field = row.field;
    row.event(&f.state, &f.ops);
    SCOPED_TRACE(row.from + (" ->" + row.log));
    EXPECT_EQ(f.log, row.log);
    EXPECT_EQ(Resting(f), row.to);
  }
}

// A state that the dialog itself never leaves, since an empty OK keeps the name.
TEST(WatcherRules, CancellingWithoutANameComplains) {
  WatcherState state;
  InitWatcherState(&state);
  SetFlagDialogCancel(&state);
  EXPECT_EQ(state.noCommandLine, 1);
}

TEST(WatcherPaint, StatusLinesTenApartFromTheLeftEdge) {
  WatcherState state;
  InitWatcherState(&state);
  StatusLine lines[kMaxStatusLines];
  std::string drawn;
  state.noCommandLine = state.noTimer = state.flagIsOn = 1;
  for (int i = 0, n = GetStatusLines(&state, lines); i < n; ++i)
    drawn +=
        std::to_string(lines[i].x) + "," + std::to_string(lines[i].y) + " " + lines[i].text + "|";
  EXPECT_EQ(drawn,
            "20,20 No Command Line Received|20,30 No System Timer Available|20,40 Flag is On...|");
}

TEST(WatcherPlacement, CentresTruncatingTowardZeroAndClampsLowEdgeFirst) {
  const int kRows[][6] = {
      // start, span, size, monitor's low edge and length -> position
      {100, 200, 50, 0, 1024, 175},        {10, 1, 4, 0, 1024, 9},
      {-100, 60, 100, 0, 1024, 0},         {1000, 100, 50, 0, 1024, 974},
      {0, 100, 2000, 0, 1024, 0},          {900, 200, 2000, 0, 1024, -976},
      {-1000, 200, 50, -1280, 1280, -925}, {-1300, 60, 100, -1280, 1280, -1280},
      {-100, 200, 300, -1280, 1280, -300}, {3100, 100, 200, 1920, 1280, 3000},
  };
  for (const auto &r : kRows) EXPECT_EQ(CenterCoordinate(r[0], r[1], r[2], r[3], r[4]), r[5]);
}

// On the monitor of the window centred over; a minimized one counts where it would be
// restored, its workspace coordinates off by a taskbar at the monitor's top or left.
TEST(WatcherPlacement, CentresOverWhereTheWindowWouldBeRestored) {
  const CenterBox kWindow = {5, 5, 205, 105}, kParked = {-32000, -32000, -31840, -31969};
  const CenterBox kScreen = {0, 0, 1024, 768}, kLeft = {-1280, -200, 0, 824};
  const CenterScene kRows[] = {
      {kWindow, {-300, 700, -200, 800}, {}, kScreen, kScreen, 0},
      {kWindow, kParked, {300, 200, 560, 360}, kScreen, {0, 40, 1024, 768}, 1},
      {kWindow, kParked, {-900, 100, -640, 260}, kLeft, {-1220, -200, 0, 784}, 1},
  };
  const int kPlaces[][2] = {{0, 668}, {330, 270}, {-810, 130}};
  for (int i = 0; i < 3; ++i) {
    int x = 1, y = 1;
    CenterPosition(&kRows[i], &x, &y);
    EXPECT_EQ(x, kPlaces[i][0]) << i;
    EXPECT_EQ(y, kPlaces[i][1]) << i;
  }
}

TEST(CommandTail, SkipsTheProgramNameAsTheStartUpCodeDoes) {
  const char *kRows[][2] = {
      {"K.EXE     ", ""},
      {"K.EXE C:\\FLAGS\\JOB.FLG", "C:\\FLAGS\\JOB.FLG"},
      {"\"C:\\Program Files\\K.EXE\" C:\\FLAGS\\JOB.FLG", "C:\\FLAGS\\JOB.FLG"},
      {"\"C:\\K.EXE\"JOB.FLG", "JOB.FLG"},
      {"\"C:\\K.EXE JOB.FLG", ""},
      {"K.EXE  a name with blanks  ", "a name with blanks  "},
      {"K.EXE \t\x01\x1f \"quoted\" name", "\"quoted\" name"},
      {"K\xe9\xff.EXE JOB", "JOB"},
  };
  for (const auto &row : kRows) EXPECT_STREQ(CommandLineTail(row[0]), row[1]) << row[0];
}

TEST(IniPath, SameFolderAndBaseNameWithIni) {
  const struct {
    const char *program;
    int size;
    const char *ini;  // "" when it does not fit
  } kRows[] = {
      {"C:\\TOOLS\\KORVANE.EXE", 256, "C:\\TOOLS\\KORVANE.INI"},
      {"C:\\A.B\\KORVANE", 256, "C:\\A.B\\KORVANE.INI"},
      {"C:/x/y.z/k", 256, "C:/x/y.z/k.INI"},
      {"C:k.exe", 256, "C:k.INI"},
      {"\\\\srv\\share\\A Long.Base Name.EXECUTABLE", 256, "\\\\srv\\share\\A Long.Base Name.INI"},
      {"C:\\TOOLS\\KORVANE.EXE", 21, "C:\\TOOLS\\KORVANE.INI"},
      {"C:\\TOOLS\\KORVANE.EXE", 20, ""},
  };
  for (const auto &row : kRows) {
    std::vector<char> out(row.size, 'x');  // exactly size bytes, so an overrun is caught
    EXPECT_EQ(DeriveIniPath(row.program, out.data(), row.size), row.ini[0] != '\0');
    EXPECT_STREQ(out.data(), row.ini) << row.program;
  }
}

// An INI path ("" when there is none); every read and write is logged.
struct Profile {
  std::string ini, log;
};

Profile *P(void *ctx) { return static_cast<Profile *>(ctx); }

ProfileOps OpsOf(Profile *profile) {
  ProfileOps ops = {profile, nullptr, nullptr, nullptr};
  ops.iniPath = [](void *c, char *buffer, int size) {
    return snprintf(buffer, size, "%s", P(c)->ini.c_str());
  };
  ops.readString = [](void *c, const char *, const char *, const char *, char *, int,
                      const char *) {
    P(c)->log += " read";
    return 0;
  };
  ops.writeString = [](void *c, const char *s, const char *k, const char *value, const char *file) {
    P(c)->log += std::string(" write ") + file + "|" + s + "|" + k + "=" + value;
    return 1;
  };
  return ops;
}

// The end-to-end tests cover loading but for these, which they cannot bring about: a
// tail that fills the name's buffer to its last byte is taken, one more is refused.
TEST(Configuration, WithoutAnIniPathNothingIsReadAndTheTailStillCounts) {
  const std::string kRows[][2] = {{"", ""},
                                  {"X", "X"},
                                  {std::string(255, 'a'), std::string(255, 'a')},
                                  {std::string(256, 'a'), ""}};
  for (const auto &row : kRows) {
    Profile profile = {"", ""};
    ProfileOps ops = OpsOf(&profile);
    WatcherState state;
    InitWatcherState(&state);
    LoadConfiguration(&state, &ops, row[0].c_str());
    EXPECT_EQ(profile.log + state.iniFileName, "");
    EXPECT_EQ(state.flagFileName, row[1]) << row[0].size();
    EXPECT_EQ(state.noCommandLine, row[1].empty());
  }
}

TEST(Configuration, SaveWritesTheNameBesideTheProgramOnly) {
  Profile profile;
  ProfileOps ops = OpsOf(&profile);
  WatcherState state;
  InitWatcherState(&state);
  strcpy(state.flagFileName, "C:\\FLAGS\\NEW JOB.FLG");
  SaveFlagName(&state, &ops);  // no INI path yet: nothing may be written
  strcpy(state.iniFileName, "C:\\T\\K.INI");
  SaveFlagName(&state, &ops);
  EXPECT_EQ(profile.log, " write C:\\T\\K.INI|Command|CommandLine=C:\\FLAGS\\NEW JOB.FLG");
}

}  // namespace
