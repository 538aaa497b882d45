#include "widgets/slider/SliderMath.h"

#include <cstdlib>

namespace {

bool HasTravel(const SliderAxis& axis)
{
    return axis.maximum != axis.minimum && axis.length > axis.thumb;
}

} // namespace

int SliderPosToPixel(const SliderAxis& axis, int position)
{
    const int half = axis.thumb / 2;
    if (!HasTravel(axis))
        return half;
    const double share = static_cast<double>(position - axis.minimum) / (axis.maximum - axis.minimum);
    return static_cast<int>(share * (axis.length - axis.thumb)) + half;
}

int SliderPixelToPos(const SliderAxis& axis, int pixel)
{
    if (!HasTravel(axis))
        return axis.minimum;
    const double share = static_cast<double>(pixel - axis.thumb / 2) / (axis.length - axis.thumb);
    return static_cast<int>(share * (axis.maximum - axis.minimum) + axis.minimum);
}

int SliderClamp(int position, int minimum, int maximum)
{
    if (position > maximum)
        position = maximum;
    if (position < minimum)
        position = minimum;
    return position;
}

int SliderDragPixel(const SliderAxis& axis, int pointer, int grabOffset, bool vertical)
{
    const int half = axis.thumb / 2;
    int p = pointer - grabOffset;
    if (vertical) {
        if (p > axis.length - half)
            p = axis.length - half;
        if (p < half)
            p = half;
    } else {
        if (p < half)
            p = half;
        if (p > axis.length - half)
            p = axis.length - half;
    }
    return p;
}

int SliderGrabOffset(const SliderAxis& axis, int position, int pointer)
{
    const int centre = SliderPosToPixel(axis, position);
    return std::abs(pointer - centre) > axis.thumb / 2 ? 0 : pointer - centre;
}

bool SliderKeyPosition(unsigned key, int position, int minimum, int maximum, int page, int* newPosition)
{
    switch (key) {
    case 0x21: *newPosition = position - page; return true;
    case 0x22: *newPosition = position + page; return true;
    case 0x23: *newPosition = maximum; return true;
    case 0x24: *newPosition = minimum; return true;
    case 0x25:
    case 0x26: *newPosition = position - 1; return true;
    case 0x27:
    case 0x28: *newPosition = position + 1; return true;
    default: return false;
    }
}
