// The shared sort state of m_Tracks and the guard of its records while a
// save or load walks them, for KVLib's own code.
#pragma once

// Sorts m_Tracks by a code 1 to 10 and records code and direction as the
// last sort; false (nothing done) for other codes or while the records are
// in use.
bool SortLibraryTracks(int code, bool descending);
int LastSortCode();
bool LastSortDescending();

// While one lives, the operations that add, remove or move records of
// m_Tracks refuse: a save lets messages run while it walks the records.
class TracksInUse
{
public:
    TracksInUse();
    ~TracksInUse();
    TracksInUse(const TracksInUse&) = delete;
    TracksInUse& operator=(const TracksInUse&) = delete;
};
bool AreTracksInUse();
