#include "widgets/button/ButtonMath.h"

namespace {

uint32_t DarkenChannel(uint32_t value)
{
    return static_cast<uint32_t>(value - 0.12 * value);
}

} // namespace

uint32_t FlatButtonDarken(uint32_t colour, uint32_t key)
{
    if ((colour & 0xFFFFFF) == (key & 0xFFFFFF))
        return colour;
    const uint32_t r = DarkenChannel(colour & 0xFF);
    const uint32_t g = DarkenChannel((colour >> 8) & 0xFF);
    const uint32_t b = DarkenChannel((colour >> 16) & 0xFF);
    return r | (g << 8) | (b << 16);
}

int FlatButtonTopBarInset(int width)
{
    return static_cast<int>(0.2 * width);
}
