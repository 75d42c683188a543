// The process record and the binding of the watcher's operations to Win32.
#include "watcher/win32/ui/kv_process.h"

#include "watcher/config/configuration.h"
#include "watcher/win32/platform/win32_files.h"
#include "watcher/win32/ui/dialogs.h"

KvProcess g_kv;

static int RunSetFlagOp(void *ctx, WatcherState *state) {
  const Win32WindowTarget *target = static_cast<Win32WindowTarget *>(ctx);
  return RunSetFlagDialog(target->instance, target->window, state);
}

static void RunAboutOp(void *ctx) {
  const Win32WindowTarget *target = static_cast<Win32WindowTarget *>(ctx);
  RunAboutDialog(target->instance, target->window);
}

static void SaveFlagNameOp(void *, const WatcherState *state) {
  SaveFlagName(state, &g_kv.profile);
}

static void BindOps(KvProcess *process) {
  WatcherOps *ops = &process->ops;
  ops->ctx = &process->target;
  BindWin32WindowOps(ops);
  ops->probeOpen = Win32ProbeOpen;
  ops->probeClose = Win32ProbeClose;
  ops->deleteFile = Win32DeleteFile;
  ops->runSetFlagDialog = RunSetFlagOp;
  ops->runAboutDialog = RunAboutOp;
  ops->saveFlagName = SaveFlagNameOp;
}

void KvInitProcess(HINSTANCE instance) {
  g_kv.target.instance = instance;
  g_kv.target.window = NULL;
  g_kv.target.minimizing = 0;
  g_kv.desktop = GetDesktopWindow();
  g_kv.grey = NULL;
  g_kv.background = NULL;
  g_kv.highContrast = 0;
  g_kv.systemMenu = NULL;
  InitWatcherState(&g_kv.state);
  g_kv.profile = Win32ProfileOps(instance);
  BindOps(&g_kv);
}
