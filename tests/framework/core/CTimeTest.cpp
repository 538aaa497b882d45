// CTime and CTimeSpan: the formats the program writes, and arithmetic.
#include "framework/win/CTime.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase
{
    const char* format;
    const char* expected;
};

TEST(CTime, FormatsOfTheProgram)
{
    const CTime t(2009, 3, 7, 14, 5, 9);
    const FormatCase cases[] = {
        {"%m/%d/%y", "03/07/09"},
        {"%H:%M:%S", "14:05:09"},
        {"%B %d, %Y %H:%M", "March 07, 2009 14:05"},
        {"%m/%d/%y, %H:%M", "03/07/09, 14:05"},
        {"%m%d%y-%H%M%S", "030709-140509"},
        {"%Y", "2009"},
        {"", ""},
    };
    for (const FormatCase& c : cases)
        EXPECT_STREQ(t.Format(c.format), c.expected) << c.format;
    EXPECT_STREQ(CTime(1999, 12, 31, 0, 0, 0).Format("%m/%d/%y"), "12/31/99");
    EXPECT_STREQ(CTime(2024, 11, 30, 23, 59, 58).Format("%B %d, %Y %H:%M"), "November 30, 2024 23:59");
}

TEST(CTime, PartsAndArithmetic)
{
    const CTime t(2020, 2, 28, 22, 30, 0);
    EXPECT_EQ(t.GetYear(), 2020);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 28);
    EXPECT_EQ(t.GetHour(), 22);
    EXPECT_EQ(t.GetMinute(), 30);
    EXPECT_EQ(t.GetDayOfWeek(), 6); // a Friday

    const CTime later = t + CTimeSpan(1, 2, 0, 0); // a leap day later
    EXPECT_STREQ(later.Format("%m/%d %H:%M"), "03/01 00:30");
    const CTimeSpan span = later - t;
    EXPECT_EQ(span.GetTotalSeconds(), 26 * 3600);
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetTotalMinutes(), 26 * 60);
    EXPECT_STREQ(CTimeSpan(0, 1, 2, 3).Format("%H:%M:%S"), "01:02:03");
    EXPECT_TRUE(later > t);
    CTime moved = later;
    moved -= span;
    EXPECT_EQ(moved, t);
}

TEST(CTime, FileTimeAndCurrentTime)
{
    // 2001-09-09 01:46:40 UTC as a file time.
    ULONGLONG ticks = 1000000000ULL * 10000000ULL + 116444736000000000ULL + 5000000ULL;
    FILETIME ft = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_EQ(CTime(ft).GetTime(), 1000000000);
    EXPECT_STREQ(CTime(ft).FormatGmt("%Y-%m-%d %H:%M:%S"), "2001-09-09 01:46:40");

    const __time64_t before = _time64(nullptr);
    const CTime now = CTime::GetCurrentTime();
    const __time64_t after = _time64(nullptr);
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), after);

    SYSTEMTIME st = {};
    ASSERT_TRUE(now.GetAsSystemTime(st));
    EXPECT_EQ(CTime(st), now);
}

} // namespace
