// Which records of a track array are copies of one another: by song (artist
// and title, each in any letter case) and by file path. The answers are
// positions in the array; the scans that list them and the removals that
// act on them (MaintenanceScans.h) add the windows. No Windows header here,
// so this is built and tested natively too.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/CArray.h"
#include "library/records/CTrackRecord.h"

#include "framework/core/Types.h"

#include <string>
#include <vector>

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

namespace maintenance {

// One song held more than once: the copy that stays (the first of the
// song in array order) and the other copies (other index numbers), in
// array order. Records of the song that share the original's index number
// are the same record and belong to no group.
struct SongGroup
{
    INT_PTR original = -1;
    std::vector<INT_PTR> copies;
};

// One group per song held more than once, in the order of their originals.
// However many copies a song has, it has one original, so removing every
// listed copy keeps exactly one record of the song.
std::vector<SongGroup> GroupSongCopies(const TrackArray& tracks);

// The copies beyond the first of each song (the first in array order):
// 'copies' counts them all; 'listed' holds those, in array order, whose
// path (in any letter case) is not the path of a first copy.
struct LaterCopies
{
    int copies = 0;
    std::vector<INT_PTR> listed;
};
LaterCopies FindLaterCopies(const TrackArray& tracks);

// The records whose exact path an earlier record with another index number
// already has, in array order: the first record of each path is never
// among them.
std::vector<INT_PTR> FindSharedPathCopies(const TrackArray& tracks);

// Whether the first record of that exact path may go because another record
// keeps what it holds: another record with the same path (byPath) or of the
// same song (otherwise). Its position, or -1 when it is the last one (or no
// record has the path).
INT_PTR RemovableCopy(const TrackArray& tracks, const CString& path, bool byPath);

// A key equal for two records exactly when they are the same song.
std::string SongKey(const CTrackRecord& record);

} // namespace maintenance
