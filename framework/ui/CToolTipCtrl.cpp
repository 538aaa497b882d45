#include "framework/ui/CToolTipCtrl.h"

namespace {

// A tool is a whole window (its handle is the id) or an id within a window.
void FillToolInfo(TOOLINFOA& ti, HWND hOwner, CWnd* pWnd, UINT_PTR nIDTool)
{
    ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    if (nIDTool == 0) {
        ti.hwnd = pWnd && pWnd->m_hWnd ? ::GetParent(pWnd->m_hWnd) : hOwner;
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(pWnd ? pWnd->m_hWnd : nullptr);
    } else {
        ti.hwnd = pWnd ? pWnd->m_hWnd : hOwner;
        ti.uId = nIDTool;
    }
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    BOOL ok = CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
    if (ok)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return ok;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!m_hWnd || !pWnd)
        return FALSE;
    TOOLINFOA ti;
    FillToolInfo(ti, nullptr, pWnd, nIDTool);
    ti.uFlags |= TTF_SUBCLASS;   // the control watches the tool's mouse messages itself
    if (nIDTool != 0 && lpRectTool)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    if (!m_hWnd || !pWnd)
        return;
    TOOLINFOA ti;
    FillToolInfo(ti, nullptr, pWnd, nIDTool);
    ::SendMessageA(m_hWnd, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    if (!m_hWnd || !pWnd)
        return;
    TOOLINFOA ti;
    FillToolInfo(ti, nullptr, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    str.Empty();
    if (!m_hWnd || !pWnd)
        return;
    TOOLINFOA ti;
    FillToolInfo(ti, nullptr, pWnd, nIDTool);
    char buffer[1024] = {};   // TTM_GETTEXT has no size: the control's own limit is below this
    ti.lpszText = buffer;
    ::SendMessageA(m_hWnd, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
    str = buffer;
}
