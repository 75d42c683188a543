// Every text, position, size and colour of the watcher, defined once. Portable: the
// Win32 side and the tests take them from here.
#ifndef WATCHER_CORE_WATCHER_CONSTANTS_H
#define WATCHER_CORE_WATCHER_CONSTANTS_H

// Window class and window.
#define KV_WINDOW_CLASS "sdi"
#define KV_WINDOW_TITLE "Flag Notification"
#define KV_SYSMENU_ABOUT_TEXT "About Korvane 32"

// Status lines painted in the main window.
#define KV_TEXT_NO_COMMAND_LINE "No Command Line Received"
#define KV_TEXT_NO_TIMER "No System Timer Available"
#define KV_TEXT_FLAG_ON "Flag is On..."

// The error box of a failed Delete Flag.
#define KV_TEXT_CANT_DELETE "Can't Delete Flag File"
#define KV_CAPTION_ERROR "Program Error"

// The INI file.
#define KV_INI_SECTION "Command"
#define KV_INI_KEY "CommandLine"
#define KV_INI_EXTENSION ".INI"

enum {
  kWindowX = 80,
  kWindowY = 80,
  kWindowWidth = 260,
  kWindowHeight = 160,
  kTextLeft = 20,
  kNoCommandLineTop = 20,
  kNoTimerTop = 30,
  kFlagOnTop = 40,
  // Grey level of the background (red, green and blue alike) and of the text.
  kBackgroundGrey = 192,
  kTextGrey = 0
};

#endif
