// The character map of a controller's text display: each character the
// display can show, mapped to its cell in the display's 16-column character
// table (column in the high byte, row in the low byte).
#pragma once

#include "framework/core/CMap.h"

#include <cstdint>

typedef CMap<char, char, uint16_t, uint16_t> DisplayCharCodeMap;

// The program's map, filled by BuildDisplayCharMap.
extern DisplayCharCodeMap DisplayCharMap;

// The cell code of a character: (c mod 16) << 8 | (c div 16).
uint16_t DisplayCharCode(unsigned char c);

// Fills DisplayCharMap with the 78 characters the display shows: space,
// '!', '"', '#', '%' to '/', '0' to '9', ':', 'A' to 'Z' and 'a' to 'z'
// ('$' and the other punctuation are not there).
void BuildDisplayCharMap();
