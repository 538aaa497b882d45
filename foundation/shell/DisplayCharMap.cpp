#include "foundation/shell/DisplayCharMap.h"

DisplayCharCodeMap DisplayCharMap;

uint16_t DisplayCharCode(unsigned char c)
{
    return static_cast<uint16_t>(((c % 16) << 8) | (c / 16));
}

namespace {

void AddRange(char first, char last)
{
    for (int c = first; c <= last; ++c)
        DisplayCharMap.SetAt(static_cast<char>(c), DisplayCharCode(static_cast<unsigned char>(c)));
}

} // namespace

void BuildDisplayCharMap()
{
    DisplayCharMap.RemoveAll();
    AddRange(' ', '#');
    AddRange('%', '/');
    AddRange('0', ':');
    AddRange('A', 'Z');
    AddRange('a', 'z');
}
