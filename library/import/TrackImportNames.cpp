#include "library/import/TrackImportNames.h"

#include <cstring>

bool HasEnding(const CString& name, const char* ending)
{
    const int n = static_cast<int>(std::strlen(ending));
    if (name.GetLength() < n)
        return false;
    CString tail = name.Right(n);
    tail.MakeLower();
    return tail == ending;
}

bool HasMusicEnding(const CString& name)
{
    return HasEnding(name, "mp3") || HasEnding(name, "wav");
}
