// The archive files of track records: archive playlists (one stored
// object per record) and the archive library (a header text, a count and
// bare records). No file access and no window code here: the readers and
// the writer work on any byte stream.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CByteStream.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

namespace legacy {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// Stores record as an object through an archive of its own, at the
// stream's position: the full class introduction, then the fields. Throws
// the stream's or the archive's exception when writing fails.
void StorePlaylistRecord(CByteStream& stream, const CTrackRecord& record);

// Reads stored CTrackRecord objects from the stream's position to its end
// through one archive (so both a file written through many archives and one
// written through a single archive read) and appends each to tracks. The
// number appended, or -1 when the data is damaged (ends inside a record,
// names another class, refers to nothing); the records read before stay.
// Never throws.
int ReadArchivePlaylist(CByteStream& stream, TrackArray& tracks);

// Reads an archive library: header text, 32-bit count, then that many
// bare records. The records replace tracks' content; the number read, or -1
// when the header or the count cannot be read or the count is negative
// (tracks untouched), or when the data ends or breaks before the count is
// reached (the records read before stay). The count is never trusted for an
// allocation: tracks grow record by record. Never throws.
int ReadArchiveLibrary(CByteStream& stream, TrackArray& tracks);

// Writes an archive library (for tests and tools): header, count, records.
void WriteArchiveLibrary(CByteStream& stream, const CString& header, const TrackArray& tracks);

} // namespace legacy
