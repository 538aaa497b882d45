// TrackInfoTexts: the texts of the current track handed to the info
// window by value: title, artist, album, genre, a fifth text, the file
// path, a seventh and an eighth text. The main window fills the first four
// and the path; the info window reads those five.
#pragma once

#include "framework/core/CString.h"

struct TrackInfoTexts
{
    CString title;
    CString artist;
    CString album;
    CString genre;
    CString fifth;
    CString path;
    CString seventh;
    CString eighth;
};
