// The virtual desktop move and the taskbar flash of a window that pops up.
#include "watcher/win32/platform/win32_attention.h"

#include "watcher/win32/platform/win32_com.h"

// IVirtualDesktopManager as the Windows 10 SDK's shobjidl_core.h declares it.
struct VirtualDesktopManager : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window,
                                                                    BOOL *onCurrent) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID *desktop) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktop) = 0;
};

// CLSID_VirtualDesktopManager and IID_IVirtualDesktopManager.
static const GUID kManagerClass = {
    0xaa509086, 0x5ca9, 0x4c25, {0x8f, 0x95, 0x58, 0x9d, 0x3c, 0x07, 0xb4, 0x8a}};
static const GUID kManagerInterface = {
    0xa5cd92ff, 0x29be, 0x454c, {0x8d, 0x04, 0xd8, 0x28, 0x79, 0xfb, 0x3f, 0x1b}};

// The desktop in use is the one that the foreground window is on. With no foreground
// window, or one on every desktop, there is no desktop to move to.
static void MoveToForegroundDesktop(VirtualDesktopManager *manager, HWND window) {
  BOOL onCurrent = TRUE;
  GUID desktop;
  if (FAILED(manager->IsWindowOnCurrentVirtualDesktop(window, &onCurrent)) || onCurrent) return;
  if (SUCCEEDED(manager->GetWindowDesktopId(GetForegroundWindow(), &desktop)))
    manager->MoveWindowToDesktop(window, desktop);
}

void BringToCurrentDesktop(HWND window) {
  CoCreateInstanceCall create = StartCom();
  VirtualDesktopManager *manager = NULL;
  if (create != NULL && SUCCEEDED(create(kManagerClass, NULL, CLSCTX_ALL, kManagerInterface,
                                         reinterpret_cast<LPVOID *>(&manager)))) {
    MoveToForegroundDesktop(manager, window);
    manager->Release();
  }
}

// The flash stops by itself when the window comes to the foreground. It is not stopped
// when the window goes back to waiting: Wine answers FLASHW_STOP by drawing the caption
// inactive, and leaves it so after the next pop-up.
void FlashUnlessForeground(HWND window) {
  if (GetForegroundWindow() == window) return;
  FLASHWINFO flash = {sizeof flash, window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
}
