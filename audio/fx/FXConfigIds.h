// Resource ids of the FX configuration dialog.
#pragma once

#define IDD_FXCONFIG 256
#define IDC_FX_HEADER 1250
#define IDC_FX_ECHO_LENGTH 1251
#define IDC_FX_FLANGE_LENGTH 1252
#define IDC_FX_A_FILTER 1253
#define IDC_FX_A_ECHO 1254
#define IDC_FX_A_FLANGE 1255
#define IDC_FX_A_ROTATE 1256
#define IDC_FX_ROTATE_SPEED 1257
#define IDC_FX_B_ROTATE 1258
#define IDC_FX_B_ECHO 1259
#define IDC_FX_B_FLANGE 1260
#define IDC_FX_B_FILTER 1261

// The main window's effect commands of decks A and B.
#define ID_FX_ROTATE_A 28122
#define ID_FX_ECHO_A 28123
#define ID_FX_FLANGE_A 28124
#define ID_FX_ROTATE_B 28126
#define ID_FX_ECHO_B 28127
#define ID_FX_FLANGE_B 28128
