#include "foundation/app/AtomicFile.h"

AtomicFile::~AtomicFile()
{
    Abort();
}

bool AtomicFile::Open(const CString& path)
{
    Abort();
    m_dwError = 0;
    m_strPath = path;
    // A read-only file is not to be replaced, and a folder cannot be.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        m_dwError = ERROR_ACCESS_DENIED;
        return false;
    }
    // One temporary name per thread: two threads writing the same target
    // never share a temporary file (the later commit wins, whole).
    m_strTemp.Format("%s.%lu.part", path.GetString(), GetCurrentThreadId());
    m_hFile = CreateFileA(m_strTemp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        m_dwError = GetLastError();
        return false;
    }
    return true;
}

bool AtomicFile::Write(const void* data, DWORD size)
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    if (size && (!WriteFile(m_hFile, data, size, &written, nullptr) || written != size)) {
        m_dwError = written != size && GetLastError() == 0 ? ERROR_WRITE_FAULT : GetLastError();
        return false;
    }
    return true;
}

bool AtomicFile::Commit()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(m_hFile) != 0;
    if (!flushed)
        m_dwError = GetLastError();
    CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    if (flushed && MoveFileExA(m_strTemp, m_strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        m_strTemp.Empty();
        return true;
    }
    if (flushed)
        m_dwError = GetLastError();
    DeleteFileA(m_strTemp);
    m_strTemp.Empty();
    return false;
}

void AtomicFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    if (!m_strTemp.IsEmpty()) {
        DeleteFileA(m_strTemp);
        m_strTemp.Empty();
    }
}

bool AtomicFile::WriteWhole(const CString& path, const void* data, DWORD size, DWORD* error)
{
    AtomicFile file;
    const bool done = file.Open(path) && file.Write(data, size) && file.Commit();
    if (error)
        *error = done ? 0 : file.GetError();
    return done;
}
