// TXVDialog: the base of the program's skinned dialogs: a 50-pixel header
// of two vertical gradients (colours from MAIN/DlgHdrGradT1, DlgHdrGradB1,
// DlgHdrGradT2, DlgHdrGradB2; green where a key is missing), the program's
// icon, four dots, the brand line and the caption. Derived dialogs place
// their controls below y = 50.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/MessageMap.h"

class TXVDialog : public CDialog
{
    DECLARE_DYNAMIC(TXVDialog)
public:
    enum { kHeaderHeight = 50, kUpperBandBottom = 20, kIconId = 196 };

    // Construction: reads the header colours through the skin host.
    TXVDialog(UINT templateId, CWnd* pParent);
    ~TXVDialog() override;

    // Attributes
    const CString& GetHeaderText() const { return m_strHeader; }
    COLORREF GetHeaderColor(int index) const { return m_clrHeader[index]; }

    // Operations
    void SetHeaderText(const CString& text);
    // The whole client area with its header onto pDC.
    void PaintHeader(CDC* pDC);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                                        // ON_WM_PAINT
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);   // ON_MESSAGE(WM_PRINTCLIENT)

    CWnd* m_pMainWindow = nullptr;

private:
    COLORREF m_clrHeader[4] = {0, 0, 0, 0};   // upper top, upper bottom, lower top, lower bottom
    CString m_strHeader;
};
