// CFile: a file on disk over a Win32 handle, in binary; failures throw
// CFileException with the cause and the system's error code.
// CFileStatus: times, size, attributes and full path of a file.
#pragma once

#include <windows.h>

#include "framework/core/CByteStream.h"
#include "framework/core/CObject.h"
#include "framework/core/Exceptions.h"
#include "framework/win/CTime.h"

struct CFileStatus
{
    CTime m_ctime;              // creation
    CTime m_mtime;              // last write
    CTime m_atime;              // last access
    ULONGLONG m_size;
    BYTE m_attribute;           // FILE_ATTRIBUTE_* (low byte)
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject, public CByteStream
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,       // as shareExclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,        // create, or empty an existing file...
        modeNoTruncate = 0x2000,    // ...but with this, keep its content
        typeText = 0x4000,          // CStdioFile only
        typeBinary = 0x8000
    };

    // Construction
    CFile();
    explicit CFile(HANDLE file);                 // takes ownership
    CFile(const char* path, UINT openFlags);     // throws CFileException
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() override;                           // closes, never throws

    // false (and *error filled) when the file cannot be opened.
    virtual BOOL Open(const char* path, UINT openFlags, CFileException* error = nullptr);

    // Attributes
    HANDLE m_hFile;
    CString GetFilePath() const override { return m_strFileName; }
    CString GetFileName() const;
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    BOOL GetStatus(CFileStatus& status) const;

    // Operations
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual void SetLength(ULONGLONG length);
    virtual void Flush();
    virtual void Close();                        // throws when closing fails
    virtual void Abort();                        // closes, never throws

    // false when the file's status cannot be read (it does not exist).
    static BOOL GetStatus(const char* path, CFileStatus& status);
    static void Remove(const char* path);                      // throws
    static void Rename(const char* oldPath, const char* newPath); // throws

    // The CFileException cause for a system error code.
    static int OsErrorToCause(DWORD osError);
    [[noreturn]] static void ThrowOsError(DWORD osError, const CString& path);

protected:
    CString m_strFileName;
};
