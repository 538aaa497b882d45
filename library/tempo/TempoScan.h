// The library's tempo scan: every track of a copy of the library measured
// in turn (WAV files skipped), the tempo written into the file's tag and
// the record, the files without a tempo listed as "NOBPM". What the scan
// does to each file goes through TempoScanActions, so that a test can
// stand in for the decoder, the tag writer and the library.
#pragma once

#include "library/maintenance/ScanFrame.h"
#include "library/state/LibraryState.h"
#include "library/tempo/TempoMeasure.h"

namespace tempo {

class TempoScanActions
{
public:
    virtual ~TempoScanActions() = default;
    // The file's tempo, 0 for none, -1 when the user stopped.
    virtual float Measure(const CString& path) = 0;
    // Writes the tempo text into the file's tag; false when it could not.
    virtual bool WriteTag(const CString& path, const CString& text) = 0;
    // Stores the record (its tempo text changed) back at its position.
    virtual void Store(INT_PTR position, const CTrackRecord& record) = 0;
};

// The scan over tracks: the number of tracks that got a tempo.
int ScanTempos(const TrackArray& tracks, ScanFrame& frame, TempoScanActions& actions);

// A path ending in "wav", in any letter case.
bool IsWavPath(const CString& path);

// Puts the record's tempo text into the library's record of the same file
// at position (or, when the library moved, wherever that file now is) and
// marks the library changed; false when the file is no longer there.
bool StoreTempoText(LibraryState& state, INT_PTR position, const CTrackRecord& record);

// Measures one file with the decoder engine (VIZU::DecodeBPM): progress
// text into the dialog item id of window, Escape to stop.
float DecodeFileTempo(const CString& path, CWnd* window, int id, bool progress, int limit);

} // namespace tempo
