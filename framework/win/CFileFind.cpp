#include "framework/win/CFileFind.h"

#include "framework/core/Exceptions.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {
// False for a time before 1970, which CTime cannot hold.
BOOL ToTime(const FILETIME& ft, CTime& time)
{
    const ULONGLONG epoch = 116444736000000000ULL;
    if (((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) < epoch)
        return FALSE;
    time = CTime(ft);
    return TRUE;
}
}

CFileFind::CFileFind()
    : m_hFind(INVALID_HANDLE_VALUE), m_next(), m_current(), m_hasNext(false), m_hasCurrent(false)
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_hasNext = m_hasCurrent = false;
}

BOOL CFileFind::FindFile(const char* pattern, DWORD)
{
    Close();
    CString spec = pattern && *pattern ? pattern : "*.*";
    m_hFind = ::FindFirstFileA(spec, &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hasNext = true;

    // The root is the folder part of the pattern's full path.
    char full[MAX_PATH * 2];
    char* name = nullptr;
    DWORD n = ::GetFullPathNameA(spec, sizeof full, full, &name);
    CString fullPath = n > 0 && n < sizeof full ? CString(full) : spec;
    int slash = fullPath.ReverseFind('\\');
    int other = fullPath.ReverseFind('/');
    m_root = fullPath.Left((other > slash ? other : slash) + 1);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext)
        return FALSE;
    m_current = m_next;
    m_hasCurrent = true;
    m_hasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_hasNext;
}

const WIN32_FIND_DATAA& CFileFind::Current() const
{
    if (!m_hasCurrent)
        AfxThrowInvalidArgException();
    return m_current;
}

CString CFileFind::GetFileName() const
{
    return Current().cFileName;
}

CString CFileFind::GetFilePath() const
{
    return m_root + Current().cFileName;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const
{
    return m_root;
}

ULONGLONG CFileFind::GetLength() const
{
    const WIN32_FIND_DATAA& d = Current();
    return (static_cast<ULONGLONG>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

BOOL CFileFind::GetCreationTime(CTime& time) const
{
    return ToTime(Current().ftCreationTime, time);
}

BOOL CFileFind::GetLastWriteTime(CTime& time) const
{
    return ToTime(Current().ftLastWriteTime, time);
}

BOOL CFileFind::GetLastAccessTime(CTime& time) const
{
    return ToTime(Current().ftLastAccessTime, time);
}

BOOL CFileFind::MatchesMask(DWORD mask) const
{
    return (Current().dwFileAttributes & mask) != 0;
}

BOOL CFileFind::IsDots() const
{
    const char* name = Current().cFileName;
    return IsDirectory() && (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0);
}
