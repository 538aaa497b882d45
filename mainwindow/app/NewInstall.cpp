#include "mainwindow/app/NewInstall.h"

#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "library/api/VIZU.h"
#include "mainwindow/res/MainWindowIds.h"

IMPLEMENT_DYNAMIC(NewInstall, CDialog)

BEGIN_MESSAGE_MAP(NewInstall, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

NewInstall::NewInstall(CWnd* pParent) : CDialog(IDD_NEWINSTALL, pParent) {}

BOOL NewInstall::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_header.SubclassDlgItem(IDC_NEWINSTALL_HEADER, this))
        m_header.SetCaption("New Install");
    // Written when the notice appears, so it shows once whichever button closes it.
    ::WritePrivateProfileStringA("MAIN", "NewInstall", "0", VIZU::GetLibDLLPath() + "TavrixVJ.INI");
    return TRUE;
}

HBRUSH NewInstall::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    (void)nCtlColor;
    const int id = pWnd ? ::GetDlgCtrlID(pWnd->m_hWnd) : 0;
    if (id == IDC_NEWINSTALL_WELCOME) {
        pDC->SetTextColor(RGB(64, 64, 64));
        m_pOldFont = pDC->SelectObject(&m_draw.m_fntArial14);
    } else if (id == IDC_NEWINSTALL_TITLE) {
        pDC->SetTextColor(RGB(0, 70, 213));
        m_pOldFont = pDC->SelectObject(&m_draw.m_fntArialBold20);
    }
    return brush;
}
