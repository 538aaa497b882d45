// Library-wide settings and counters read from "KVLib.ini" and kept with
// the library state.
#pragma once

#include <cstdint>

// The add settings (VIZU::GetAddSettings).
extern bool g_bLogAdds;            // KVLIB LogAdds is exactly 1
extern int32_t g_nWavLookForID3V1; // KVLIB WAV_LookForID3V1

// A copy of the add settings taken under the library lock, for code that
// may run on any thread while another one rereads them.
struct AddSettings
{
    bool logAdds;
    int32_t wavLookForID3V1;
};
AddSettings CurrentAddSettings();

// The add wizard's found counters: files, MP3 files, WAV files.
extern int32_t g_nFoundFiles;
extern int32_t g_nFoundMP3;
extern int32_t g_nFoundWAV;

// Display positions of the eleven track-list column types, in the order
// title, artist, picture, album, genre, time, year, BPM, file name, index,
// play counter (VIZU::InitTrackListColumnOrder).
constexpr int kTrackListColumns = 11;
extern int32_t g_nColumnPos[kTrackListColumns];
// The track-list column count (List_ColNum as last read).
extern int32_t g_nTrackListColNum;
