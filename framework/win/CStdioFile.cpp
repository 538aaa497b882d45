#include "framework/win/CStdioFile.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(const char* path, UINT openFlags) : m_pStream(nullptr)
{
    CFileException error;
    if (!Open(path, openFlags, &error))
        throw error;
}

CStdioFile::~CStdioFile()
{
    if (m_pStream)
        Abort();
}

BOOL CStdioFile::Open(const char* path, UINT openFlags, CFileException* error)
{
    if (m_pStream)
        Abort();
    if (!CFile::Open(path, openFlags & ~(typeText | typeBinary), error))
        return FALSE;

    // The C library's mode: appending when the file is kept or only written.
    char mode[4] = {};
    int n = 0;
    int osFlags = 0;
    if (openFlags & modeCreate) {
        mode[n++] = (openFlags & modeNoTruncate) ? 'a' : 'w';
        osFlags |= (openFlags & modeNoTruncate) ? _O_APPEND : 0;
    } else if (openFlags & modeWrite) {
        mode[n++] = 'a';
        osFlags |= _O_APPEND;
    } else {
        mode[n++] = 'r';
    }
    if ((mode[0] == 'r' && (openFlags & modeReadWrite)) ||
        (mode[0] != 'r' && !(openFlags & modeWrite)))
        mode[n++] = '+';
    else if (mode[0] == 'r')
        osFlags |= _O_RDONLY;
    const bool binary = (openFlags & typeBinary) != 0;
    mode[n++] = binary ? 'b' : 't';
    osFlags |= binary ? _O_BINARY : _O_TEXT;

    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile), osFlags);
    FILE* stream = fd != -1 ? _fdopen(fd, mode) : nullptr;
    if (!stream) {
        if (fd != -1)
            _close(fd); // also closes the handle
        else
            CFile::Abort();
        m_hFile = INVALID_HANDLE_VALUE;
        if (error)
            *error = CFileException(CFileException::genericException, static_cast<LONG>(errno),
                                    m_strFileName);
        return FALSE;
    }
    m_pStream = stream;
    return TRUE;
}

void CStdioFile::ThrowStreamError(int cause) const
{
    AfxThrowFileException(cause, static_cast<LONG>(errno), m_strFileName);
}

BOOL CStdioFile::ReadString(CString& line)
{
    if (!m_pStream)
        AfxThrowInvalidArgException();
    std::string text;
    int c;
    bool any = false;
    while ((c = std::fgetc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        text += static_cast<char>(c);
    }
    if (std::ferror(m_pStream)) {
        std::clearerr(m_pStream);
        ThrowStreamError(CFileException::genericException);
    }
    line = CString(text);
    return any;
}

void CStdioFile::WriteString(const char* text)
{
    if (!m_pStream || !text)
        AfxThrowInvalidArgException();
    if (std::fputs(text, m_pStream) == EOF)
        ThrowStreamError(CFileException::diskFull);
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    if (!m_pStream)
        AfxThrowInvalidArgException();
    if (count == 0)
        return 0;
    std::size_t n = std::fread(buffer, 1, count, m_pStream);
    if (n == 0 && std::ferror(m_pStream)) {
        std::clearerr(m_pStream);
        ThrowStreamError(CFileException::genericException);
    }
    return static_cast<UINT>(n);
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    if (!m_pStream)
        AfxThrowInvalidArgException();
    if (count > 0 && std::fwrite(buffer, 1, count, m_pStream) != count)
        ThrowStreamError(CFileException::diskFull);
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    if (!m_pStream)
        AfxThrowInvalidArgException();
    int origin = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    if (_fseeki64(m_pStream, offset, origin) != 0)
        ThrowStreamError(CFileException::badSeek);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    if (!m_pStream)
        AfxThrowInvalidArgException();
    __int64 pos = _ftelli64(m_pStream);
    if (pos < 0)
        ThrowStreamError(CFileException::invalidFile);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::GetLength() const
{
    if (m_pStream)
        std::fflush(m_pStream);
    return CFile::GetLength();
}

void CStdioFile::SetLength(ULONGLONG length)
{
    if (m_pStream)
        std::fflush(m_pStream);
    CFile::SetLength(length);
}

void CStdioFile::Flush()
{
    if (m_pStream && std::fflush(m_pStream) != 0)
        ThrowStreamError(CFileException::diskFull);
}

void CStdioFile::Close()
{
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE; // the stream owns the handle
    if (stream && std::fclose(stream) != 0)
        ThrowStreamError(CFileException::diskFull);
}

void CStdioFile::Abort()
{
    if (m_pStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = INVALID_HANDLE_VALUE;
}
