// The library file's reader and writer, as VIZU's open, load, save and
// create use them. The library-file code supplies the one in use; with none
// supplied nothing can be read or written and those calls fail.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"
#include "library/records/CTrackRecord.h"

// The version the library files written here carry.
constexpr const char* kLibraryFileVersion = "5.00";

struct LibraryState;

class LibraryFileFormat
{
public:
    virtual ~LibraryFileFormat() = default;
    // Reads the file into tracks (the library's records): 0 loaded, 1
    // nothing loaded, 2 loaded from the backup copy. A file that cannot be
    // opened throws.
    virtual int LoadLib(const CString& path, CArray<CTrackRecord, CTrackRecord&>& tracks) = 0;
    // Writes tracks: the record count written, -1 when it failed.
    virtual int SaveLib(const CString& path, const CArray<CTrackRecord, CTrackRecord&>& tracks) = 0;
    // Writes an empty library file; a path that cannot be created throws.
    virtual void CreateLib(const CString& path) = 0;
    // Track count and version from the file's root element; false when the
    // file is not a readable library.
    virtual bool GetLibInfo(const CString& path, LIB_INFO* info) = 0;
};

// The format in use, or null; returns the previous one.
LibraryFileFormat* SetLibraryFileFormat(LibraryFileFormat* format);
LibraryFileFormat* GetLibraryFileFormat();

// The library file format KVLib reads and writes unless another is set.
LibraryFileFormat* DefaultLibraryFileFormat();

namespace libfile {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// The default format's work, for VIZU's file entries (the library lock
// held by the caller).
// Writes tracks whole or not at all: the record count, -1 when it failed
// (after telling the user). Messages run while the text is built.
int SaveLibrary(const TrackArray& tracks, const CString& path);
// Reads path (or, when asked, its backup copy) into tracks: 0, 1 or 2 as
// LibraryFileFormat::LoadLib.
int ReadLibraryFile(TrackArray& tracks, const CString& path);
// Writes an empty library file; a path that cannot be created throws.
void CreateLibrary(const CString& path);
// The whole file in one read, each NUL byte turned into '|' (a NUL in a tag
// would end the text early); empty when the file is too large for a
// document. A file that cannot be opened throws.
CString ReadWholeText(const CString& path);
// Today's date as the files' root carries it ("%m/%d/%y").
CString TodayText();
// Version and record count of the file's head; false when it is none.
bool GetLibInfo(const CString& path, LIB_INFO* info);
// Every record of a library-format file into records (emptied first).
int LoadLibToArray(const CString& path, TrackArray& records);
// Reads the file line by line, logging each record's file name, and
// tells what went wrong; the records replace state.tracks unless those are
// in use.
int AnalyzeLib(LibraryState& state, const CString& path);

} // namespace libfile
