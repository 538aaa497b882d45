// Resource ids of the menu tests and the menu sheet.
#pragma once

#define IDR_TEST_MENU 7100
#define IDR_TEST_MENU_SEPARATOR_FIRST 7101
#define IDR_TEST_MENU_EMPTY 7102
#define IDB_TITLE_RED 7110
#define IDB_TITLE_GREEN 7111
#define IDB_TITLE_BLUE 7112

#define ID_PLAY 7200
#define ID_PAUSE 7201
#define ID_GREY 7202
#define ID_CHECKED 7203
#define ID_SUB_ONE 7210
#define ID_SUB_TWO 7211
#define ID_DEEP 7220
#define ID_TWIN 7230
