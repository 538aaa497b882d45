#include "framework/win/CFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

bool IsOpen(HANDLE h)
{
    return h != nullptr && h != INVALID_HANDLE_VALUE;
}

CString FullPath(const char* path)
{
    char full[MAX_PATH * 2];
    char* name = nullptr;
    DWORD n = ::GetFullPathNameA(path, sizeof full, full, &name);
    if (n == 0 || n >= sizeof full)
        return CString(path);
    return CString(full);
}

} // namespace

int CFile::OsErrorToCause(DWORD osError)
{
    switch (osError) {
    case NO_ERROR: return CFileException::none;
    case ERROR_FILE_NOT_FOUND: return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_WRITE_PROTECT: return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE: return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY: return CFileException::removeCurrentDir;
    case ERROR_CANNOT_MAKE: return CFileException::directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return CFileException::badSeek;
    case ERROR_SHARING_VIOLATION: return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION: return CFileException::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return CFileException::diskFull;
    case ERROR_HANDLE_EOF: return CFileException::endOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return CFileException::hardIO;
    default: return CFileException::genericException;
    }
}

void CFile::ThrowOsError(DWORD osError, const CString& path)
{
    AfxThrowFileException(OsErrorToCause(osError), static_cast<LONG>(osError), path);
}

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE) {}

CFile::CFile(HANDLE file) : m_hFile(file) {}

CFile::CFile(const char* path, UINT openFlags) : m_hFile(INVALID_HANDLE_VALUE)
{
    CFileException error;
    if (!Open(path, openFlags, &error))
        throw error;
}

CFile::~CFile()
{
    if (IsOpen(m_hFile))
        Abort();
}

BOOL CFile::Open(const char* path, UINT openFlags, CFileException* error)
{
    if (IsOpen(m_hFile))
        Abort();
    if (!path || !*path) {
        if (error)
            *error = CFileException(CFileException::badPath, static_cast<LONG>(ERROR_INVALID_NAME), path);
        return FALSE;
    }
    m_strFileName = FullPath(path);

    DWORD access;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share;
    switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break; // shareCompat, shareExclusive
    }
    DWORD creation;
    if (openFlags & modeCreate)
        creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        creation = OPEN_EXISTING;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};

    HANDLE h = ::CreateFileA(m_strFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD osError = ::GetLastError();
        if (error)
            *error = CFileException(OsErrorToCause(osError), static_cast<LONG>(osError), m_strFileName);
        return FALSE;
    }
    m_hFile = h;
    return TRUE;
}

CString CFile::GetFileName() const
{
    int slash = m_strFileName.ReverseFind('\\');
    int other = m_strFileName.ReverseFind('/');
    if (other > slash)
        slash = other;
    return m_strFileName.Mid(slash + 1);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero = {};
    LARGE_INTEGER pos = {};
    if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        ThrowOsError(::GetLastError(), m_strFileName);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowOsError(::GetLastError(), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (count == 0)
        return 0;
    DWORD done = 0;
    if (!::ReadFile(m_hFile, buffer, count, &done, nullptr))
        ThrowOsError(::GetLastError(), m_strFileName);
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    DWORD done = 0;
    if (!::WriteFile(m_hFile, buffer, count, &done, nullptr))
        ThrowOsError(::GetLastError(), m_strFileName);
    if (done != count)
        AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(ERROR_DISK_FULL), m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    if (from != begin && from != current && from != end)
        AfxThrowInvalidArgException();
    LARGE_INTEGER move;
    move.QuadPart = offset;
    LARGE_INTEGER pos = {};
    if (!::SetFilePointerEx(m_hFile, move, &pos, method))
        ThrowOsError(::GetLastError(), m_strFileName);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

void CFile::SetLength(ULONGLONG length)
{
    Seek(static_cast<LONGLONG>(length), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowOsError(::GetLastError(), m_strFileName);
}

void CFile::Flush()
{
    if (IsOpen(m_hFile) && !::FlushFileBuffers(m_hFile))
        ThrowOsError(::GetLastError(), m_strFileName);
}

void CFile::Close()
{
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (IsOpen(h) && !::CloseHandle(h))
        ThrowOsError(::GetLastError(), m_strFileName);
}

void CFile::Abort()
{
    if (IsOpen(m_hFile))
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

namespace {

void FillStatus(const WIN32_FILE_ATTRIBUTE_DATA& data, const CString& fullPath, CFileStatus& status)
{
    auto toTime = [](const FILETIME& ft) {
        return ft.dwHighDateTime == 0 && ft.dwLowDateTime == 0 ? CTime() : CTime(ft);
    };
    status.m_ctime = toTime(data.ftCreationTime);
    status.m_mtime = toTime(data.ftLastWriteTime);
    status.m_atime = toTime(data.ftLastAccessTime);
    status.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes);
    lstrcpynA(status.m_szFullName, fullPath, MAX_PATH);
}

} // namespace

BOOL CFile::GetStatus(CFileStatus& status) const
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(m_strFileName, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(data, m_strFileName, status);
    return TRUE;
}

BOOL CFile::GetStatus(const char* path, CFileStatus& status)
{
    if (!path || !*path)
        return FALSE;
    CString full = FullPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(full, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(data, full, status);
    return TRUE;
}

void CFile::Remove(const char* path)
{
    if (!::DeleteFileA(path))
        ThrowOsError(::GetLastError(), path);
}

void CFile::Rename(const char* oldPath, const char* newPath)
{
    if (!::MoveFileA(oldPath, newPath))
        ThrowOsError(::GetLastError(), oldPath);
}
