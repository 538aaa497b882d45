#include "skin/tracklist/ListLook.h"

#include "skin/tracklist/TrackListRules.h"

void ApplyListColours(CListCtrl& list, COLORREF background, COLORREF text)
{
    list.SetBkColor(background);
    list.SetTextBkColor(background);
    list.SetTextColor(text);
}

void MakeListFonts(CWnd& list, CFont& font, CFont& small, const CString& face, int size)
{
    font.DeleteObject();
    small.DeleteObject();
    font.CreatePointFont(size, face);
    small.CreatePointFont(size - 20, face);
    if (list.GetSafeHwnd())
        list.SetFont(static_cast<HFONT>(font.m_hObject), TRUE);
}

void ListScrollBarHiding::Hide(CWnd& list, int mode, int which)
{
    if (mode == 2) {
        m_bPending = true;
        m_nWhich = which;
        return;
    }
    if (mode != 1 || !list.GetSafeHwnd())
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

void ListScrollBarHiding::BeforeNcCalcSize(HWND list) const
{
    if (!m_bPending)
        return;
    DWORD remove = 0;
    if (m_nWhich == 0 || m_nWhich == 3)
        remove |= WS_HSCROLL;
    if (m_nWhich == 1 || m_nWhich == 3)
        remove |= WS_VSCROLL;
    const LONG style = ::GetWindowLongA(list, GWL_STYLE);
    if (style & static_cast<LONG>(remove))
        ::SetWindowLongA(list, GWL_STYLE, style & ~static_cast<LONG>(remove));
}
