// The colour popup's grid, apart from its window: the 40 named colours,
// the layout of cells and of the Automatic and More Colors entries, which
// entry a point falls on, and keyboard moves between entries.
#pragma once

#include <cstdint>

// Entry numbers besides the cells 0..39.
constexpr int kColourGridNone = -1;
constexpr int kColourGridCustom = -2;  // "More Colors..."
constexpr int kColourGridDefault = -3; // "Automatic"

constexpr int kColourGridCount = 40;
constexpr int kColourGridColumns = 8;
constexpr int kColourGridRows = (kColourGridCount + kColourGridColumns - 1) / kColourGridColumns;

// 0xFF000000: Automatic (the default colour).
constexpr uint32_t kColourAutomatic = 0xFF000000u;

struct ColourGridEntry
{
    uint32_t colour; // 0x00BBGGRR
    const char* name;
};

extern const ColourGridEntry kColourGridTable[kColourGridCount];

struct ColourGridBox
{
    int left, top, right, bottom;
};

struct ColourGridLayout
{
    int margin;
    int boxSize;
    bool hasDefault;
    bool hasCustom;
    int width, height;        // of the window
    ColourGridBox defaultBox; // client coordinates; empty without the entry
    ColourGridBox customBox;
    int gridTop;              // top of the first row of cells
};

// The layout for a margin, a cell size and the larger width and height of
// the two entry texts as the popup's font measures them (0 when absent).
ColourGridLayout ColourGridLayoutFor(int margin, int boxSize, bool hasDefault, bool hasCustom, int textWidth,
                                     int textHeight);

ColourGridBox ColourGridCellBox(const ColourGridLayout& layout, int cell);

// The entry at a client point: a cell, the Automatic or More Colors entry,
// or kColourGridNone.
int ColourGridHitTest(const ColourGridLayout& layout, int x, int y);

// The entry the popup opens on for a colour: Automatic for 0xFF000000 when
// it has that entry, else the first cell of the colour, else More Colors
// when present, else none.
int ColourGridInitial(uint32_t colour, bool hasDefault, bool hasCustom);

// The entry a key moves to from current (virtual keys: Left 0x25, Up 0x26,
// Right 0x27, Down 0x28); false for another key.
bool ColourGridKeyMove(unsigned key, int current, bool hasDefault, bool hasCustom, int* next);
