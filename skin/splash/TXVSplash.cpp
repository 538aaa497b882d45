#include "skin/splash/TXVSplash.h"

#include "framework/ui/DataExchange.h"

IMPLEMENT_DYNAMIC(TXVSplash, CDialog)

BEGIN_MESSAGE_MAP(TXVSplash, CDialog)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

const UINT_PTR kShowStatusTimer = 1;

} // namespace

TXVSplash::TXVSplash(CWnd* pParent) : CDialog(IDD_TXVSPLASH, pParent) {}

BOOL TXVSplash::CreateSplash(CWnd* parent)
{
    return Create(IDD_TXVSPLASH, parent);
}

void TXVSplash::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TXVSPLASH_PICTURE, m_picture);
}

int TXVSplash::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_status.Create("Initializing...", WS_CHILD, CRect(270, 241, 485, 255), this, IDC_TXVSPLASH_STATUS);
    m_status.SetColors("FFFFFF", "c0c0c0");
    m_status.SetFont("Arial", 90);
    m_status.SetAlign(2);
    return 0;
}

BOOL TXVSplash::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_status.EnableText(true);
    SetTimer(kShowStatusTimer, 10, nullptr);
    return TRUE;
}

void TXVSplash::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kShowStatusTimer) {
        KillTimer(kShowStatusTimer);
        if (m_picture.m_hWnd) {
            HDC dc = ::GetWindowDC(m_picture.m_hWnd);
            m_status.GrabBackgroundFrom(CDC::FromHandle(dc));
            ::ReleaseDC(m_picture.m_hWnd, dc);
        }
        if (m_status.m_hWnd)
            m_status.ShowWindow(SW_SHOW);
    }
    Default();
}

void TXVSplash::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (m_bAnimating)
        return;
    // A fade in or out; the system may show or hide the window itself
    // while it animates, which must not start another fade.
    m_bAnimating = true;
    ::AnimateWindow(m_hWnd, 600, bShow ? (AW_ACTIVATE | AW_BLEND | AW_VER_NEGATIVE)
                                       : (AW_HIDE | AW_BLEND | AW_VER_NEGATIVE));
    m_bAnimating = false;
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
    m_status.SetText(text);
    if (m_status.m_hWnd)
        ::UpdateWindow(m_status.m_hWnd);
}

void TXVSplash::FadeOut(DWORD milliseconds)
{
    if (!m_hWnd)
        return;
    if (::IsWindowVisible(m_hWnd)) {
        m_bAnimating = true;
        ::AnimateWindow(m_hWnd, milliseconds, AW_HIDE | AW_BLEND | AW_VER_NEGATIVE);
        m_bAnimating = false;
    }
    DestroyWindow();
}
