// The Set Flag File dialog's decisions, apart from the dialog itself: the Win32 dialog
// procedure only moves text between its edit field and these functions.
#ifndef WATCHER_CORE_SET_FLAG_RULES_H
#define WATCHER_CORE_SET_FLAG_RULES_H

#include "watcher/core/watcher_state.h"

// OK pressed. fieldText is the edit field's text, read by the caller into a scratch
// buffer of kNameReadSize bytes (never straight into flagFileName). A non-empty text
// becomes flagFileName (at most kNameReadSize - 1 characters are kept), noCommandLine
// becomes 0, and the result is 1: end the dialog with 1. An empty or null text changes
// nothing and the result is 0: the dialog stays open with the focus back in the field.
// Keeping the configured name on an empty OK means a later Cancel still has it.
int SetFlagDialogOk(WatcherState *state, const char *fieldText);

// Cancel pressed: the field is not read. With no configured name noCommandLine becomes
// 1, so the window complains. The dialog then ends with 0.
void SetFlagDialogCancel(WatcherState *state);

#endif
