#include "framework/win/CTime.h"

#include "framework/core/Exceptions.h"

#include <ctime>

namespace {
// 100-ns intervals between 1601-01-01 and 1970-01-01.
const ULONGLONG kFileTimeEpoch = 116444736000000000ULL;
}

// CTimeSpan

CTimeSpan::CTimeSpan(LONG days, int hours, int minutes, int seconds)
    : m_span(((static_cast<LONGLONG>(days) * 24 + hours) * 60 + minutes) * 60 + seconds)
{
}

CString CTimeSpan::Format(const char* format) const
{
    CString out;
    CString part;
    for (const char* p = format ? format : ""; *p; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'D': part.Format("%I64d", GetDays()); break;
        case 'H': part.Format("%02ld", GetHours()); break;
        case 'M': part.Format("%02ld", GetMinutes()); break;
        case 'S': part.Format("%02ld", GetSeconds()); break;
        case '%': part = "%"; break;
        default: part = CString('%') + *p; break;
        }
        out += part;
    }
    return out;
}

// CTime

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst)
{
    struct tm parts = {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = dst;
    m_time = _mktime64(&parts);
    if (m_time == -1)
        AfxThrowInvalidArgException();
}

CTime::CTime(const FILETIME& fileTime, int)
{
    ULONGLONG ticks = (static_cast<ULONGLONG>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    if (ticks < kFileTimeEpoch)
        AfxThrowInvalidArgException();
    m_time = static_cast<__time64_t>((ticks - kFileTimeEpoch) / 10000000ULL);
}

CTime::CTime(const SYSTEMTIME& st, int dst)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, dst)
{
}

struct tm CTime::Local() const
{
    struct tm parts = {};
    if (_localtime64_s(&parts, &m_time) != 0)
        AfxThrowInvalidArgException();
    return parts;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm parts = {};
    if (_localtime64_s(&parts, &m_time) != 0)
        return FALSE;
    st.wYear = static_cast<WORD>(parts.tm_year + 1900);
    st.wMonth = static_cast<WORD>(parts.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    st.wDay = static_cast<WORD>(parts.tm_mday);
    st.wHour = static_cast<WORD>(parts.tm_hour);
    st.wMinute = static_cast<WORD>(parts.tm_min);
    st.wSecond = static_cast<WORD>(parts.tm_sec);
    st.wMilliseconds = 0;
    return TRUE;
}

CString CTime::FormatTm(const char* format, const struct tm& parts)
{
    if (!format || !*format)
        return CString();
    char buffer[256];
    for (std::size_t size = sizeof buffer; size <= 65536; size *= 4) {
        CString out;
        char* p = size == sizeof buffer ? buffer : out.GetBuffer(static_cast<int>(size));
        std::size_t n = std::strftime(p, size, format, &parts);
        if (n > 0 || size > 4096) {
            if (p == buffer)
                return CString(buffer, static_cast<int>(n));
            out.ReleaseBuffer(static_cast<int>(n));
            return out;
        }
    }
    return CString();
}

CString CTime::Format(const char* format) const
{
    return FormatTm(format, Local());
}

CString CTime::FormatGmt(const char* format) const
{
    struct tm parts = {};
    if (_gmtime64_s(&parts, &m_time) != 0)
        AfxThrowInvalidArgException();
    return FormatTm(format, parts);
}
