// Library-wide settings and counters read from "KVLib.ini" and kept with
// the library state (LibraryState::settings, reached through a held
// LibraryLock).
#pragma once

#include <cstdint>

// Display positions of the eleven track-list column types, in the order
// title, artist, picture, album, genre, time, year, BPM, file name, index,
// play counter (VIZU::InitTrackListColumnOrder).
constexpr int kTrackListColumns = 11;

struct LibrarySettings
{
    // The add settings (VIZU::GetAddSettings).
    bool logAdds = false;            // KVLIB LogAdds is exactly 1
    int32_t wavLookForID3V1 = 0;     // KVLIB WAV_LookForID3V1

    // The add wizard's found counters: files, MP3 files, WAV files.
    int32_t foundFiles = 0;
    int32_t foundMP3 = 0;
    int32_t foundWAV = 0;

    int32_t columnPos[kTrackListColumns] = {};
    // The track-list column count (List_ColNum as last read).
    int32_t trackListColNum = 0;
};

// A copy of the add settings taken under the library lock, for code that
// may run on any thread while another one rereads them.
struct AddSettings
{
    bool logAdds;
    int32_t wavLookForID3V1;
};
AddSettings CurrentAddSettings();
