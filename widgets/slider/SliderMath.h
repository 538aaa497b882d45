// The bitmap slider's arithmetic, apart from its window: position to the
// thumb centre's pixel along the slider's axis and back, the clamping of a
// position, the dragged pointer's pixel, and the keys' new positions.
#pragma once

struct SliderAxis
{
    int minimum;
    int maximum;
    int length; // the channel's width (horizontal) or height (vertical)
    int thumb;  // the thumb's width (horizontal) or height (vertical)
};

// The thumb centre's pixel of a position:
// trunc((position - minimum) / (maximum - minimum) x (length - thumb)) + thumb / 2.
// An empty range, or a channel no longer than the thumb, gives the first
// pixel (thumb / 2): there is no travel to spread the range over.
int SliderPosToPixel(const SliderAxis& axis, int position);

// The position of a thumb centre pixel:
// trunc((pixel - thumb / 2) / (length - thumb) x (maximum - minimum) + minimum).
// Without travel (see above) every pixel gives the minimum.
int SliderPixelToPos(const SliderAxis& axis, int pixel);

// Lowers the position to the maximum, then raises it to the minimum (so
// with the minimum above the maximum the minimum wins).
int SliderClamp(int position, int minimum, int maximum);

// The pointer's coordinate less the grab offset, kept within
// [thumb / 2, length - thumb / 2]: horizontal sliders apply the lower
// bound first, vertical ones the upper bound first.
int SliderDragPixel(const SliderAxis& axis, int pointer, int grabOffset, bool vertical);

// The grab offset of a button-down at pointer: 0 when the pointer is more
// than half a thumb from the thumb centre (the thumb jumps), else the
// distance to the centre.
int SliderGrabOffset(const SliderAxis& axis, int position, int pointer);

// The new (unclamped) position after a key, or false for a key the slider
// does not handle. Keys are the virtual-key codes of Page Up (0x21), Page
// Down (0x22), End (0x23), Home (0x24), Left (0x25), Up (0x26), Right
// (0x27) and Down (0x28).
bool SliderKeyPosition(unsigned key, int position, int minimum, int maximum, int page, int* newPosition);
