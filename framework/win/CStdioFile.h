// CStdioFile: a file read and written through the C library's stream. In
// text mode (the default) CR LF becomes LF on reading, LF becomes CR LF on
// writing, and a Ctrl-Z ends the data on reading, as the C library does.
#pragma once

#include "framework/win/CFile.h"

#include <cstdio>

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    // Construction
    CStdioFile();
    CStdioFile(const char* path, UINT openFlags); // throws CFileException
    ~CStdioFile() override;

    BOOL Open(const char* path, UINT openFlags, CFileException* error = nullptr) override;

    // Attributes
    FILE* m_pStream;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;

    // Operations
    // Reads one line without its newline; false at the end of the data.
    BOOL ReadString(CString& line);
    // Writes text as it is (add "\n" for a line end).
    void WriteString(const char* text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    void SetLength(ULONGLONG length) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    [[noreturn]] void ThrowStreamError(int cause) const;
};
