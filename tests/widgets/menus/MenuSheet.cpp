// The menu sheet: a window that opens the test menu as the program's
// context menus open theirs (title band, colours, a checked, a grayed and
// a selected item, a sub-menu), in one drawing style, for the screenshot
// (tools/menu-shots.sh). Not a test.
//
// Environment: TAVRIX_MENU_STYLE (default 6), TAVRIX_MENU_TITLE (64 or 66,
// default 64). Closes itself after 60 seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "framework/ui/AfxWin.h"
#include "tests/widgets/menus/MenuTestIds.h"
#include "widgets/menus/NewMenu.h"

namespace {

int EnvInt(const char* name, int fallback)
{
    char value[32] = {};
    if (!GetEnvironmentVariableA(name, value, sizeof value))
        return fallback;
    return std::atoi(value);
}

class MenuSheet : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == 1) {
            ::KillTimer(m_hWnd, 1);
            OpenMenu();
            return 0;
        }
        if (message == WM_TIMER && wParam == 3) {
            CopyOpenPopup();
            return 0;
        }
        if (message == WM_TIMER && wParam == 2) {
            ::EndMenu();
            PostQuitMessage(0);
            return 0;
        }
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(m_hWnd, &ps);
            RECT r;
            ::GetClientRect(m_hWnd, &r);
            HBRUSH back = CreateSolidBrush(RGB(40, 44, 52));
            FillRect(dc, &r, back);
            DeleteObject(back);
            char text[96];
            std::snprintf(text, sizeof text, "Menu style asked %d, drawn %u", EnvInt("TAVRIX_MENU_STYLE", 6),
                          CNewMenu::GetDrawStyle());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(230, 230, 230));
            TextOutA(dc, 10, 10, text, lstrlenA(text));
            if (m_copy) {
                const char* note = "The open popup as its window holds it:";
                TextOutA(dc, 330, 40, note, lstrlenA(note));
                HDC mem = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(mem, m_copy);
                BitBlt(dc, 330, 60, m_copySize.cx, m_copySize.cy, mem, 0, 0, SRCCOPY);
                SelectObject(mem, old);
                DeleteDC(mem);
            }
            EndPaint(m_hWnd, &ps);
            return 0;
        }
        if (message == WM_CLOSE) {
            PostQuitMessage(0);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // An X server under Xvfb shows Wine's popup windows black although
    // they hold their picture: the sheet shows a copy of it beside them.
    void CopyOpenPopup()
    {
        HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
        while (popup && (!::IsWindowVisible(popup) ||
                         GetWindowThreadProcessId(popup, nullptr) != GetCurrentThreadId()))
            popup = FindWindowExA(nullptr, popup, "#32768", nullptr);
        if (!popup)
            return;
        RECT r;
        ::GetWindowRect(popup, &r);
        m_copySize = CSize(r.right - r.left, r.bottom - r.top);
        HDC from = ::GetWindowDC(popup);
        HDC mem = CreateCompatibleDC(from);
        if (m_copy)
            DeleteObject(m_copy);
        m_copy = CreateCompatibleBitmap(from, m_copySize.cx, m_copySize.cy);
        HGDIOBJ old = SelectObject(mem, m_copy);
        BitBlt(mem, 0, 0, m_copySize.cx, m_copySize.cy, from, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        ::ReleaseDC(popup, from);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }

    HBITMAP m_copy = nullptr;
    CSize m_copySize;

    void OpenMenu()
    {
        const int style = EnvInt("TAVRIX_MENU_STYLE", 6);
        const int flags = EnvInt("TAVRIX_MENU_TITLE", 64);
        CNewMenu menu(nullptr);
        CNewMenu::SetDrawStyle(static_cast<UINT>(style));
        CNewMenu::SetDrawStyle(static_cast<UINT>(style));
        if (!menu.LoadMenu(IDR_TEST_MENU))
            return;
        CNewMenu* popup = menu.GetSubMenu(0);
        popup->SetMenuTitle("Deck A", flags, -1);
        popup->SetTitleColors(0xffffff, 0xffffff, 0xd54600);
        ::SetWindowTextA(m_hWnd, "Tavrix menus");
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        // Select "Loop on" (checked) with the keyboard, as a user would.
        for (int i = 0; i < 3; ++i)
            ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
        POINT at = {40, 60};
        ::ClientToScreen(m_hWnd, &at);
        HMENU shown = popup->GetSafeHmenu();
        CMenu plain;
        if (EnvInt("TAVRIX_MENU_PLAIN", 0)) {
            plain.CreatePopupMenu();
            plain.AppendMenu(MF_STRING, 1, "Plain item");
            plain.AppendMenu(MF_STRING, 2, "Second");
            shown = plain.GetSafeHmenu();
        }
        ::SetTimer(m_hWnd, 3, 250, nullptr);
        CMenu::SetTrackingMenu(shown);
        ::TrackPopupMenu(shown, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    }
};

} // namespace

int main()
{
    MenuSheet sheet;
    sheet.CreateEx(0, CWnd::GetDefaultClassName(), "Tavrix menus (setting up)",
                   WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 640, 420, nullptr, nullptr);
    SetForegroundWindow(sheet.GetSafeHwnd());
    SetTimer(sheet.GetSafeHwnd(), 1, 300, nullptr);
    SetTimer(sheet.GetSafeHwnd(), 2, 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
