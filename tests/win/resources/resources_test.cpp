// Checks the resources built into Korvane.exe (path in argv[1]), read as data: the File
// menu, the two dialog templates byte by byte, the icon's format (the version record has a test of
// its own), and that every dialog text fits its rectangle in the font the dialog really gets.
#include <windows.h>

#include "tests/win/common/win_check.h"
#include "watcher/resources/resource.h"

// ---- Dialog templates -------------------------------------------------------------

enum { kMaxControls = 16, kTextSize = 64 };

struct TemplateReader {
  const BYTE *base;
  const BYTE *at;
  const BYTE *end;
  int overrun;
};

static WORD ReadWord(TemplateReader *r) {
  if (r->at + 2 > r->end) {
    r->overrun = 1;
    return 0;
  }
  WORD value = static_cast<WORD>(r->at[0] | (r->at[1] << 8));
  r->at += 2;
  return value;
}

static DWORD ReadDword(TemplateReader *r) {
  DWORD low = ReadWord(r);
  return low | (static_cast<DWORD>(ReadWord(r)) << 16);
}

static void AlignDword(TemplateReader *r) {
  while ((r->at - r->base) % 4 != 0) r->at++;
}

// A template string or ordinal: an ordinal leaves text "" and returns it, a string is
// copied (ASCII only) and -1 is returned.
static int ReadSzOrOrdinal(TemplateReader *r, char *text, int size) {
  text[0] = '\0';
  WORD first = ReadWord(r);
  if (first == 0xFFFF) return ReadWord(r);
  int n = 0;
  for (WORD c = first; c != 0 && !r->overrun; c = ReadWord(r)) {
    if (n < size - 1) text[n++] = c < 128 ? static_cast<char>(c) : '?';
  }
  text[n] = '\0';
  return -1;
}

struct DialogControl {
  DWORD style;
  short rect[4];
  WORD id;
  char className[kTextSize];
  char text[kTextSize];
  int textOrdinal;  // -1 when the text is a string
};

struct DialogTemplate {
  DWORD style;
  DWORD exStyle;
  int count;
  short rect[4];
  int menuOrdinal;
  char menu[kTextSize];
  char className[kTextSize];
  char caption[kTextSize];
  WORD pointSize;
  char fontName[kTextSize];
  DialogControl controls[kMaxControls];
};

// The predefined classes that a template names by ordinal.
static const char *ClassOfOrdinal(int ordinal) {
  switch (ordinal) {
    case 0x80:
      return "Button";
    case 0x81:
      return "Edit";
    case 0x82:
      return "Static";
  }
  return "?";
}

static void ReadControl(TemplateReader *r, DialogControl *c) {
  AlignDword(r);
  c->style = ReadDword(r);
  ReadDword(r);  // extended style, checked through the whole-template comparison below
  for (int i = 0; i < 4; ++i) c->rect[i] = static_cast<short>(ReadWord(r));
  c->id = ReadWord(r);
  int classOrdinal = ReadSzOrOrdinal(r, c->className, kTextSize);
  if (classOrdinal >= 0) lstrcpynA(c->className, ClassOfOrdinal(classOrdinal), kTextSize);
  c->textOrdinal = ReadSzOrOrdinal(r, c->text, kTextSize);
  WORD extra = ReadWord(r);
  r->at += extra;
}

static int ReadDialog(const BYTE *bytes, DWORD size, DialogTemplate *d) {
  TemplateReader r = {bytes, bytes, bytes + size, 0};
  d->style = ReadDword(&r);
  d->exStyle = ReadDword(&r);
  d->count = ReadWord(&r);
  for (int i = 0; i < 4; ++i) d->rect[i] = static_cast<short>(ReadWord(&r));
  d->menuOrdinal = ReadSzOrOrdinal(&r, d->menu, kTextSize);
  ReadSzOrOrdinal(&r, d->className, kTextSize);
  ReadSzOrOrdinal(&r, d->caption, kTextSize);
  d->pointSize = 0;
  d->fontName[0] = '\0';
  if (d->style & DS_SETFONT) {
    d->pointSize = ReadWord(&r);
    ReadSzOrOrdinal(&r, d->fontName, kTextSize);
  }
  if (d->count > kMaxControls) return 0;
  for (int i = 0; i < d->count; ++i) ReadControl(&r, &d->controls[i]);
  return !r.overrun;
}

static const BYTE *FindTemplate(HMODULE module, int id, DWORD *size) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (found == NULL) return NULL;
  *size = SizeofResource(module, found);
  return static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
}

struct ExpectedControl {
  int id;
  const char *className;
  const char *text;  // NULL when the text is the icon's ordinal
  DWORD style;
  short rect[4];
};

