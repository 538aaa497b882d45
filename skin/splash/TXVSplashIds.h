// The splash window's template and its status line (the program's
// resource script names them too).
#pragma once

#define IDD_TXVSPLASH 106
#define IDC_TXVSPLASH_STATUS 1101
