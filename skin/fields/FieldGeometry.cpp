#include "skin/fields/FieldGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

int Clamp(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

// DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, and DT_CENTER, DT_RIGHT.
const uint32_t kTextFlags = 0x8820;
const uint32_t kCentre = 0x1;
const uint32_t kRight = 0x2;

} // namespace

MeterSpan MeterLitSpan(bool vertical, bool reverse, int width, int height, int level)
{
    MeterSpan span;
    if (width <= 0 || height <= 0)
        return span;
    const float share = 0.01f * static_cast<float>(level);
    if (vertical) {
        const float h = static_cast<float>(height);
        const int unlit = static_cast<int>(std::fabs(h * share - h));
        span.from = Clamp(unlit, 0, height);
        span.to = height;
        return span;
    }
    const int lit = Clamp(static_cast<int>(std::fabs(static_cast<float>(width) * share)), 0, width);
    if (reverse) {
        span.from = width - lit;
        span.to = width;
    } else {
        span.from = 0;
        span.to = lit;
    }
    return span;
}

FieldRect FieldTextRect(int width, int height, bool border, bool statusInset)
{
    FieldRect r{0, 0, width, height};
    if (border) {
        r.left += 1;
        r.top += 1;
        r.right -= 1;
        r.bottom -= 1;
    }
    if (statusInset)
        r.left += 3;
    return r;
}

uint32_t FieldTextFlags(int align)
{
    return kTextFlags | (align == 1 ? kCentre : align == 2 ? kRight : 0);
}
