#include "foundation/drawing/HexToColor.h"

namespace {

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

} // namespace

COLORREF HexToColor(const char* text)
{
    if (!text || !*text)
        return 0x00FF00;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text += 2;

    DWORD value = 0;
    for (int digit; (digit = HexDigit(*text)) >= 0; ++text)
        value = (value << 4) | static_cast<DWORD>(digit);

    DWORD red = (value >> 16) & 0xFF;
    DWORD green = (value >> 8) & 0xFF;
    DWORD blue = value & 0xFF;
    return red | (green << 8) | (blue << 16);
}
