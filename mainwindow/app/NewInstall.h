// NewInstall: the first-run notice (template 238), shown once: opening it
// writes MAIN/NewInstall = "0".
#pragma once

#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/CDialog.h"
#include "skin/drawing/DrawResources.h"

class NewInstall : public CDialog
{
    DECLARE_DYNAMIC(NewInstall)
public:
    // Construction
    explicit NewInstall(CWnd* pParent = nullptr);

    // Overridables
    BOOL OnInitDialog() override;

protected:
    // WM_CTLCOLOR: HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    DrawResources m_draw;
    CFont* m_pOldFont = nullptr;   // kept, never restored
    TXVHeader m_header;
};
