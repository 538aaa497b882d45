#include "library/state/Waiting.h"

#include "framework/ui/MessageMap.h"
#include "framework/win/AppState.h"
#include "library/res/KVLibRes.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(Waiting, CDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL Waiting::CreateModeless()
{
    // The template holds an animation control.
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
    return Create(IDD_WAITING, nullptr);
}

BOOL Waiting::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND anim = ::GetDlgItem(m_hWnd, IDC_WAITING_ANIM);
    if (anim)
        ::SendMessageA(anim, ACM_OPENA, reinterpret_cast<WPARAM>(AfxGetResourceHandle()),
                     reinterpret_cast<LPARAM>("search.avi"));
    return TRUE;
}

void Waiting::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    HWND anim = ::GetDlgItem(m_hWnd, IDC_WAITING_ANIM);
    if (!anim)
        return;
    if (bShow)
        Animate_Play(anim, 0, -1, -1);
    else
        Animate_Stop(anim);
}

void Waiting::ShowText(LPCSTR text)
{
    if (!m_hWnd)
        return;
    ShowWindow(SW_SHOWNORMAL);
    SetDlgItemText(IDC_WAITING_TEXT, text);
}

void Waiting::Hide()
{
    if (m_hWnd)
        ShowWindow(SW_HIDE);
}
