#include "framework/core/CMemFile.h"

#include "framework/core/Exceptions.h"

#include <cstring>

CMemFile::CMemFile(const void* data, UINT size)
    : m_data(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size)
{
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (m_position >= m_data.size() || count == 0)
        return 0;
    std::size_t n = m_data.size() - m_position;
    if (n > count)
        n = count;
    std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    if (m_position + count > m_data.size())
        m_data.resize(m_position + count);
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position += count;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = from == begin ? 0
                  : from == current ? static_cast<LONGLONG>(m_position)
                                    : static_cast<LONGLONG>(m_data.size());
    LONGLONG target = base + offset;
    if (target < 0 || (from != begin && from != current && from != end))
        AfxThrowFileException(CFileException::badSeek);
    m_position = static_cast<std::size_t>(target);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG length)
{
    m_data.resize(static_cast<std::size_t>(length));
    if (m_position > m_data.size())
        m_position = m_data.size();
}
