// Resource ids of the main window, the first-run notice and the program's
// strings.
#pragma once

// The program icon.
#define IDI_MAINICON 196

// Strings.
#define IDS_SOCKETS_FAILED 103   // "Windows sockets initialization failed."

// The track-icon strip of the lists (16 x 17 pixels each, green mask).
#define IDB_TRACKICONS 146

// The main dialog. Its other controls are created at run time from the skin.
#define IDD_MAINDIALOG 102
#define IDC_KNOB_FIRST 1042      // sixteen trackbars 1042 to 1057: the knobs
#define IDC_KNOB_LAST 1057
#define IDC_NEEDLE_FIRST 1241    // four statics 1241 to 1244: needle meters
#define IDC_NEEDLE_LAST 1244
#define IDC_TESTDATA 1059
#define IDC_TESTPROGRESS 1250

// The child whose colour message gets the hollow brush.
#define IDC_HOLLOW_CHILD 22967

// The first-run notice.
#define IDD_NEWINSTALL 238
#define IDC_NEWINSTALL_HEADER 1203
#define IDC_NEWINSTALL_WELCOME 1204
#define IDC_NEWINSTALL_TITLE 1205
#define IDC_NEWINSTALL_TEXT1 1206
#define IDC_NEWINSTALL_TEXT2 1207
#define IDC_NEWINSTALL_TEXT3 1208