static void CheckControl(const DialogControl *got, const ExpectedControl *want, int index) {
  printf("  control %d: id %d \"%s\"\n", index, got->id, got->text);
  CHECK_INT(got->id, want->id);
  CHECK(lstrcmpiA(got->className, want->className) == 0);
  if (want->text != NULL) {
    CHECK_INT(got->textOrdinal, -1);
    CHECK_TEXT(got->text, want->text);
  } else {
    CHECK_INT(got->textOrdinal, IDI_APP);
  }
  CHECK_INT(got->style, want->style);
  for (int i = 0; i < 4; ++i) CHECK_INT(got->rect[i], want->rect[i]);
}

struct ExpectedDialog {
  int id;
  DWORD style;
  short rect[4];
  const char *caption;
  const ExpectedControl *controls;
  int count;
};

static void CheckDialog(HMODULE module, const ExpectedDialog *want) {
  printf("dialog %d\n", want->id);
  DWORD size = 0;
  const BYTE *bytes = FindTemplate(module, want->id, &size);
  if (!CHECK(bytes != NULL)) return;
  DialogTemplate d;
  // A DLGTEMPLATEEX starts with version 1 and signature 0xFFFF; these are plain ones.
  CHECK(!(bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF));
  if (!CHECK(ReadDialog(bytes, size, &d))) return;
  CHECK_INT(d.style, want->style);
  CHECK_INT(d.exStyle, 0);
  for (int i = 0; i < 4; ++i) CHECK_INT(d.rect[i], want->rect[i]);
  CHECK(d.menuOrdinal == -1 && d.menu[0] == '\0');
  CHECK_TEXT(d.className, "");
  CHECK_TEXT(d.caption, want->caption);
  CHECK_INT(d.pointSize, KV_DIALOG_FONT_SIZE);
  CHECK_TEXT(d.fontName, KV_DIALOG_FONT_NAME);
  if (!CHECK_INT(d.count, want->count)) return;
  for (int i = 0; i < d.count; ++i) CheckControl(&d.controls[i], &want->controls[i], i);
}

static const ExpectedControl kSetFlagControls[] = {
    {IDOK, "Button", KV_TEXT_OK, KV_STYLE_PUSH, {KV_SETFLAG_OK_RECT}},
    {IDCANCEL, "Button", KV_TEXT_CANCEL, KV_STYLE_DEFPUSH, {KV_SETFLAG_CANCEL_RECT}},
    {IDC_PROMPT, "Static", KV_TEXT_PROMPT, KV_STYLE_LABEL_GROUP, {KV_PROMPT_RECT}},
    {IDC_DRIVE_LABEL, "Static", KV_TEXT_DRIVE, KV_STYLE_LABEL, {KV_DRIVE_RECT}},
    {IDC_PATH_LABEL, "Static", KV_TEXT_PATH, KV_STYLE_LABEL, {KV_PATH_RECT}},
    {IDC_FILENAME_LABEL, "Static", KV_TEXT_FILENAME, KV_STYLE_LABEL, {KV_FILENAME_RECT}},
    {IDC_EXTENSION_LABEL, "Static", KV_TEXT_EXTENSION, KV_STYLE_LABEL, {KV_EXTENSION_RECT}},
    {IDC_FLAGNAME, "Edit", "", KV_STYLE_NAME_EDIT, {KV_FLAGNAME_RECT}},
};

static const ExpectedControl kAboutControls[] = {
    {IDC_MAKER, "Static", KV_MAKER_NAME, KV_STYLE_CENTRED, {KV_MAKER_RECT}},
    {IDC_PRODUCT, "Static", KV_TEXT_PRODUCT, KV_STYLE_CENTRED, {KV_PRODUCT_RECT}},
    {IDC_VERSION, "Static", KV_TEXT_VERSION, KV_STYLE_CENTRED, {KV_VERSION_RECT}},
    {IDC_MAKER, "Static", KV_MAKER_NOTICE, KV_STYLE_CENTRED, {KV_NOTICE_RECT}},
    {IDOK, "Button", KV_TEXT_OK, KV_STYLE_DEFPUSH_GROUP, {KV_ABOUT_OK_RECT}},
    {IDC_VOICE, "Static", KV_TEXT_VOICE_LABEL, KV_STYLE_LABEL, {KV_VOICE_LABEL_RECT}},
    {IDC_VOICE, "Static", KV_MAKER_PHONE, KV_STYLE_LABEL, {KV_PHONE_RECT}},
    {IDC_ONLINE_LABEL, "Static", KV_TEXT_ONLINE_LABEL, KV_STYLE_LABEL, {KV_ONLINE_LABEL_RECT}},
    {IDC_ONLINE_NUMBER, "Static", KV_MAKER_ONLINE, KV_STYLE_LABEL, {KV_ONLINE_NUMBER_RECT}},
    {IDC_STREET, "Static", KV_MAKER_STREET, KV_STYLE_LABEL, {KV_STREET_RECT}},
    {IDC_CITY, "Static", KV_MAKER_CITY, KV_STYLE_LABEL, {KV_CITY_RECT}},
    {IDC_POSTCODE, "Static", KV_MAKER_POSTCODE, KV_STYLE_LABEL, {KV_POSTCODE_RECT}},
    {IDC_ABOUT_ICON, "Static", NULL, KV_STYLE_ICON, {KV_ABOUT_ICON_RECT}},
};

