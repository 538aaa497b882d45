// The texts of playlists and history lists (laid out as the library file)
// and of M3U files: paths and names, the M3U reader and writer, the append
// to a playlist's text and the drive-letter change of its records. No file
// access and no Windows header here, so this is built and tested natively.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <string>
#include <vector>

namespace playlists {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// True when the path ends in ".txl" in any letter case.
bool HasPlaylistExtension(const CString& path);
// The path a playlist is written to: the path itself when it ends in
// ".txl" in any letter case, else the path with ".txl" appended.
CString PlaylistPath(const CString& path);
// A file name without its extension (the text after its last dot), as the
// folder listings show a playlist.
CString PlaylistName(const CString& fileName);

// The text as a text-mode reader reads it, line by line: CR LF and LF end
// a line, a Ctrl-Z ends the text, and each line is followed by one LF
// (the last one too).
std::string TextModeLines(const std::string& bytes);

// Adds a record element for each of added after the last child of the
// library root of text (a text-mode text, see TextModeLines) and raises the
// root's Tracks by their number (Tracks read as a decimal number, 0 when
// it reads as none). The elements and attributes are added as XmlMarkup
// lays them out, so the lines already there keep their LF ends and the new
// ones end in CR LF. False, with text unchanged, when text does not parse
// or its root is not the library root.
bool AppendRecordsToText(std::string& text, const TrackArray& added);

// As AppendRecordsToText, from a playlist file's bytes as read (the
// text-mode lines of them with the records added, into text). A file laid
// out exactly as the library file's writer writes it is extended in place
// of a parse, to the same bytes; any other goes through
// AppendRecordsToText.
bool AppendRecordsToFileText(const CString& bytes, const TrackArray& added, std::string& text);

// The folder part of an M3U file's path, up to and including its last
// backslash (empty without one).
CString M3uFolder(const CString& m3uPath);

// The music files an M3U text lists, in order: a UTF-8 byte-order mark at
// its start is skipped, lines end in CR LF or LF, lines that start with
// '#' are not entries, and a line is an entry only when it ends in ".mp3"
// or ".wav" in any letter case. An entry without a drive (its second
// character not ':') gets folder in front.
std::vector<CString> ReadM3uEntries(const std::string& bytes, const CString& folder);

// The M3U text of the records: "#EXTM3U", then per record
// "#EXTINF:<length>,<artist> - <title>" and the path, each line ended by
// CR LF. A line break inside a text is written as a blank, so that it
// cannot start a line of its own.
std::string BuildM3uText(const TrackArray& records);

// Moves every record's path from drive 'from' to drive 'to' (letters as
// maintenance::ParseDriveLetter gives them; only a drive at the start of a
// path, its letter in any case); the number of paths changed.
int ChangeDriveInRecords(TrackArray& records, char from, char to);

} // namespace playlists
