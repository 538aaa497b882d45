// Resource ids of the test program's dialogs, strings and bitmaps.
#pragma once

#define IDD_EXCHANGE 100
#define IDD_PLAIN 101
#define IDB_STRIP 200
#define IDS_QUESTION 300

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_ENABLED 1003
#define IDC_CHOICE 1004
#define IDC_TRACKS 1005
#define IDC_APPLY 1006
#define IDC_SLIDER 1007