static const ExpectedDialog kSetFlagDialog = {
    IDD_SETFLAG,        KV_SETFLAG_STYLE, {KV_SETFLAG_RECT},
    KV_SETFLAG_CAPTION, kSetFlagControls, sizeof kSetFlagControls / sizeof kSetFlagControls[0]};

static const ExpectedDialog kAboutDialog = {
    IDD_ABOUT,        KV_ABOUT_STYLE, {KV_ABOUT_RECT},
    KV_ABOUT_CAPTION, kAboutControls, sizeof kAboutControls / sizeof kAboutControls[0]};

// The styles written as numbers mean what the dialogs need: Cancel, not OK, is the
// default button; only OK, Cancel and the field are tab stops; no system menu.
static void CheckStyleMeanings() {
  printf("style meanings\n");
  const DWORD child = WS_CHILD | WS_VISIBLE;
  CHECK_INT(KV_SETFLAG_STYLE, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT);
  CHECK_INT(KV_ABOUT_STYLE, KV_SETFLAG_STYLE | DS_ABSALIGN);
  CHECK_INT(KV_STYLE_PUSH, child | WS_TABSTOP | BS_PUSHBUTTON);
  CHECK_INT(KV_STYLE_DEFPUSH, child | WS_TABSTOP | BS_DEFPUSHBUTTON);
  CHECK_INT(KV_STYLE_DEFPUSH_GROUP, child | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON);
  CHECK_INT(KV_STYLE_LABEL, child | SS_LEFT);
  CHECK_INT(KV_STYLE_LABEL_GROUP, child | WS_GROUP | SS_LEFT);
  CHECK_INT(KV_STYLE_CENTRED, child | SS_CENTER);
  CHECK_INT(KV_STYLE_NAME_EDIT, child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
  CHECK_INT(KV_STYLE_ICON, child | SS_ICON);
}

// ---- Texts in their rectangles ----------------------------------------------------

static INT_PTR CALLBACK SilentDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

static BOOL CALLBACK CheckOneTextFits(HWND control, LPARAM) {
  char className[16];
  char text[kTextSize];
  GetClassNameA(control, className, sizeof className);
  GetWindowTextA(control, text, sizeof text);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(className, "Static") != 0 || (style & SS_TYPEMASK) == SS_ICON) return TRUE;
  if (text[0] == '\0') return TRUE;
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE extent;
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  RECT client;
  GetClientRect(control, &client);
  printf("  \"%s\": %ldx%ld in %ldx%ld\n", text, extent.cx, extent.cy, client.right, client.bottom);
  CHECK(extent.cx <= client.right);
  CHECK(extent.cy <= client.bottom);
  return TRUE;
}

// The dialog is made from the template in Korvane.exe, so the controls get the sizes
// and font that they get when Korvane shows it.
static void CheckTextsFit(HMODULE module, int id) {
  printf("texts of dialog %d fit\n", id);
  DWORD size = 0;
  const BYTE *bytes = FindTemplate(module, id, &size);
  if (!CHECK(bytes != NULL)) return;
  HWND dialog = CreateDialogIndirectParamA(
      GetModuleHandleA(NULL), reinterpret_cast<LPCDLGTEMPLATEA>(bytes), NULL, SilentDialogProc, 0);
  if (!CHECK(dialog != NULL)) return;
  EnumChildWindows(dialog, CheckOneTextFits, 0);
  DestroyWindow(dialog);
}

// ---- Menu ---------------------------------------------------------------------------

struct ExpectedItem {
  int separator;
  UINT id;
  const char *text;
};

