#include "skin/tracklist/ListScrollBars.h"

#include "skin/tracklist/TrackListRules.h"

void HideListScrollBarsNow(CWnd& list, int which)
{
    if (!list.GetSafeHwnd())
        return;
    CRect client;
    list.GetClientRect(&client);
    const tracklist_rules::HiddenBarsSize size = tracklist_rules::HiddenScrollBars(
        which, client.Width(), client.Height(), ::GetSystemMetrics(SM_CXVSCROLL),
        ::GetSystemMetrics(SM_CYVSCROLL));
    CRect window;
    list.GetWindowRect(&window);
    list.SetWindowPos(nullptr, 0, 0, window.Width() + size.growWidth, window.Height() + size.growHeight,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    list.SetWindowRgn(::CreateRectRgn(0, 0, size.regionWidth, size.regionHeight), TRUE);
}

void RemoveListScrollBarStyles(HWND list, int which)
{
    DWORD remove = 0;
    if (which == 0 || which == 3)
        remove |= WS_HSCROLL;
    if (which == 1 || which == 3)
        remove |= WS_VSCROLL;
    const LONG style = ::GetWindowLongA(list, GWL_STYLE);
    if (style & static_cast<LONG>(remove))
        ::SetWindowLongA(list, GWL_STYLE, style & ~static_cast<LONG>(remove));
}
