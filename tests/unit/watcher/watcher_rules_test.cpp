// The watcher's event rules against the recording fake: which resting state each event
// leads to, and the operations it performs, in order.
#include "watcher/core/watcher_rules.h"

#include <gtest/gtest.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/unit/watcher/recording_ops_fake.h"
#include "watcher/core/set_flag_rules.h"

namespace {

using Log = std::vector<std::string>;

const char kFlag[] = "C:\\FLAGS\\JOB.FLG";

class WatcherRules : public ::testing::Test {
 protected:
  WatcherState state;
  RecordingOps fake;
  const WatcherOps *ops = &fake.ops;

  void SetUp() override {
    InitWatcherState(&state);
    fake.state = &state;
  }

  // Start-up as the entry point runs it, configuration being reduced to the name. The
  // world starts afresh; scripted timer results and dialogs stay.
  void StartWith(const char *name) {
    InitWatcherState(&state);
    fake.files.clear();
    fake.runningTimers.clear();
    fake.minimized = 0;
    fake.ClearLog();
    strcpy(state.flagFileName, name);
    state.noCommandLine = name[0] == '\0';
    WatcherStartTimer(&state, ops);
    WatcherStartupDecision(&state, ops);
  }
  void EnterWaiting() {
    StartWith(kFlag);
    fake.ClearLog();
  }
  void EnterOpenIdle() {
    EnterWaiting();
    WatcherRestoreRequest(&state, ops);
    fake.ClearLog();
  }
  void EnterSignalling() {
    EnterWaiting();
    fake.files.insert(kFlag);
    WatcherTimerTick(&state, ops);
    fake.ClearLog();
  }
  void EnterComplaint() {
    StartWith("");
    fake.ClearLog();
  }

