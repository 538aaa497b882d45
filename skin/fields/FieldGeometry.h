// The arithmetic of the skinned fields and meters, free of window code:
// which rows or columns of a level meter are lit, and where a field's text
// goes. Built natively too.
#pragma once

#include <cstdint>

// A half-open run [from, to) of rows (vertical meter) or columns.
struct MeterSpan
{
    int from = 0;
    int to = 0;
    int Length() const { return to > from ? to - from : 0; }
};

// The part of a width x height level meter that shows its "on" image at a
// level in percent. Vertical: lit from the bottom up (reverse ignored);
// horizontal: from the left, or from the right when reversed. Levels are
// not clipped; the part is kept within the meter.
MeterSpan MeterLitSpan(bool vertical, bool reverse, int width, int height, int level);

// A field's text rectangle inside its client rectangle (0, 0, width,
// height): a border takes one pixel on every side; a status field starts
// its text 3 pixels further right.
struct FieldRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
};
FieldRect FieldTextRect(int width, int height, bool border, bool statusInset);

// The text-drawing flags of an alignment (0 left, 1 centred, 2 right):
// single line, no prefix, ending in an ellipsis.
uint32_t FieldTextFlags(int align);
