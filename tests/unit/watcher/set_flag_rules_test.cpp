// The Set Flag File dialog's OK and Cancel decisions.
#include "watcher/core/set_flag_rules.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>

namespace {

WatcherState Configured(const char *name) {
  WatcherState state;
  InitWatcherState(&state);
  strcpy(state.flagFileName, name);
  state.noCommandLine = name[0] == '\0';
  return state;
}

TEST(SetFlagDialog, OkWithANameTakesItAndEndsWithOne) {
  WatcherState state = Configured("");
  EXPECT_EQ(SetFlagDialogOk(&state, "C:\\FLAGS\\NEW.FLG"), 1);
  EXPECT_STREQ(state.flagFileName, "C:\\FLAGS\\NEW.FLG");
  EXPECT_EQ(state.noCommandLine, 0);
}

TEST(SetFlagDialog, OkKeepsTheFirst63Characters) {
  WatcherState state = Configured("OLD");
  std::string field(64, 'n');
  field[62] = 'L';
  EXPECT_EQ(SetFlagDialogOk(&state, field.c_str()), 1);
  EXPECT_EQ(std::string(state.flagFileName), field.substr(0, 63));
}

TEST(SetFlagDialog, OkOnAnEmptyFieldStaysOpenAndKeepsTheConfiguredName) {
  WatcherState state = Configured("C:\\JOB.FLG");
  EXPECT_EQ(SetFlagDialogOk(&state, ""), 0);
  EXPECT_EQ(SetFlagDialogOk(&state, nullptr), 0);
  EXPECT_STREQ(state.flagFileName, "C:\\JOB.FLG");
  SetFlagDialogCancel(&state);
  EXPECT_STREQ(state.flagFileName, "C:\\JOB.FLG");
  EXPECT_EQ(state.noCommandLine, 0);
}

TEST(SetFlagDialog, CancelWithoutANameComplainsAndWithOneChangesNothing) {
  WatcherState none = Configured("");
  none.noCommandLine = 0;
  EXPECT_EQ(SetFlagDialogOk(&none, ""), 0);
  SetFlagDialogCancel(&none);
  EXPECT_EQ(none.noCommandLine, 1);

  WatcherState named = Configured("A.FLG");
  WatcherState before = named;
  SetFlagDialogCancel(&named);
  EXPECT_EQ(memcmp(&before, &named, sizeof(named)), 0);
}

}  // namespace
