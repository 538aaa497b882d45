#include "skin/knob/KnobGeometry.h"

#include <cmath>

int KnobClampPosition(int position, int minimum, int maximum)
{
    if (position < minimum)
        return minimum;
    if (position > maximum + 1)
        return maximum + 1;
    return position;
}

KnobPoint KnobDotOrigin(int position, int radius, KnobPoint centre, int dotWidth, int dotHeight)
{
    if (dotWidth <= 0 || dotHeight <= 0) {
        dotWidth = 2;
        dotHeight = 2;
    }
    const double angle = (360 - position) * 0.017453292519943278;
    KnobPoint dot;
    dot.x = static_cast<int>(radius * std::sin(angle) + centre.x - dotWidth / 2);
    dot.y = static_cast<int>(radius * std::cos(angle) + centre.y - dotHeight / 2);
    return dot;
}

KnobPoint KnobImageOrigin(int backgroundWidth, int backgroundHeight, int knobWidth, int knobHeight)
{
    return KnobPoint{(backgroundWidth - knobWidth) / 2, (backgroundHeight - knobHeight) / 2};
}

int KnobDotRadius(int knobWidth, int dotWidth)
{
    return knobWidth / 2 - dotWidth / 2 - 3;
}
