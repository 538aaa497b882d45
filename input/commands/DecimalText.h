// Numbers in the texts of shortcut files and controller maps: read the way
// the C library's atoi reads them (leading blanks, a sign, then digits up
// to the first other character; no digits give 0), but saturating at the
// limits of a 32-bit int instead of overflowing.
#pragma once

#include <cstdint>

int32_t ReadDecimal(const char* text);
