/* What both of Korvane's front ends show, defined once: the File menu's commands and
   texts, the dialogs' captions and texts, and the maker's texts in About; the release's
   names and version come from generated/release.h. Only #define lines, so that both
   windres and the C++ compiler can read it. */
#ifndef WATCHER_RESOURCES_RESOURCE_H
#define WATCHER_RESOURCES_RESOURCE_H

#include "generated/release.h"

/* Commands of the File menu. */
#define IDM_ABOUT 100
#define IDM_DELETEFLAG 102
#define IDM_SETFLAG 104
#define IDM_EXIT 105

/* Menu texts. */
#define KV_MENU_FILE "&File"
#define KV_MENU_SETFLAG "&Set Flag"
#define KV_MENU_DELETEFLAG "&Delete Flag"
#define KV_MENU_EXIT "E&xit"
#define KV_MENU_ABOUT "&About..."

/* Dialog captions and buttons. */
#define KV_SETFLAG_CAPTION "Set  Flag  File"
#define KV_ABOUT_CAPTION "About   Korvane"
#define KV_TEXT_OK "OK"
#define KV_TEXT_CANCEL "Cancel"

/* Set Flag File's texts. */
#define KV_TEXT_PROMPT "Enter The Flag File Name"
#define KV_TEXT_DRIVE "Drive"
#define KV_TEXT_PATH "Path"
#define KV_TEXT_FILENAME "Filename"
#define KV_TEXT_EXTENSION "Extention"

/* About's texts: the product, its version, and our maker's texts. The maker's texts are
   kept short enough for Korvane.exe's rectangles at about 4 units a character. */
#define KV_TEXT_PRODUCT KV_PRODUCT_NAME
#define KV_TEXT_RELEASE "Version " KV_RELEASE
#define KV_TEXT_VOICE_LABEL "Voice Line"
#define KV_TEXT_ONLINE_LABEL "System Online"
#define KV_MAKER_NOTICE "All Rights Reserved"
#define KV_MAKER_PHONE "555-0143"
#define KV_MAKER_ONLINE "555-0199"
#define KV_MAKER_STREET "12 Quarry Lane"
#define KV_MAKER_CITY "Tarn, Norland"
#define KV_MAKER_POSTCODE "49021"

#endif
