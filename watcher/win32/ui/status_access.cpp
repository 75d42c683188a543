// The main window's client area as screen readers see it. The object that oleacc makes
// for a window's client area knows no painted text, so the one given here is that object
// wrapped: every question goes to it but the area's own name and role.
#include "watcher/win32/ui/status_access.h"

#include <oleacc.h>

#include "watcher/core/status_lines.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/win32/platform/win32_com.h"
#include "watcher/win32/platform/win32_late_bound.h"

typedef HRESULT(WINAPI *CreateStdAccessibleObjectCall)(HWND, LONG, REFIID, void **);
typedef LRESULT(WINAPI *LresultFromObjectCall)(REFIID, WPARAM, LPUNKNOWN);
typedef BSTR(WINAPI *SysAllocStringLenCall)(const OLECHAR *, UINT);

enum { kStatusNameSize = 96 };
static_assert(sizeof KV_TEXT_NO_COMMAND_LINE + sizeof KV_TEXT_NO_TIMER + sizeof KV_TEXT_FLAG_ON <=
                  kStatusNameSize,
              "the status lines do not fit their name");

// The status lines, a line feed between two, into name; their length, 0 while none shows.
static int StatusName(const WatcherState *state, WCHAR *name) {
  StatusLine lines[kMaxStatusLines];
  int count = GetStatusLines(state, lines), length = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0) name[length++] = L'\n';
    int room = kStatusNameSize - length;
    length += MultiByteToWideChar(CP_ACP, 0, lines[i].text, -1, name + length, room) - 1;
  }
  return length;
}

static int IsSelf(VARIANT child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// One object for the process, as the window is. COM's reference counts are kept by the
// standard object only: this one is never freed, so its own counts are no more than
// answers. It gives out no other interface of the standard object, whose answers would
// bypass it.
class StatusAccessible : public IAccessible {
 public:
  IAccessible *standard = nullptr;
  const WatcherState *state = nullptr;
  SysAllocStringLenCall allocString = nullptr;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override {
    int mine = InlineIsEqualGUID(iid, __uuidof(IUnknown)) ||
               InlineIsEqualGUID(iid, __uuidof(IDispatch)) ||
               InlineIsEqualGUID(iid, __uuidof(IAccessible));
    *out = mine ? this : nullptr;
    return mine ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // Late-bound callers name their calls through IDispatch; screen readers call IAccessible.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                                   UINT *) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override {
    WCHAR text[kStatusNameSize];
    int length = IsSelf(child) ? StatusName(state, text) : 0;
    if (length == 0) return standard->get_accName(child, name);
    *name = allocString(text, length);
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override {
    StatusLine lines[kMaxStatusLines];
    if (!IsSelf(child) || GetStatusLines(state, lines) == 0)
      return standard->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_ALERT;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override {
    return standard->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override {
    return standard->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override {
    return standard->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override {
    return standard->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override {
    return standard->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override {
    return standard->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override {
    return standard->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override {
    return standard->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override {
    return standard->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override {
    return standard->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override {
    return standard->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override {
    return standard->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                        VARIANT child) override {
    return standard->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override {
    return standard->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *child) override {
    return standard->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard->put_accValue(child, value);
  }
};

static StatusAccessible s_access;
static LresultFromObjectCall s_lresultFromObject;

// The standard object of window's client area and the calls that hand it out, kept for
// the process once all are had. COM is set up first: the object goes to the screen
// reader's process through COM.
static int MakeAccess(HWND window, const WatcherState *state) {
  StartCom();
  HMODULE oleacc = LoadLibraryA("OLEACC");
  CreateStdAccessibleObjectCall create =
      LateBound<CreateStdAccessibleObjectCall>(oleacc, "CreateStdAccessibleObject");
  s_lresultFromObject = LateBound<LresultFromObjectCall>(oleacc, "LresultFromObject");
  s_access.allocString =
      LateBound<SysAllocStringLenCall>(LoadLibraryA("OLEAUT32"), "SysAllocStringLen");
  s_access.state = state;
  return create != NULL && s_lresultFromObject != NULL && s_access.allocString != NULL &&
         SUCCEEDED(create(window, OBJID_CLIENT, __uuidof(IAccessible),
                          reinterpret_cast<void **>(&s_access.standard)));
}

LRESULT KvAnswerAccessRequest(HWND window, WPARAM wParam, LPARAM objectId,
                              const WatcherState *state) {
  if (static_cast<LONG>(objectId) == OBJID_CLIENT &&
      (s_access.standard != nullptr || MakeAccess(window, state))) {
    LRESULT reference = s_lresultFromObject(__uuidof(IAccessible), wParam, &s_access);
    if (reference > 0) return reference;
  }
  return DefWindowProcA(window, WM_GETOBJECT, wParam, objectId);
}

// The lines that assistive technology was last told of, top to bottom.
static const char *s_told[kMaxStatusLines];

static int Told(const char *text) {
  for (const char *told : s_told) {
    if (told == text) return 1;
  }
  return 0;
}

// Screen readers speak an alert whatever window has the focus; the name change lets one
// that reads the area, or waits on it, learn of a line gone too.
void KvTellStatus(HWND window, const WatcherState *state) {
  StatusLine lines[kMaxStatusLines];
  const char *showing[kMaxStatusLines] = {};
  int count = GetStatusLines(state, lines), appeared = 0, changed = 0;
  for (int i = 0; i < count; ++i) {
    showing[i] = lines[i].text;
    appeared |= !Told(showing[i]);
  }
  for (int i = 0; i < kMaxStatusLines; ++i) {
    changed |= showing[i] != s_told[i];
    s_told[i] = showing[i];
  }
  if (!changed) return;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  if (appeared) NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
}
