// The library's side of the search and filter rules: the texts of a record
// and the C library's letter-case folding.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"
#include "library/state/LibraryState.h"
#include "library/tracklist/SearchFilterMatch.h"

#include <string>

// Single-byte lower-casing as the C library does it under its current
// multi-byte code page (lead bytes of double-byte code pages stay).
const MatchCaseFold& LibraryCaseFold();

// The texts of rec; with normalTempo given, the tempo text in its normal
// form is kept there and named by the fields (only filter code 26 needs it).
TrackMatchFields MatchFieldsOf(const CTrackRecord& rec, std::string* normalTempo = nullptr);

// The searches and filters over the library's records (the lock held by
// the caller, VIZU's entry points). Walks that let messages run keep the
// records in place (TracksInUse).
namespace tracklist {

// The position of the first record whose title (artist) contains text in
// any letter case, or -1.
int FindTitle(const TrackArray& tracks, const CString& text);
int FindArtist(const TrackArray& tracks, const CString& text);
// The records that match a search code 30 to 35 into state.searchTracks:
// their count, -1 for an empty library. Messages run after every record.
int DoSearch(LibraryState& state, const CString& text, int code);
// The records whose field of a filter code contains value into
// state.filteredTracks: their count.
int FilterTrackList(LibraryState& state, int code, const CString& value);
// The same, appended to target: their count, -1 for an empty library.
int FilterTracksToArray(TrackArray& tracks, TrackArray* target, int code, const CString& value);
// From the caller's array into target (emptied first; one array as both is
// filtered in place): their count, -1 for an empty source.
int FilterArrayToArray(TrackArray* source, TrackArray* target, int code, const CString& value);
// The records whose field equals value, appended to target: their count.
int LoadFilteredTracksToArray(TrackArray& tracks, TrackArray* target, int code,
                              const CString& value);
// The count of the records that match, -1 for an empty library.
int SearchLibrary(TrackArray& tracks, int code, const CString& value);

} // namespace tracklist
