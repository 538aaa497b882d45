// KVLib's waiting window opens its clip from KVLib's own resources (the
// program has no such clip).
#include "library/api/VIZU.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace {

struct ClipSearch
{
    HMODULE module;
    HWND anim = nullptr;
};

BOOL CALLBACK FindWaitingClip(HWND h, LPARAM p)
{
    ClipSearch* s = reinterpret_cast<ClipSearch*>(p);
    if (reinterpret_cast<HMODULE>(GetWindowLongPtrA(h, GWLP_HINSTANCE)) == s->module
        && GetDlgItem(h, 7181))
        s->anim = GetDlgItem(h, 7182);
    return s->anim == nullptr;
}

} // namespace

TEST(KVLibWaiting, TheWaitingWindowsClipComesFromKVLib)
{
    HMODULE kvlib = GetModuleHandleA("KVLib.dll");
    ASSERT_NE(nullptr, kvlib);
    EXPECT_EQ(nullptr, FindResourceA(GetModuleHandleA(nullptr), "search.avi", "AVI"));
    EXPECT_NE(nullptr, FindResourceA(kvlib, "search.avi", "AVI"));

    VIZU vizu;
    ClipSearch search{kvlib};
    EnumThreadWindows(GetCurrentThreadId(), FindWaitingClip, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(nullptr, search.anim);
    // Playing is refused unless a clip is open.
    EXPECT_TRUE(SendMessageA(search.anim, ACM_PLAY, 1, MAKELONG(0, 0)));
    SendMessageA(search.anim, ACM_STOP, 0, 0);
}
