// The waiting window's clip: opened from the module's resources when the
// window is created, played while the window is shown, stopped when hidden.
#include "library/state/Waiting.h"

#include "framework/win/AppState.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

namespace {

// Colours of the clip's magnifier ring and handle, as GDI reads them back.
bool ShowsTheMagnifier(HWND anim)
{
    RECT rc;
    GetClientRect(anim, &rc);
    HDC screen = GetDC(anim);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, rc.right, rc.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    int ring = 0;
    const DWORD* px = static_cast<const DWORD*>(bits);
    for (LONG i = 0; i < rc.right * rc.bottom; ++i) {
        if ((px[i] & 0xFFFFFF) == 0x203070)
            ++ring;
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(anim, screen);
    return ring > 20;
}

// Counts the clip's start and stop notices to the waiting window.
WNDPROC g_waitingProc = nullptr;
int g_clipStarts = 0;
int g_clipStops = 0;

LRESULT CALLBACK CountClipNotices(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == 7182) {
        if (HIWORD(wParam) == ACN_START)
            ++g_clipStarts;
        else if (HIWORD(wParam) == ACN_STOP)
            ++g_clipStops;
    }
    return CallWindowProcA(g_waitingProc, h, message, wParam, lParam);
}

} // namespace

TEST(Waiting, TheClipIsInTheResourcesAndOpens)
{
    Waiting waiting;
    ASSERT_TRUE(waiting.CreateModeless());
    HWND anim = GetDlgItem(waiting.m_hWnd, 7182);
    ASSERT_NE(nullptr, anim);
    EXPECT_TRUE(SendMessageA(anim, ACM_OPENA, reinterpret_cast<WPARAM>(AfxGetResourceHandle()),
                             reinterpret_cast<LPARAM>("search.avi")));
    EXPECT_FALSE(SendMessageA(anim, ACM_OPENA, reinterpret_cast<WPARAM>(AfxGetResourceHandle()),
                              reinterpret_cast<LPARAM>("nosuch.avi")));
    waiting.DestroyWindow();
}

TEST(Waiting, PlaysTheClipWhileShownAndStopsWhenHidden)
{
    Waiting waiting;
    ASSERT_TRUE(waiting.CreateModeless());
    HWND anim = GetDlgItem(waiting.m_hWnd, 7182);
    ASSERT_NE(nullptr, anim);
    g_waitingProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        waiting.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountClipNotices)));
    g_clipStarts = g_clipStops = 0;
    EXPECT_FALSE(IsWindowVisible(waiting.m_hWnd));

    waiting.ShowText("Saving Library...");
    EXPECT_TRUE(IsWindowVisible(waiting.m_hWnd));
    char text[64] = {};
    GetDlgItemTextA(waiting.m_hWnd, 7181, text, sizeof text);
    EXPECT_STREQ("Saving Library...", text);
    EXPECT_TRUE(tavrix_test::PumpUntil([] { return g_clipStarts == 1; }, 2000));
    EXPECT_TRUE(tavrix_test::PumpUntil([anim] { return ShowsTheMagnifier(anim); }, 2000));
    EXPECT_EQ(0, g_clipStops);

    waiting.Hide();
    EXPECT_FALSE(IsWindowVisible(waiting.m_hWnd));
    EXPECT_TRUE(tavrix_test::PumpUntil([] { return g_clipStops == 1; }, 2000));
    EXPECT_EQ(1, g_clipStarts);
    waiting.DestroyWindow();
}
