// USER32 behind the watcher's window operations.
#include "watcher/win32/platform/win32_window_ops.h"

#include "watcher/core/watcher_state.h"

static HWND Window(void *ctx) { return static_cast<Win32WindowTarget *>(ctx)->window; }

// CloseWindow minimizes; it does not destroy the window. The WM_SIZE that it sends is
// handled before it returns, and marked as the program's own.
static void Minimize(void *ctx) {
  Win32WindowTarget *target = static_cast<Win32WindowTarget *>(ctx);
  target->minimizing = 1;
  CloseWindow(target->window);
  target->minimizing = 0;
}

static void Restore(void *ctx) { OpenIcon(Window(ctx)); }

static int IsMinimized(void *ctx) { return IsIconic(Window(ctx)) ? 1 : 0; }

// The rectangle's four values are passed as they are; with SWP_NOMOVE and SWP_NOSIZE
// the system ignores them, so the window keeps its place and size.
static void PlaceInZOrder(void *ctx, HWND after, UINT flags) {
  RECT r;
  GetWindowRect(Window(ctx), &r);
  SetWindowPos(Window(ctx), after, r.left, r.top, r.right, r.bottom,
               SWP_NOSIZE | SWP_NOMOVE | flags);
}

static void RaiseTopmost(void *ctx) { PlaceInZOrder(ctx, HWND_TOPMOST, SWP_NOACTIVATE); }

static void DropToBottom(void *ctx) { PlaceInZOrder(ctx, HWND_BOTTOM, 0); }

static void Focus(void *ctx) { SetFocus(Window(ctx)); }

static void Repaint(void *ctx) { InvalidateRect(Window(ctx), NULL, TRUE); }

static unsigned int StartTimer(void *ctx) {
  return static_cast<unsigned int>(SetTimer(Window(ctx), kPollTimerId, kPollIntervalMs, NULL));
}

static void StopTimer(void *ctx, unsigned int timerId) { KillTimer(Window(ctx), timerId); }

static void Quit(void *) { PostQuitMessage(0); }

// The box runs its own message loop: timer ticks and other messages reach the window
// procedure, and so the rules, before this returns.
static void ErrorBox(void *ctx, const char *text, const char *caption) {
  MessageBoxA(Window(ctx), text, caption, MB_ICONHAND);
}

static void SendMinimizeRequest(void *ctx) {
  SendMessageA(Window(ctx), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void BindWin32WindowOps(WatcherOps *ops) {
  ops->minimize = Minimize;
  ops->restore = Restore;
  ops->isMinimized = IsMinimized;
  ops->raiseTopmost = RaiseTopmost;
  ops->dropToBottom = DropToBottom;
  ops->focus = Focus;
  ops->repaint = Repaint;
  ops->startTimer = StartTimer;
  ops->stopTimer = StopTimer;
  ops->quit = Quit;
  ops->errorBox = ErrorBox;
  ops->sendMinimizeRequest = SendMinimizeRequest;
}
