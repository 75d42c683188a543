// The flag's probe and its deletion off the main loop. A flag on a file server that stops
// answering can block open() or unlink() for minutes; on a thread of its own that blocks
// only the probe or the delete, and the window keeps painting, its menu opens and it can
// be closed.
#include <string.h>

#include "watcher/core/probe_answer.h"
#include "watcher/core/watcher_rules.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/gtk/posix_files.h"

// Back on the main loop, whatever happened since the probe started: the rule decides
// whether the answer still counts. found is non-null when the flag could be opened.
static gboolean OnAnswer(gpointer found) {
  g_kvg.probePending = 0;
  if (found != nullptr)
    WatcherProbeFound(&g_kvg.state, &g_kvg.ops, g_kvg.probeTimer, g_kvg.probeName);
  return G_SOURCE_REMOVE;
}

// Lives as long as the process, waiting for a name; one thread is enough, since no probe
// starts while another is out.
static gpointer ProbeThread(gpointer queue) {
  for (;;) {
    g_autofree char *name =
        static_cast<char *>(g_async_queue_pop(static_cast<GAsyncQueue *>(queue)));
    void *token = PosixProbeOpen(nullptr, name);
    if (token != nullptr) PosixProbeClose(nullptr, token);
    g_idle_add_full(G_PRIORITY_DEFAULT, OnAnswer, token != nullptr ? queue : nullptr, nullptr);
  }
  return nullptr;
}

gboolean KvgOnTick(gpointer ctx) {
  KvgApp *app = static_cast<KvgApp *>(ctx);
  if (!WatcherTickProbes(&app->state) || app->probePending) return G_SOURCE_CONTINUE;
  if (app->probes == nullptr) {
    app->probes = g_async_queue_new();
    g_thread_unref(g_thread_new("probe", ProbeThread, app->probes));
  }
  app->probePending = 1;
  app->probeTimer = app->state.timerId;
  memcpy(app->probeName, app->state.flagFileName, kFlagFileNameSize);
  g_async_queue_push(app->probes, g_strdup(app->probeName));
  return G_SOURCE_CONTINUE;
}

// Back on the main loop, Delete Flag's rule follows the delete's answer.
static gboolean OnDeleted(gpointer deleted) {
  g_kvg.deletePending = 0;
  WatcherFlagDeleted(&g_kvg.state, &g_kvg.ops, deleted != nullptr);
  return G_SOURCE_REMOVE;
}

static gpointer DeleteThread(gpointer flag) {
  g_autofree char *name = static_cast<char *>(flag);
  int deleted = g_kvg.ops.deleteFile(g_kvg.ops.ctx, name);
  g_idle_add(OnDeleted, deleted ? &g_kvg : nullptr);
  return nullptr;
}

// A probe still out may have opened the flag before it is deleted; on a slow share its
// answer comes later, and it must not signal a flag that is gone. No timer is 0, so the
// answer no longer counts.
void KvgStartDelete(void) {
  if (g_kvg.deletePending) return;
  g_kvg.deletePending = 1;
  g_kvg.probeTimer = 0;
  g_thread_unref(g_thread_new("delete", DeleteThread, g_strdup(g_kvg.state.flagFileName)));
}
