/* Korvane.exe's resources beyond what both front ends show: the resource and control
   identifiers, the dialog templates' font, styles and rectangles, the version text of its
   About and its version record's own texts, defined once for the resource script, the
   program and the test driver. Only #define lines, so that both windres and the C++
   compiler can read it. */
#ifndef WATCHER_WIN32_WIN32_RESOURCE_H
#define WATCHER_WIN32_WIN32_RESOURCE_H

#include "watcher/resources/resource.h"

/* Resources. */
#define IDR_MAINMENU 101
#define IDD_ABOUT 102
#define IDI_APP 104
#define IDD_SETFLAG 105

/* The entry About adds to the system menu. */
#define IDM_SYSABOUT 100

/* Controls of the Set Flag File dialog. */
#define IDC_DRIVE_LABEL 1000
#define IDC_PATH_LABEL 1001
#define IDC_FILENAME_LABEL 1002
#define IDC_EXTENSION_LABEL 1003
#define IDC_FLAGNAME 1004
#define IDC_PROMPT 1005

/* Controls of the About dialog. The maker's name and notice line share one id, and so do
   the voice line's label and number. */
#define IDC_MAKER 1010
#define IDC_PRODUCT 1011
#define IDC_VERSION 1012
#define IDC_VOICE 1014
#define IDC_ONLINE_LABEL 1015
#define IDC_ONLINE_NUMBER 1016
#define IDC_STREET 1017
#define IDC_CITY 1018
#define IDC_POSTCODE 1019
#define IDC_ABOUT_ICON 1020

/* The version record's texts that are Korvane.exe's own. */
#define KV_FILE_DESCRIPTION "Korvane flag file watcher"
#define KV_INTERNAL_NAME "Korvane"
#define KV_ORIGINAL_FILENAME "Korvane.exe"

/* About's version line names the platform, as it always has on Windows. */
#define KV_TEXT_VERSION KV_TEXT_RELEASE "  - Win32"

/* Dialog frames: style, font and rectangle (x, y, width, height in dialog units). */
#define KV_DIALOG_FONT_NAME "MS Sans Serif"
#define KV_DIALOG_FONT_SIZE 8
#define KV_SETFLAG_STYLE 0x90C000C0
#define KV_SETFLAG_RECT 0, 0, 163, 90
#define KV_ABOUT_STYLE 0x90C000C1
#define KV_ABOUT_RECT 90, 90, 189, 106

/* Control styles. */
#define KV_STYLE_PUSH 0x50010000
#define KV_STYLE_DEFPUSH 0x50010001
#define KV_STYLE_DEFPUSH_GROUP 0x50030001
#define KV_STYLE_LABEL 0x50000000
#define KV_STYLE_LABEL_GROUP 0x50020000
#define KV_STYLE_CENTRED 0x50000001
#define KV_STYLE_NAME_EDIT 0x50810080
#define KV_STYLE_ICON 0x50000003

/* Set Flag File's rectangles. */
#define KV_SETFLAG_OK_RECT 32, 68, 44, 14
#define KV_SETFLAG_CANCEL_RECT 88, 68, 44, 14
#define KV_PROMPT_RECT 36, 12, 88, 8
#define KV_DRIVE_RECT 28, 32, 20, 8
#define KV_PATH_RECT 52, 32, 20, 8
#define KV_FILENAME_RECT 72, 32, 30, 8
#define KV_EXTENSION_RECT 104, 32, 30, 8
#define KV_FLAGNAME_RECT 28, 44, 108, 13

/* About's rectangles. */
#define KV_MAKER_RECT 52, 4, 85, 9
#define KV_PRODUCT_RECT 56, 44, 80, 8
#define KV_VERSION_RECT 52, 56, 84, 8
#define KV_NOTICE_RECT 48, 68, 90, 8
#define KV_ABOUT_OK_RECT 77, 87, 32, 14
#define KV_VOICE_LABEL_RECT 10, 80, 37, 8
#define KV_PHONE_RECT 7, 90, 50, 8
#define KV_ONLINE_LABEL_RECT 130, 80, 50, 8
#define KV_ONLINE_NUMBER_RECT 131, 90, 49, 8
#define KV_STREET_RECT 60, 12, 68, 8
#define KV_CITY_RECT 64, 20, 58, 10
#define KV_POSTCODE_RECT 80, 28, 30, 8
#define KV_ABOUT_ICON_RECT 17, 33, 18, 20

#endif
