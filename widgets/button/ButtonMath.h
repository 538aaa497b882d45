// The flat button's pixel arithmetic, apart from drawing: the resting copy
// of a kind-1 image is darkened by 12 %, key-coloured pixels kept.
// Colours are 0x00BBGGRR values.
#pragma once

#include <cstdint>

// Each of red, green and blue x becomes trunc(x - 0.12 x); a pixel equal
// to the key colour stays as it is.
uint32_t FlatButtonDarken(uint32_t colour, uint32_t key);

// The two green lines of the top-bar decoration run from b to right - b,
// b = trunc(0.2 x width).
int FlatButtonTopBarInset(int width);
