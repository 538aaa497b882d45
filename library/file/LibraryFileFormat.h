// The library file's reader and writer, as VIZU's open, load, save and
// create use them. The library-file code supplies the one in use; with none
// supplied nothing can be read or written and those calls fail.
#pragma once

#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"

class LibraryFileFormat
{
public:
    virtual ~LibraryFileFormat() = default;
    // Reads the file into m_Tracks: 0 loaded, 1 nothing loaded, 2 loaded
    // from the backup copy. A file that cannot be opened throws.
    virtual int LoadLib(const CString& path) = 0;
    // Writes m_Tracks: the record count written, -1 when it failed.
    virtual int SaveLib(const CString& path) = 0;
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
