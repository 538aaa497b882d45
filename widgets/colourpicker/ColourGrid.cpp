#include "widgets/colourpicker/ColourGrid.h"

#include <algorithm>

const ColourGridEntry kColourGridTable[kColourGridCount] = {
    {0x000000, "Black"},        {0x002AA5, "Brown"},        {0x404000, "Dark Olive Green"},
    {0x005500, "Dark Green"},   {0x5E0000, "Dark Teal"},    {0x8B0000, "Dark blue"},
    {0x82004B, "Indigo"},       {0x282828, "Dark grey"},    {0x00008B, "Dark red"},
    {0x2068FF, "Orange"},       {0x008B8B, "Dark yellow"},  {0x009300, "Green"},
    {0x8E8E38, "Teal"},         {0xFF0000, "Blue"},         {0xC07B7B, "Blue-grey"},
    {0x666666, "Grey - 40"},    {0x0000FF, "Red"},          {0x5BADFF, "Light orange"},
    {0x32CD32, "Lime"},         {0x71B33C, "Sea green"},    {0xD4FF7F, "Aqua"},
    {0xC09E7D, "Light blue"},   {0x800080, "Violet"},       {0x7F7F7F, "Grey - 50"},
    {0xCBC0FF, "Pink"},         {0x00D7FF, "Gold"},         {0x00FFFF, "Yellow"},
    {0x00FF00, "Bright green"}, {0xD0E040, "Turquoise"},    {0xFFFFC0, "Skyblue"},
    {0x480048, "Plum"},         {0xC0C0C0, "Light grey"},   {0xE1E4FF, "Rose"},
    {0x8CB4D2, "Tan"},          {0xE0FFFF, "Light yellow"}, {0x98FB98, "Pale green "},
    {0xEEEEAF, "Pale turquoise"}, {0x8B8368, "Pale blue"},  {0xFAE6E6, "Lavender"},
    {0xFFFFFF, "White"},
};

namespace {

bool Inside(const ColourGridBox& box, int x, int y)
{
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

// Where a move past the last cell lands.
int AfterLast(bool hasDefault, bool hasCustom)
{
    return hasCustom ? kColourGridCustom : hasDefault ? kColourGridDefault : 0;
}

// Where a move before cell 0 lands.
int BeforeFirst(bool hasDefault, bool hasCustom)
{
    return hasDefault ? kColourGridDefault : hasCustom ? kColourGridCustom : kColourGridCount - 1;
}

} // namespace

ColourGridLayout ColourGridLayoutFor(int margin, int boxSize, bool hasDefault, bool hasCustom, int textWidth,
                                     int textHeight)
{
    ColourGridLayout l = {};
    l.margin = margin;
    l.boxSize = boxSize;
    l.hasDefault = hasDefault;
    l.hasCustom = hasCustom;
    const int m = margin;
    const int w = textWidth + 2 * m;
    const int th = textHeight + 4 * m + 2;
    l.width = 2 * m + kColourGridColumns * boxSize;
    l.height = kColourGridRows * boxSize + 2 * m;
    l.gridTop = m;
    if (hasDefault) {
        l.width = std::max(l.width, w);
        l.defaultBox = ColourGridBox{m, m, l.width - m, 2 * m + th};
        l.height += 3 * m + th;
        l.gridTop += 2 * m + th;
    }
    if (hasCustom) {
        l.width = std::max(l.width, w);
        l.customBox = ColourGridBox{m, l.height, l.width - m, l.height + m + th};
        l.height += 3 * m + th;
    }
    if (hasDefault) // the entry spans the final width
        l.defaultBox.right = l.width - m;
    return l;
}

ColourGridBox ColourGridCellBox(const ColourGridLayout& layout, int cell)
{
    const int left = (cell % kColourGridColumns) * layout.boxSize + layout.margin;
    const int top = (cell / kColourGridColumns) * layout.boxSize + layout.gridTop;
    return ColourGridBox{left, top, left + layout.boxSize, top + layout.boxSize};
}

int ColourGridHitTest(const ColourGridLayout& layout, int x, int y)
{
    if (layout.hasCustom && Inside(layout.customBox, x, y))
        return kColourGridCustom;
    if (layout.hasDefault && Inside(layout.defaultBox, x, y))
        return kColourGridDefault;
    const int gx = x - layout.margin;
    const int gy = y - layout.gridTop;
    if (gx < 0 || gy < 0 || layout.boxSize <= 0)
        return kColourGridNone;
    const int column = gx / layout.boxSize;
    const int row = gy / layout.boxSize;
    if (column >= kColourGridColumns || row >= kColourGridRows)
        return kColourGridNone;
    const int cell = row * kColourGridColumns + column;
    return cell < kColourGridCount ? cell : kColourGridNone;
}

int ColourGridInitial(uint32_t colour, bool hasDefault, bool hasCustom)
{
    if (colour == kColourAutomatic && hasDefault)
        return kColourGridDefault;
    for (int i = 0; i < kColourGridCount; ++i)
        if (kColourGridTable[i].colour == colour)
            return i;
    return hasCustom ? kColourGridCustom : kColourGridNone;
}

bool ColourGridKeyMove(unsigned key, int current, bool hasDefault, bool hasCustom, int* next)
{
    const int last = kColourGridCount - 1;
    const bool none = current == kColourGridNone;
    switch (key) {
    case 0x28: // Down
        if (current == kColourGridDefault)
            *next = 0;
        else if (current == kColourGridCustom)
            *next = hasDefault ? kColourGridDefault : 0;
        else if (!none && current + kColourGridColumns < kColourGridCount)
            *next = current + kColourGridColumns;
        else
            *next = AfterLast(hasDefault, hasCustom);
        return true;
    case 0x27: // Right
        if (current == kColourGridDefault)
            *next = 0;
        else if (current == kColourGridCustom)
            *next = hasDefault ? kColourGridDefault : 0;
        else if (!none && current < last)
            *next = current + 1;
        else
            *next = AfterLast(hasDefault, hasCustom);
        return true;
    case 0x26: // Up
        if (current == kColourGridDefault)
            *next = hasCustom ? kColourGridCustom : last;
        else if (current == kColourGridCustom)
            *next = last;
        else if (!none && current >= kColourGridColumns)
            *next = current - kColourGridColumns;
        else
            *next = BeforeFirst(hasDefault, hasCustom);
        return true;
    case 0x25: // Left
        if (current == kColourGridDefault)
            *next = hasCustom ? kColourGridCustom : last;
        else if (current == kColourGridCustom)
            *next = last;
        else if (!none && current > 0)
            *next = current - 1;
        else
            *next = BeforeFirst(hasDefault, hasCustom);
        return true;
    default:
        return false;
    }
}
