// CByteStream: the byte stream an archive reads and writes; CFile (a file on
// disk) and CMemFile (bytes in memory) implement it.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Types.h"

class CByteStream
{
public:
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    virtual ~CByteStream() = default;

    // Reads up to count bytes; fewer (0 at the end) when the data ends.
    virtual UINT Read(void* buffer, UINT count) = 0;
    // Writes all count bytes or throws.
    virtual void Write(const void* buffer, UINT count) = 0;
    // Moves the position; returns the new position from the start.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from) = 0;
    // The path named in exceptions (empty for memory).
    virtual CString GetFilePath() const { return CString(); }
};
