#include "skin/dialogs/TXVMsg.h"

#include "framework/ui/CDC.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Prompts.h"

IMPLEMENT_DYNAMIC(TXVMsg, CDialog)

BEGIN_MESSAGE_MAP(TXVMsg, CDialog)
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_TXVMSG_OK, &TXVMsg::OnOkButton)
END_MESSAGE_MAP()

TXVMsg::TXVMsg(CWnd* pParent) : CDialog(IDD_TXVMSG, pParent) {}

void TXVMsg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TXVMSG_HEADER, m_header);
    DDX_Control(pDX, IDC_TXVMSG_TEXT, m_text);
}

BOOL TXVMsg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_header.SetCaption("Message");
    m_text.SetWindowText(m_strMessage);
    return TRUE;
}

HBRUSH TXVMsg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkColor(RGB(223, 234, 245));
        brush = static_cast<HBRUSH>(m_draw.m_brIceBlue.m_hObject);
        if (pWnd && ::GetDlgCtrlID(pWnd->m_hWnd) == IDC_TXVMSG_TEXT)
            pDC->SelectObject(&m_draw.m_fntArial9);
    }
    return brush;
}

void TXVMsg::OnOkButton()
{
    OnOK();
}

void TXVMsgDialog::ShowModal(const CString& text)
{
    if (AfxGetPromptAnswerer() || AfxIsUnattendedPrompts()) {
        AfxPromptMessageBox(nullptr, text, "Message", MB_OK);
        return;
    }
    TXVMsg dialog(nullptr);
    dialog.SetMessage(text);
    dialog.DoModal();
}

void InstallSkinMessageDialog()
{
    static TXVMsgDialog dialog;
    SetMessageDialog(&dialog);
}
