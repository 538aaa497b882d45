// The splash window's template, its picture and its status line (the
// program's resource script names them too).
#pragma once

#define IDD_TXVSPLASH 106
#define IDC_TXVSPLASH_PICTURE 1130
#define IDB_TXVSPLASH 181
#define IDC_TXVSPLASH_STATUS 21
