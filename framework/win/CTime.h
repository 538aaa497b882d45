// CTime: an absolute time in whole seconds since 1970-01-01 UTC, shown in
// local time. CTimeSpan: a signed difference of two times in seconds.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"

// <windows.h> makes GetCurrentTime a macro for GetTickCount.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTimeSpan
{
public:
    // Construction
    CTimeSpan() = default;
    CTimeSpan(LONGLONG seconds) : m_span(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds);

    // Attributes
    LONGLONG GetDays() const { return m_span / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_span / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_span / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_span; }
    LONG GetSeconds() const { return static_cast<LONG>(m_span - GetTotalMinutes() * 60); }
    LONGLONG GetTimeSpan() const { return m_span; }

    // Operations
    // %D days, %H hours (0-23), %M minutes, %S seconds, %% a percent sign.
    CString Format(const char* format) const;

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_span + other.m_span); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_span - other.m_span); }
    CTimeSpan& operator+=(CTimeSpan other) { m_span += other.m_span; return *this; }
    CTimeSpan& operator-=(CTimeSpan other) { m_span -= other.m_span; return *this; }
    bool operator==(CTimeSpan other) const { return m_span == other.m_span; }
    bool operator!=(CTimeSpan other) const { return m_span != other.m_span; }
    bool operator<(CTimeSpan other) const { return m_span < other.m_span; }
    bool operator>(CTimeSpan other) const { return m_span > other.m_span; }
    bool operator<=(CTimeSpan other) const { return m_span <= other.m_span; }
    bool operator>=(CTimeSpan other) const { return m_span >= other.m_span; }

private:
    LONGLONG m_span = 0;
};

class CTime
{
public:
    // Construction
    static CTime GetCurrentTime();
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // A local date and time; dst -1 lets the C library decide.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    // A file time (UTC); the sub-second part is dropped.
    CTime(const FILETIME& fileTime, int dst = -1);
    // A local system time.
    CTime(const SYSTEMTIME& systemTime, int dst = -1);

    // Attributes
    __time64_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    int GetDayOfWeek() const { return Local().tm_wday + 1; } // 1 = Sunday
    BOOL GetAsSystemTime(SYSTEMTIME& systemTime) const;

    // Operations
    // strftime conversions in local time (GMT for FormatGmt); a time the C
    // library cannot show throws CInvalidArgException.
    CString Format(const char* format) const;
    CString FormatGmt(const char* format) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }
    bool operator>(CTime other) const { return m_time > other.m_time; }
    bool operator<=(CTime other) const { return m_time <= other.m_time; }
    bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
    struct tm Local() const;
    static CString FormatTm(const char* format, const struct tm& parts);

    __time64_t m_time = 0;
};
