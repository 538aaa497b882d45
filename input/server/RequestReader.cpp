#include "input/server/RequestReader.h"

void RequestReader::Feed(const char* bytes, size_t length, std::vector<std::string>& lines)
{
    if (!bytes)
        return;
    for (size_t i = 0; i < length; ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            if (m_overlong)
                ++m_dropped;
            else if (!m_pending.empty())
                lines.push_back(m_pending);
            m_pending.clear();
            m_overlong = false;
        } else if (c == '\r') {
            continue;
        } else if (!m_overlong) {
            if (m_pending.size() >= m_maxLine) {
                m_overlong = true;
                m_pending.clear();
            } else {
                m_pending.push_back(c);
            }
        }
    }
}

void RequestReader::Reset()
{
    m_pending.clear();
    m_overlong = false;
}

CString RequestBlockText(const char* bytes, size_t length)
{
    CString text;
    if (!bytes)
        return text;
    for (size_t i = 0; i < length && bytes[i] != '\0'; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            text += bytes[i];
    }
    return text;
}
