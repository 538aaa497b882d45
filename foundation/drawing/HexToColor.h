// Colours as skins and list settings store them: hexadecimal RRGGBB text.
#pragma once

#include "framework/core/Types.h"

typedef DWORD COLORREF;

// 0x00BBGGRR from "RRGGBB" (optional "0x" prefix; reading stops at the first
// character that is not a hexadecimal digit). An empty text gives green.
COLORREF HexToColor(const char* text);
