// The library core as the program reaches it: through KVLib.dll's import
// table, with the records built, copied and destroyed by KVLib's exports and
// the state, arrays and waiting window living in KVLib.
#include "library/api/VIZU.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct WindowSearch
{
    HMODULE module;
    int found = 0;
};

BOOL CALLBACK FindKVLibDialog(HWND h, LPARAM p)
{
    WindowSearch* s = reinterpret_cast<WindowSearch*>(p);
    // The waiting window: a dialog of KVLib's own with the text line 7181.
    if (reinterpret_cast<HMODULE>(GetWindowLongPtrA(h, GWLP_HINSTANCE)) == s->module
        && GetDlgItem(h, 7181) && GetDlgItem(h, 7182))
        ++s->found;
    return TRUE;
}

} // namespace

TEST(KVLibExports, RecordsAreBuiltAndCopiedByKVLib)
{
    ASSERT_NE(nullptr, GetModuleHandleA("KVLib.dll"));
    CTrackRecord r;
    EXPECT_EQ(100, r.m_Volume);
    r.m_Title = "T";
    r.m_Cue1 = 4;
    CTrackRecord copy(r);
    CTrackRecord assigned;
    assigned = r;
    EXPECT_STREQ("T", copy.m_Title);
    EXPECT_EQ(4, assigned.m_Cue1);
    assigned.ClearRecord();
    EXPECT_TRUE(assigned.m_Title.IsEmpty());
    EXPECT_EQ(100, assigned.m_Volume);
    EXPECT_STREQ("CTrackRecord", r.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(0, r.LoadDB("x"));
}

TEST(KVLibExports, TheObjectSetsUpKVLibsStateAndWaitingWindow)
{
    HMODULE kvlib = GetModuleHandleA("KVLib.dll");
    ASSERT_NE(nullptr, kvlib);
    WindowSearch before{kvlib};
    EnumThreadWindows(GetCurrentThreadId(), FindKVLibDialog, reinterpret_cast<LPARAM>(&before));
    {
        VIZU vizu;
        WindowSearch during{kvlib};
        EnumThreadWindows(GetCurrentThreadId(), FindKVLibDialog, reinterpret_cast<LPARAM>(&during));
        EXPECT_EQ(before.found + 1, during.found);
        EXPECT_FALSE(VIZU::IsOpen());
        CTrackRecord r;
        m_Tracks.Add(r);   // KVLib's exported array
        EXPECT_EQ(1, m_Tracks.GetSize());
        EXPECT_STREQ("000:59", VIZU::SecondsToString(59));
        EXPECT_EQ(-1, VIZU::Open("C:\\no\\such\\library.txd"));
    }
    EXPECT_EQ(0, m_Tracks.GetSize());
    WindowSearch after{kvlib};
    EnumThreadWindows(GetCurrentThreadId(), FindKVLibDialog, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(before.found, after.found);
}
