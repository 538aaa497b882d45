// The message dialog's template and controls (the resource script names
// them too).
#pragma once

#define IDD_TXVMSG 138
#define IDC_TXVMSG_HEADER 1013
#define IDC_TXVMSG_TEXT 1014
#define IDC_TXVMSG_OK 1183
