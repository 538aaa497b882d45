// CMemFile: a growable byte stream in memory.
#pragma once

#include "framework/core/CByteStream.h"
#include "framework/core/CObject.h"

#include <vector>

class CMemFile : public CObject, public CByteStream
{
public:
    // Construction
    CMemFile() = default;
    CMemFile(const void* data, UINT size); // a copy of data, positioned at its start

    // Attributes
    ULONGLONG GetPosition() const { return m_position; }
    ULONGLONG GetLength() const { return m_data.size(); }
    const std::vector<BYTE>& GetData() const { return m_data; }

    // Operations
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override; // CFileException badSeek before 0
    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SetLength(ULONGLONG length);

private:
    std::vector<BYTE> m_data;
    std::size_t m_position = 0;
};
