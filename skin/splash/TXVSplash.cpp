#include "skin/splash/TXVSplash.h"

BOOL TXVSplash::CreateSplash(CWnd* parent)
{
    return Create(IDD_TXVSPLASH, parent);
}

BOOL TXVSplash::OnInitDialog()
{
    CDialog::OnInitDialog();
    return FALSE;   // the focus stays where it is
}

void TXVSplash::ShowSplash()
{
    if (!m_hWnd)
        return;
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(m_hWnd);
}

void TXVSplash::SetStatus(const char* text)
{
    if (!m_hWnd)
        return;
    ::SetDlgItemTextA(m_hWnd, IDC_TXVSPLASH_STATUS, text);
    ::UpdateWindow(m_hWnd);
}

CString TXVSplash::GetStatus() const
{
    CString text;
    if (m_hWnd)
        GetDlgItemText(IDC_TXVSPLASH_STATUS, text);
    return text;
}

void TXVSplash::FadeOut(DWORD milliseconds)
{
    if (!m_hWnd)
        return;
    if (::IsWindowVisible(m_hWnd))
        ::AnimateWindow(m_hWnd, milliseconds, AW_HIDE | AW_BLEND | AW_VER_NEGATIVE);
    DestroyWindow();
}
