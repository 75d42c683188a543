// The watcher's event rules: how each event moves the state record and the main window
// between waiting, signalling and the complaint. Every effect goes through WatcherOps.
#include "watcher/core/watcher_rules.h"

#include "watcher/core/watcher_constants.h"

// Minimizes the window if the program considers it restored, and records that it is not.
static void MinimizeIfOpen(WatcherState *state, const WatcherOps *ops) {
  if (state->windowOpen == 0) return;
  ops->minimize(ops->ctx);
  state->windowOpen = 0;
}

// Stops the running poll timer, if any, and records that none runs.
static void StopPollTimer(WatcherState *state, const WatcherOps *ops) {
  if (state->timerId == 0) return;
  ops->stopTimer(ops->ctx, state->timerId);
  state->timerId = 0;
}

void WatcherStartTimer(WatcherState *state, const WatcherOps *ops) {
  state->timerId = ops->startTimer(ops->ctx);
  if (state->timerId == 0) state->noTimer = 1;
}

void WatcherStartupDecision(WatcherState *state, const WatcherOps *ops) {
  if (state->noCommandLine == 0 && state->noTimer == 0) {
    ops->minimize(ops->ctx);
    state->windowOpen = 0;
    return;
  }
  // Open only to show a complaint.
  ops->repaint(ops->ctx);
  state->windowOpen = 1;
}

void WatcherFlagFound(WatcherState *state, const WatcherOps *ops) {
  state->flagIsOn = 1;
  StopPollTimer(state, ops);
  if (ops->isMinimized(ops->ctx)) ops->restore(ops->ctx);
  state->windowOpen = 1;
  ops->raiseTopmost(ops->ctx);
  ops->focus(ops->ctx);
  ops->repaint(ops->ctx);
}

int WatcherTickProbes(const WatcherState *state) {
  return state->noCommandLine == 0 && state->flagIsOn == 0;
}

void WatcherTimerTick(WatcherState *state, const WatcherOps *ops) {
  // The tick's own timer identifier is not examined: there is only the one timer.
  if (!WatcherTickProbes(state)) return;
  void *token = ops->probeOpen(ops->ctx, state->flagFileName);
  // Any failure to open (absent, a directory, a sharing refusal, a bad name) is "no flag".
  if (token == 0) return;
  ops->probeClose(ops->ctx, token);
  WatcherFlagFound(state, ops);
}

void WatcherMinimizeRequest(WatcherState *state, const WatcherOps *ops) {
  if (state->noCommandLine != 0) {
    // The complaint must stay visible: the window is not minimized.
    ops->repaint(ops->ctx);
    return;
  }
  if (state->timerId == 0) state->timerId = ops->startTimer(ops->ctx);
  if (state->timerId == 0) {
    state->noTimer = 1;
    ops->repaint(ops->ctx);
    return;
  }
  state->flagIsOn = 0;
  ops->dropToBottom(ops->ctx);
  ops->minimize(ops->ctx);
  state->windowOpen = 0;
}

void WatcherWindowMinimized(WatcherState *state, const WatcherOps *ops) {
  if (state->windowOpen == 0) return;
  WatcherMinimizeRequest(state, ops);
  // The minimize request keeps a complaint open by not minimizing; here the window is
  // minimized already, and must come back.
  if (state->windowOpen != 0) ops->restore(ops->ctx);
}

void WatcherRestoreRequest(WatcherState *state, const WatcherOps *ops) {
  ops->restore(ops->ctx);
  state->windowOpen = 1;
}

void WatcherSystemClose(WatcherState *state, const WatcherOps *ops) {
  StopPollTimer(state, ops);
  ops->minimize(ops->ctx);
  state->windowOpen = 0;
  ops->quit(ops->ctx);
}

void WatcherWindowClose(WatcherState *state, const WatcherOps *ops) {
  MinimizeIfOpen(state, ops);
  StopPollTimer(state, ops);
  ops->quit(ops->ctx);
}

void WatcherExitCommand(WatcherState *state, const WatcherOps *ops) {
  StopPollTimer(state, ops);
  MinimizeIfOpen(state, ops);
  ops->quit(ops->ctx);
}

void WatcherDeleteFlagCommand(WatcherState *state, const WatcherOps *ops) {
  WatcherFlagDeleted(state, ops, ops->deleteFile(ops->ctx, state->flagFileName));
}

void WatcherFlagDeleted(WatcherState *state, const WatcherOps *ops, int deleted) {
  if (!deleted) {
    // Nothing else changes: a flag still up stays signalled.
    ops->errorBox(ops->ctx, KV_TEXT_CANT_DELETE, KV_CAPTION_ERROR);
    return;
  }
  state->flagIsOn = 0;
  // Handled to its end before this returns (SendMessageA), so the command ends waiting.
  ops->sendMinimizeRequest(ops->ctx);
}

void WatcherSetFlagCommand(WatcherState *state, const WatcherOps *ops) {
  // Cleared before the dialog, so a cancel leaves no "Flag is On..." behind.
  state->flagIsOn = 0;
  if (ops->runSetFlagDialog(ops->ctx, state) != 1) return;
  ops->saveFlagName(ops->ctx, state);
  ops->sendMinimizeRequest(ops->ctx);
}

void WatcherAboutCommand(WatcherState *, const WatcherOps *ops) { ops->runAboutDialog(ops->ctx); }

void WatcherFocusLost(WatcherState *, const WatcherOps *ops) { ops->raiseTopmost(ops->ctx); }
