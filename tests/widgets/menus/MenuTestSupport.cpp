#include "MenuTestSupport.h"

#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"

namespace menu_test {

WineSeam::WineSeam(BOOL wine) : m_old(MenuLibrary().SetWineForTest(wine)) {}

WineSeam::~WineSeam()
{
    MenuLibrary().SetWineForTest(m_old);
}

void MenuTest::SetUp()
{
    m_style = CNewMenu::GetDrawStyle();
}

void MenuTest::TearDown()
{
    WineSeam exact(FALSE);
    CNewMenu::SetDrawStyle(m_style);
}

ItemFacts Facts(HMENU menu, int pos)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    ItemFacts f;
    if (::GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mii)) {
        f.type = mii.fType;
        f.state = mii.fState;
        f.data = mii.dwItemData;
    }
    return f;
}

namespace {

SIZE Extent(const LOGFONTA& lf, const char* text)
{
    HDC dc = ::GetDC(nullptr);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE s = {0, 0};
    ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &s);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, dc);
    return s;
}

} // namespace

SIZE MenuTextSize(const char* text, bool bold)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    if (bold)
        ncm.lfMenuFont.lfWeight = FW_BOLD;
    return Extent(ncm.lfMenuFont, text);
}

SIZE TitleTextSize(const char* text)
{
    LOGFONTA lf = {};
    lf.lfHeight = 16;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "Arial");
    return Extent(lf, text);
}

bool MenuOwner::Make()
{
    return CreateEx(WS_EX_TOPMOST, GetDefaultClassName(), "menu test owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                    nullptr, nullptr) != FALSE;
}

namespace {

BOOL CALLBACK FindPopup(HWND hWnd, LPARAM lParam)
{
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") == 0 && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND OpenPopupWindow()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&found));
    return found;
}

UINT MenuOwner::Show(HMENU popup, int x, int y, std::function<void(HWND)> check)
{
    opened = false;
    m_check = std::move(check);
    m_ticks = 0;
    ::SetForegroundWindow(m_hWnd);
    ::SetTimer(m_hWnd, 1, 50, nullptr);
    CMenu::SetTrackingMenu(popup);
    UINT chosen = static_cast<UINT>(::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, m_hWnd, nullptr));
    ::KillTimer(m_hWnd, 1);
    return chosen;
}

void MenuOwner::RunCheck(HWND popup)
{
    if (opened || !popup)
        return;
    opened = true;
    if (m_check)
        m_check(popup);
    ::EndMenu();
}

LRESULT MenuOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        RunCheck(reinterpret_cast<HWND>(lParam) ? reinterpret_cast<HWND>(lParam) : OpenPopupWindow());
        return 0;
    }
    if (message == WM_TIMER && wParam == 1) {
        // The idle message may not come: look for the popup, and give up
        // after two seconds rather than leave the menu open.
        RunCheck(OpenPopupWindow());
        if (++m_ticks > 40)
            ::EndMenu();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

} // namespace menu_test
