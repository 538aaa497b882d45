#include "widgets/menus/MenuMath.h"

#include <algorithm>
#include <cstdlib>

namespace menu_math {

namespace {

int Clamp255(int v)
{
    return std::min(255, std::max(0, v));
}

template <class F>
Colour PerChannel(Colour c, F f)
{
    return Rgb(Clamp255(f(Red(c))), Clamp255(f(Green(c))), Clamp255(f(Blue(c))));
}

template <class F>
Colour PerChannel2(Colour a, Colour b, F f)
{
    return Rgb(Clamp255(f(Red(a), Red(b))), Clamp255(f(Green(a), Green(b))), Clamp255(f(Blue(a), Blue(b))));
}

} // namespace

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1;
    long long p = static_cast<long long>(a) * b;
    long long half = std::llabs(static_cast<long long>(c)) / 2;
    bool negative = (p < 0) != (c < 0);
    long long q = (std::llabs(p) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -q : q);
}

Colour ScaleTowardBlack(int amount, Colour colour)
{
    return PerChannel(colour, [amount](int v) { return MulDivRound(v, 255 - amount, 255); });
}

Colour ScaleTowardWhite(int amount, Colour colour)
{
    return PerChannel(colour, [amount](int v) { return v + MulDivRound(255 - v, amount, 255); });
}

Colour Blend86(Colour a, Colour b)
{
    return PerChannel2(a, b, [](int x, int y) { return (x * 86 + y * 14) / 100; });
}

Colour Blend70(Colour a, Colour b)
{
    return PerChannel2(a, b, [](int x, int y) { return (x * 70 + y * 30) / 100; });
}

Colour AlphaMix(Colour a, Colour b, int alpha)
{
    if (b == kNoColour)
        return kNoColour;
    return PerChannel2(a, b, [alpha](int x, int y) { return (x * (255 - alpha) + y * alpha) / 256; });
}

int OsClass(bool windows95Family, int versionByte, int major, int minor)
{
    if (windows95Family) {
        if (versionByte < 4)
            return 0;
        if (major == 4 && minor == 10)
            return 3;
        if (major == 4 && minor == 90)
            return 4;
        return 2;
    }
    if (major < 4)
        return 1;
    if (major == 4)
        return 5;
    if (major == 5 && minor == 0)
        return 6;
    return 7;
}

unsigned StyleUnderLoader(unsigned style, bool wine)
{
    if (wine && style <= 10 && style % 2 == 0)
        return style + 1;
    return style;
}

bool PainterOfStyle(unsigned style, Painter& painter)
{
    switch (style) {
    case 0: case 1: case 4: case 5: painter = Painter::Classic; return true;
    case 2: case 3: painter = Painter::Flat; return true;
    case 6: case 7: painter = Painter::Shaded; return true;
    case 8: case 9: case 10: case 11: painter = Painter::Scheme; return true;
    default: return false;
    }
}

Size MeasurePlainItem(Painter painter, Size text, Size icon, int cyMenu, bool opensSubMenu)
{
    Size s;
    switch (painter) {
    case Painter::Classic:
    case Painter::Shaded:
        s.cx = text.cx + 2 * icon.cx + 2;
        s.cy = std::max({cyMenu, icon.cy + (painter == Painter::Classic ? 4 : 6), text.cy});
        break;
    case Painter::Flat:
    case Painter::Scheme:
        s.cx = text.cx + icon.cx + 6 + (opensSubMenu ? cyMenu : cyMenu / 2);
        s.cy = cyMenu > icon.cy + 8 ? cyMenu : icon.cy + 7;
        s.cy = std::max(s.cy, text.cy);
        break;
    }
    return s;
}

Size MeasureTitle(Size text, Size image, unsigned flags, int cxMenuCheck)
{
    Size s;
    if (flags & kTitleVertical) {
        s.cx = std::max(image.cx, text.cy) - cxMenuCheck;
        s.cy = 0;
        if (flags & kTitleEtched)
            s.cx += 8;
        else if (flags & kTitleRounded)
            s.cx += 4;
    } else {
        s.cx = image.cx + text.cx;
        s.cy = std::max(image.cy, text.cy);
        if (flags & kTitleEtched)
            s.cy += 8;
    }
    return s;
}

Colour BandColour(Colour from, Colour to, int offset, int d)
{
    return PerChannel2(from, to, [offset, d](int x, int y) { return x + MulDivRound(y - x, offset, d); });
}

int ShadowFactor(int d, int k)
{
    return k == 0 ? 255 - 30 * d : 255 - 6 * d * k;
}

Colour Darken(Colour pixel, int factor)
{
    return PerChannel(pixel, [factor](int v) { return MulDivRound(v, factor, 255); });
}

Colour ShadedPixel(Colour pixel)
{
    return PerChannel(pixel, [](int v) { return MulDivRound(v, 205, 255); });
}

Colour GreyedPixel(Colour pixel, Colour tint)
{
    int grey = (Red(pixel) + Green(pixel) + Blue(pixel)) / 3;
    return PerChannel(tint, [grey](int t) { return (110 * grey + 145 * t) / 256; });
}

} // namespace menu_math
