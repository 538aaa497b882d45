// Resource ids of external control's dialogs (in the program's resource
// script through InputDialogs.rc).
#pragma once

// The key editor, "Edit Keyboard Shortcut".
#define IDD_KEYEDIT 236
#define IDC_KEYEDIT_HEADER 1191
#define IDC_KEYEDIT_COMMAND 1192
#define IDC_KEYEDIT_CTRL 1193
#define IDC_KEYEDIT_ALT 1194
#define IDC_KEYEDIT_SHIFT 1195
#define IDC_KEYEDIT_KEYS 1196
#define IDC_KEYEDIT_RESET 1197
#define IDC_KEYEDIT_STATE 1198

// The Communications window, "Communications / Requests".
#define IDD_COMMVIEW 228
#define IDC_COMM_HEADER 1155
#define IDC_COMM_LOG 1156
#define IDC_COMM_STATUS 1157
#define IDC_COMM_START 1158
#define IDC_COMM_PORT 1159
#define IDC_COMM_ADDRESS 1160
#define IDC_COMM_EVENTS 1161
#define IDC_COMM_AUTOSTART 1162
#define IDC_COMM_CLEARLOG 1163
#define IDC_COMM_SENDTEXT 1164
#define IDC_COMM_SEND 1165
