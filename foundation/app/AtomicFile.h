// AtomicFile: writes a file's new content beside it and puts it in the
// file's place only when all of it was written, so a failure at any moment
// (a full disk, a cut download, a crash) leaves the old file as it was.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"

class AtomicFile
{
public:
    // Construction
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();   // a file neither committed nor aborted is aborted

    // Operations
    // Creates the temporary file beside the target; false (with the
    // system's error in GetError) when it cannot be created there, or when
    // the target is read-only or a folder.
    bool Open(const CString& path);
    // False when the bytes could not all be written.
    bool Write(const void* data, DWORD size);
    // Flushes the new content and puts it in the target's place; false
    // when that fails (the target is then as it was).
    bool Commit();
    // Drops the new content; the target stays as it was.
    void Abort();

    // Attributes
    DWORD GetError() const { return m_dwError; }
    const CString& GetTempPath() const { return m_strTemp; }

    // Writes a whole file so; false with the system's error in *error.
    static bool WriteWhole(const CString& path, const void* data, DWORD size, DWORD* error = nullptr);

private:
    CString m_strPath;
    CString m_strTemp;
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    DWORD m_dwError = 0;
};
