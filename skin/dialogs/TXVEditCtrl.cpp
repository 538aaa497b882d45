#include "skin/dialogs/TXVEditCtrl.h"

#include "skin/host/SkinHost.h"

IMPLEMENT_DYNAMIC(TXVEditCtrl, CWnd)

BEGIN_MESSAGE_MAP(TXVEditCtrl, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, &TXVEditCtrl::OnChange)
END_MESSAGE_MAP()

TXVEditCtrl::TXVEditCtrl() : m_pMainWindow(SkinMainWindow()) {}

void TXVEditCtrl::SetFont(const CString& face, int tenthsOfPoint)
{
    m_font.DeleteObject();
    m_font.CreatePointFont(tenthsOfPoint, face);
    if (m_hWnd)
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
}

void TXVEditCtrl::OnChange()
{
    m_pMainWindow = SkinMainWindow();
    CString text;
    GetWindowText(text);
    SkinHost* host = TheSkinHost();
    if (m_nEditMode != MODE_FILTER || !host)
        return;
    if (!text.IsEmpty())
        host->FilterByTitle(text);
    else
        host->FilterOff();
}
