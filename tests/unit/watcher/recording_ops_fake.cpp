// The recording fake of WatcherOps.
#include "tests/unit/watcher/recording_ops_fake.h"

#include "watcher/core/set_flag_rules.h"
#include "watcher/core/watcher_rules.h"

namespace {

RecordingOps *Self(void *ctx) { return static_cast<RecordingOps *>(ctx); }

void Log(void *ctx, const std::string &entry) { Self(ctx)->log.push_back(entry); }

void Minimize(void *ctx) {
  Log(ctx, "minimize");
  Self(ctx)->minimized = 1;
}

void Restore(void *ctx) {
  Log(ctx, "restore");
  Self(ctx)->minimized = 0;
}

int IsMinimized(void *ctx) { return Self(ctx)->minimized; }
void RaiseTopmost(void *ctx) { Log(ctx, "raiseTopmost"); }
void DropToBottom(void *ctx) { Log(ctx, "dropToBottom"); }
void Focus(void *ctx) { Log(ctx, "focus"); }
void Repaint(void *ctx) { Log(ctx, "repaint"); }

unsigned int StartTimer(void *ctx) {
  RecordingOps *self = Self(ctx);
  unsigned int id = self->nextTimerId;
  if (!self->timerResults.empty()) {
    id = self->timerResults.front();
    self->timerResults.pop_front();
  }
  Log(ctx, "startTimer -> " + std::to_string(id));
  if (id != 0) self->runningTimers.insert(id);
  return id;
}

void StopTimer(void *ctx, unsigned int id) {
  Log(ctx, "stopTimer " + std::to_string(id));
  Self(ctx)->runningTimers.erase(id);
}

void Quit(void *ctx) { Log(ctx, "quit"); }

void ErrorBox(void *ctx, const char *text, const char *caption) {
  Log(ctx, std::string("errorBox ") + text + " | " + caption);
}

void *ProbeOpen(void *ctx, const char *name) {
  Log(ctx, std::string("probeOpen ") + name);
  RecordingOps *self = Self(ctx);
  if (self->files.count(name) == 0) return nullptr;
  ++self->openProbes;
  return self;
}

void ProbeClose(void *ctx, void *token) {
  Log(ctx, "probeClose");
  if (token == ctx) --Self(ctx)->openProbes;
}

int DeleteFile(void *ctx, const char *name) {
  Log(ctx, std::string("deleteFile ") + name);
  return Self(ctx)->files.erase(name) > 0 ? 1 : 0;
}

int RunSetFlagDialog(void *ctx, WatcherState *state) {
  Log(ctx, "setFlagDialog");
  RecordingOps *self = Self(ctx);
  if (self->setFlagDialog) return self->setFlagDialog(state);
  SetFlagDialogCancel(state);
  return 0;
}

void RunAboutDialog(void *ctx) {
  Log(ctx, "aboutDialog");
  if (Self(ctx)->aboutDialog) Self(ctx)->aboutDialog();
}

void SaveFlagName(void *ctx, const WatcherState *state) {
  Log(ctx, std::string("saveFlagName ") + state->flagFileName);
}

void SendMinimizeRequest(void *ctx) {
  Log(ctx, "send minimize {");
  WatcherMinimizeRequest(Self(ctx)->state, &Self(ctx)->ops);
  Log(ctx, "}");
}

}  // namespace

RecordingOps::RecordingOps() {
  ops = {this,
         Minimize,
         Restore,
         IsMinimized,
         RaiseTopmost,
         DropToBottom,
         Focus,
         Repaint,
         StartTimer,
         StopTimer,
         Quit,
         ErrorBox,
         ProbeOpen,
         ProbeClose,
         DeleteFile,
         RunSetFlagDialog,
         RunAboutDialog,
         SaveFlagName,
         SendMinimizeRequest};
}
