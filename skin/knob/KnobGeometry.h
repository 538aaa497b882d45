// The knob's arithmetic, free of window code: its positions, the dot's
// place on the circle and the sizes taken from its bitmaps. Built natively
// too.
#pragma once

struct KnobPoint
{
    int x = 0;
    int y = 0;
};

// The knob's own range: the slider's minimum up to one past its maximum.
int KnobClampPosition(int position, int minimum, int maximum);

// The dot image's top-left corner for a position (in degrees, 180 straight
// up, turning clockwise), on a circle of the radius around the centre. A
// dot without a size counts as 2 x 2.
KnobPoint KnobDotOrigin(int position, int radius, KnobPoint centre, int dotWidth, int dotHeight);

// The knob image centred on the background image.
KnobPoint KnobImageOrigin(int backgroundWidth, int backgroundHeight, int knobWidth, int knobHeight);

// The dot's radius once the dot image is known.
int KnobDotRadius(int knobWidth, int dotWidth);