  // Names the state from the record and the modelled window and timers, after checking
  // that the record agrees with them.
  std::string Resting() const {
    std::set<unsigned int> expectTimers;
    if (state.timerId != 0) expectTimers.insert(state.timerId);
    if (fake.runningTimers != expectTimers) return "timerId disagrees with the timers";
    if (fake.minimized == state.windowOpen) return "windowOpen disagrees with the window";
    int polling = state.timerId != 0;
    int complaint = state.noCommandLine || state.noTimer;
    if (!state.windowOpen && polling && !state.flagIsOn) return "waiting";
    if (state.windowOpen && !polling && state.flagIsOn) return "signalling";
    if (state.windowOpen && !state.flagIsOn && complaint) return "complaint";
    if (state.windowOpen && polling && !state.flagIsOn) return "open idle";
    if (state.windowOpen && !polling && !state.flagIsOn) return "open, not polling";
    return "unexpected";
  }
};

TEST_F(WatcherRules, StartUpWithNameAndTimerMinimizesAndWaits) {
  StartWith(kFlag);
  EXPECT_EQ(fake.log, (Log{"startTimer -> 7", "minimize"}));
  EXPECT_EQ(Resting(), "waiting");
  EXPECT_EQ(state.noTimer, 0);
}

TEST_F(WatcherRules, StartUpWithoutNameStillStartsTheTimerAndComplains) {
  StartWith("");
  EXPECT_EQ(fake.log, (Log{"startTimer -> 7", "repaint"}));
  EXPECT_EQ(Resting(), "complaint");
  EXPECT_EQ(state.timerId, 7u);
}

TEST_F(WatcherRules, StartUpTimerRefusalSetsNoTimerAndComplains) {
  fake.timerResults = {0};
  StartWith(kFlag);
  EXPECT_EQ(fake.log, (Log{"startTimer -> 0", "repaint"}));
  EXPECT_EQ(state.noTimer, 1);
  EXPECT_EQ(Resting(), "complaint");
}

TEST_F(WatcherRules, TickFindingTheFlagWhileWaitingSignalsInOrder) {
  EnterWaiting();
  fake.files.insert(kFlag);
  WatcherTimerTick(&state, ops);
  EXPECT_EQ(fake.log, (Log{std::string("probeOpen ") + kFlag, "probeClose", "stopTimer 7",
                           "restore", "raiseTopmost", "focus", "repaint"}));
  EXPECT_EQ(fake.openProbes, 0);
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, TickFindingTheFlagWhileOpenDoesNotRestore) {
  EnterOpenIdle();
  fake.files.insert(kFlag);
  WatcherTimerTick(&state, ops);
  EXPECT_EQ(fake.log, (Log{std::string("probeOpen ") + kFlag, "probeClose", "stopTimer 7",
                           "raiseTopmost", "focus", "repaint"}));
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, TickIsIgnoredWithoutANameAndWhileSignalling) {
  EnterComplaint();
  fake.files.insert("");
  WatcherTimerTick(&state, ops);
  EXPECT_TRUE(fake.log.empty());
  EXPECT_EQ(Resting(), "complaint");

  EnterSignalling();
  WatcherTimerTick(&state, ops);  // the flag is still there
  EXPECT_TRUE(fake.log.empty());
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, MinimizingTheSignallingWindowRestartsPollingAndFindsTheFlagAgain) {
  EnterSignalling();
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(fake.log, (Log{"startTimer -> 7", "dropToBottom", "minimize"}));
  EXPECT_EQ(Resting(), "waiting");
  WatcherTimerTick(&state, ops);
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, MinimizingTheOpenIdleWindowKeepsItsTimer) {
  EnterOpenIdle();
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(fake.log, (Log{"dropToBottom", "minimize"}));
  EXPECT_EQ(Resting(), "waiting");
  EXPECT_EQ(state.timerId, 7u);
}

TEST_F(WatcherRules, MinimizeWithoutANameOnlyRepaints) {
  EnterComplaint();
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(fake.log, (Log{"repaint"}));
  EXPECT_EQ(Resting(), "complaint");
}

TEST_F(WatcherRules, TimerRefusedAtReArmKeepsTheWindowOpen) {
  EnterSignalling();
  fake.timerResults = {0};
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(fake.log, (Log{"startTimer -> 0", "repaint"}));
  EXPECT_EQ(state.noTimer, 1);
  EXPECT_EQ(state.windowOpen, 1);
  EXPECT_EQ(state.flagIsOn, 1);
  EXPECT_EQ(fake.minimized, 0);
}

TEST_F(WatcherRules, StartUpTimerRefusalIsRetriedByEachMinimizeAndNoTimerStays) {
  fake.timerResults = {0, 0, 9};
  StartWith(kFlag);
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(Resting(), "complaint");
  fake.ClearLog();
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(fake.log, (Log{"startTimer -> 9", "dropToBottom", "minimize"}));
  EXPECT_EQ(Resting(), "waiting");
  EXPECT_EQ(state.noTimer, 1);
}

TEST_F(WatcherRules, RestoreWhileWaitingOpensTheWindowAndPollingGoesOn) {
  EnterWaiting();
  WatcherRestoreRequest(&state, ops);
  EXPECT_EQ(fake.log, (Log{"restore"}));
  EXPECT_EQ(Resting(), "open idle");
  fake.files.insert(kFlag);
  WatcherTimerTick(&state, ops);
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, SystemCloseStopsARunningTimerMinimizesAndQuits) {
  EnterOpenIdle();
  WatcherSystemClose(&state, ops);
  EXPECT_EQ(fake.log, (Log{"stopTimer 7", "minimize", "quit"}));
  EXPECT_TRUE(fake.runningTimers.empty());

  EnterSignalling();
  WatcherSystemClose(&state, ops);
  EXPECT_EQ(fake.log, (Log{"minimize", "quit"}));
}

TEST_F(WatcherRules, WindowCloseMinimizesOnlyAnOpenWindow) {
  EnterOpenIdle();
  WatcherWindowClose(&state, ops);
  EXPECT_EQ(fake.log, (Log{"minimize", "stopTimer 7", "quit"}));

  EnterWaiting();
  WatcherWindowClose(&state, ops);
  EXPECT_EQ(fake.log, (Log{"stopTimer 7", "quit"}));
  EXPECT_TRUE(fake.runningTimers.empty());

  EnterSignalling();
  WatcherWindowClose(&state, ops);
  EXPECT_EQ(fake.log, (Log{"minimize", "quit"}));
}

TEST_F(WatcherRules, ExitStopsTheTimerBeforeMinimizing) {
  EnterOpenIdle();
  WatcherExitCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{"stopTimer 7", "minimize", "quit"}));

  EnterWaiting();
  WatcherExitCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{"stopTimer 7", "quit"}));

  EnterSignalling();
  WatcherExitCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{"minimize", "quit"}));
}

TEST_F(WatcherRules, DeleteFlagSendsTheMinimizeRequestAndEndsWaiting) {
  EnterSignalling();
  WatcherDeleteFlagCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{std::string("deleteFile ") + kFlag, "send minimize {", "startTimer -> 7",
                           "dropToBottom", "minimize", "}"}));
  EXPECT_EQ(fake.files.count(kFlag), 0u);
  EXPECT_EQ(Resting(), "waiting");
}

