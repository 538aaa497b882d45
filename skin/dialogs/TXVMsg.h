// TXVMsg: the program's message dialog (template 138): the header bar
// captioned "Message", the text on ice blue, and OK. ShowMessage and
// ShowMessageById show every notice through it once
// InstallSkinMessageDialog has put it in place.
#pragma once

#include "foundation/app/MessageDialog.h"
#include "foundation/drawing/TXVHeader.h"
#include "framework/core/CString.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/CStatic.h"
#include "framework/ui/MessageMap.h"
#include "skin/dialogs/TXVMsgIds.h"
#include "skin/drawing/DrawResources.h"

class TXVMsg : public CDialog
{
    DECLARE_DYNAMIC(TXVMsg)
public:
    // Construction
    explicit TXVMsg(CWnd* pParent = nullptr);

    // Attributes
    const CString& GetMessage() const { return m_strMessage; }

    // Operations
    // The text OnInitDialog puts into the message control.
    void SetMessage(const CString& text) { m_strMessage = text; }

    // Overridables
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    DECLARE_MESSAGE_MAP()
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);   // ON_WM_CTLCOLOR
    void OnOkButton();                                          // ON_BN_CLICKED(1183)

private:
    DrawResources m_draw;
    CString m_strMessage;
    TXVHeader m_header;
    CStatic m_text;
};

// The MessageDialog that shows TXVMsg: construct with no parent, set the
// message, run it modally. Where prompts are answered for a test or an
// unattended run it goes through the prompt seam instead (which shows
// nothing there).
class TXVMsgDialog : public MessageDialog
{
public:
    void ShowModal(const CString& text) override;
};

// Puts TXVMsg behind ShowMessage for the rest of the run.
void InstallSkinMessageDialog();