static const ExpectedItem kFileMenu[] = {
    {1, 0, ""}, {0, IDM_SETFLAG, KV_MENU_SETFLAG},
    {1, 0, ""}, {0, IDM_DELETEFLAG, KV_MENU_DELETEFLAG},
    {1, 0, ""}, {0, IDM_EXIT, KV_MENU_EXIT},
    {1, 0, ""}, {0, IDM_ABOUT, KV_MENU_ABOUT},
    {1, 0, ""},
};

static void ReadItem(HMENU menu, int position, MENUITEMINFOA *info, char *text, int size) {
  memset(info, 0, sizeof *info);
  text[0] = '\0';
  info->cbSize = sizeof *info;
  info->fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info->dwTypeData = text;
  info->cch = size;
  GetMenuItemInfoA(menu, position, TRUE, info);
}

static void CheckMenu(HMODULE module) {
  printf("menu %d\n", IDR_MAINMENU);
  HMENU bar = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MAINMENU));
  if (!CHECK(bar != NULL)) return;
  CHECK_INT(GetMenuItemCount(bar), 1);
  MENUITEMINFOA info;
  char text[kTextSize];
  ReadItem(bar, 0, &info, text, kTextSize);
  CHECK_TEXT(text, KV_MENU_FILE);
  HMENU file = info.hSubMenu;
  if (!CHECK(file != NULL)) return;
  const int count = sizeof kFileMenu / sizeof kFileMenu[0];
  CHECK_INT(GetMenuItemCount(file), count);
  for (int i = 0; i < count && i < GetMenuItemCount(file); ++i) {
    ReadItem(file, i, &info, text, kTextSize);
    CHECK_INT((info.fType & MFT_SEPARATOR) != 0, kFileMenu[i].separator);
    CHECK(info.hSubMenu == NULL);
    if (kFileMenu[i].separator) continue;
    CHECK_INT(info.wID, kFileMenu[i].id);
    CHECK_TEXT(text, kFileMenu[i].text);
  }
  DestroyMenu(bar);
}

// ---- Icon ---------------------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

static const BYTE *LockFound(HMODULE module, int id, int type, DWORD *size) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
  if (found == NULL) return NULL;
  *size = SizeofResource(module, found);
  return static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
}

// One 32 x 32 image with 16 colours: a 4-bit colour bitmap and its 1-bit mask.
static void CheckIcon(HMODULE module) {
  printf("icon %d\n", IDI_APP);
  DWORD size = 0;
  const BYTE *group = LockFound(module, IDI_APP, 14, &size);  // RT_GROUP_ICON
  if (!CHECK(group != NULL && size >= 6 + sizeof(GroupIconEntry))) return;
  CHECK_INT(group[2] | (group[3] << 8), 1);  // type: icon
  CHECK_INT(group[4] | (group[5] << 8), 1);  // one image
  GroupIconEntry entry;
  memcpy(&entry, group + 6, sizeof entry);
  CHECK_INT(entry.width, 32);
  CHECK_INT(entry.height, 32);
  CHECK_INT(entry.colours, 16);
  CHECK_INT(entry.bitCount, 4);
  const BYTE *image = LockFound(module, entry.id, 3, &size);  // RT_ICON
  if (!CHECK(image != NULL && size >= sizeof(BITMAPINFOHEADER))) return;
  BITMAPINFOHEADER header;
  memcpy(&header, image, sizeof header);
  CHECK_INT(header.biWidth, 32);
  CHECK_INT(header.biHeight, 64);  // colour bitmap and mask together
  CHECK_INT(header.biBitCount, 4);
  CHECK_INT(size, sizeof header + 16 * 4 + 32 * 32 / 2 + 32 * 4);
}

// The build hands over a Unix path; Wine's drive Z: is the Unix root.
static void ToWindowsPath(const char *given, char *path, int size) {
  lstrcpynA(path, given[0] == '/' ? "Z:" : "", size);
  int start = lstrlenA(path);
  lstrcpynA(path + start, given, size - start);
  for (char *c = path; *c != '\0'; ++c) {
    if (*c == '/') *c = '\\';
  }
}

int main(int argc, char **argv) {
  if (argc < 2) {
    printf("usage: resources_test <Korvane.exe>\n");
    return 2;
  }
  char exe[MAX_PATH];
  ToWindowsPath(argv[1], exe, MAX_PATH);
  HMODULE module = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
  if (CHECK(module != NULL)) {
    CheckMenu(module);
    CheckDialog(module, &kSetFlagDialog);
    CheckDialog(module, &kAboutDialog);
    CheckStyleMeanings();
    CheckTextsFit(module, IDD_SETFLAG);
    CheckTextsFit(module, IDD_ABOUT);
    CheckIcon(module);
    FreeLibrary(module);
  }
  return WinCheckSummary();
}