TEST_F(WatcherRules, DeleteFlagFailureShowsTheErrorAndChangesNothing) {
  EnterSignalling();
  fake.files.clear();  // removed behind the watcher's back
  WatcherState before = state;
  WatcherDeleteFlagCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{std::string("deleteFile ") + kFlag,
                           "errorBox Can't Delete Flag File | Program Error"}));
  EXPECT_EQ(memcmp(&before, &state, sizeof(state)), 0);
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, SetFlagConfirmedWhileSignallingSavesThenWaitsForTheNewName) {
  EnterSignalling();
  int flagDuringDialog = -1;
  fake.setFlagDialog = [&](WatcherState *s) {
    flagDuringDialog = s->flagIsOn;
    return SetFlagDialogOk(s, "D:\\NEW.FLG");
  };
  WatcherSetFlagCommand(&state, ops);
  EXPECT_EQ(flagDuringDialog, 0);
  EXPECT_EQ(fake.log, (Log{"setFlagDialog", "saveFlagName D:\\NEW.FLG", "send minimize {",
                           "startTimer -> 7", "dropToBottom", "minimize", "}"}));
  EXPECT_EQ(Resting(), "waiting");
  fake.ClearLog();
  WatcherTimerTick(&state, ops);
  EXPECT_EQ(fake.log, (Log{"probeOpen D:\\NEW.FLG"}));
}

TEST_F(WatcherRules, SetFlagCancelledWhileSignallingLeavesPollingStoppedUntilAMinimize) {
  EnterSignalling();
  WatcherSetFlagCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{"setFlagDialog"}));
  EXPECT_STREQ(state.flagFileName, kFlag);
  EXPECT_EQ(Resting(), "open, not polling");
  WatcherMinimizeRequest(&state, ops);
  EXPECT_EQ(Resting(), "waiting");
}

TEST_F(WatcherRules, SetFlagCancelledWhileOpenIdleLeavesPollingRunning) {
  EnterOpenIdle();
  WatcherSetFlagCommand(&state, ops);
  EXPECT_EQ(Resting(), "open idle");
  fake.files.insert(kFlag);
  WatcherTimerTick(&state, ops);
  EXPECT_EQ(Resting(), "signalling");
}

TEST_F(WatcherRules, SetFlagFromTheComplaintConfirmedWaitsAndCancelledKeepsComplaining) {
  EnterComplaint();
  WatcherSetFlagCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{"setFlagDialog"}));
  EXPECT_EQ(Resting(), "complaint");
  EXPECT_EQ(state.noCommandLine, 1);

  fake.setFlagDialog = [](WatcherState *s) { return SetFlagDialogOk(s, "X.FLG"); };
  WatcherSetFlagCommand(&state, ops);
  EXPECT_EQ(state.noCommandLine, 0);
  EXPECT_EQ(Resting(), "waiting");
}

TEST_F(WatcherRules, SetFlagDialogFailureIsNotAConfirmation) {
  EnterOpenIdle();
  fake.setFlagDialog = [](WatcherState *) { return -1; };  // DialogBoxParamA failed
  WatcherSetFlagCommand(&state, ops);
  EXPECT_EQ(fake.log, (Log{"setFlagDialog"}));
  EXPECT_EQ(Resting(), "open idle");
}

TEST_F(WatcherRules, ATickDuringAModalDialogCanSignal) {
  EnterWaiting();
  fake.files.insert(kFlag);
  fake.aboutDialog = [&] { WatcherTimerTick(&state, ops); };
  WatcherAboutCommand(&state, ops);
  EXPECT_EQ(fake.log.front(), "aboutDialog");
  EXPECT_EQ(fake.log.back(), "repaint");
  EXPECT_EQ(Resting(), "signalling");
}

// About, focus lost and a tick that finds nothing leave every state as it was.
TEST_F(WatcherRules, QuietEventsChangeNoState) {
  std::function<void()> enter[] = {[&] { EnterWaiting(); }, [&] { EnterOpenIdle(); },
                                   [&] { EnterSignalling(); }, [&] { EnterComplaint(); }};
  for (auto enterState : enter) {
    enterState();
    fake.files.clear();
    std::string name = Resting();
    WatcherState before = state;
    WatcherAboutCommand(&state, ops);
    WatcherFocusLost(&state, ops);
    WatcherTimerTick(&state, ops);
    SCOPED_TRACE(name);
    EXPECT_EQ(memcmp(&before, &state, sizeof(state)), 0);
    EXPECT_EQ(Resting(), name);
    ASSERT_GE(fake.log.size(), 2u);
    EXPECT_EQ(fake.log[0], "aboutDialog");
    EXPECT_EQ(fake.log[1], "raiseTopmost");
  }
}

}  // namespace
