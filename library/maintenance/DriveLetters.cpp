#include "library/maintenance/DriveLetters.h"

namespace maintenance {

namespace {

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

char ParseDriveLetter(const CString& text)
{
    CString letter(text);
    letter.Trim();
    if (letter.GetLength() != 1)
        return 0;
    const char c = Upper(letter.GetAt(0));
    return (c >= 'A' && c <= 'Z') ? c : 0;
}

int ChangeDriveLetter(CString& path, char from, char to)
{
    if (from == 0 || to == 0 || path.GetLength() < 2)
        return 0;
    if (Upper(path.GetAt(0)) != from || path.GetAt(1) != ':')
        return 0;
    path.SetAt(0, to);
    return 1;
}

} // namespace maintenance
