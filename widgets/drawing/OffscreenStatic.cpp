#include "widgets/drawing/OffscreenStatic.h"

#include "foundation/drawing/MemDC.h"
#include "framework/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(COffscreenStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &COffscreenStatic::OnPrintClient)
END_MESSAGE_MAP()

CRect COffscreenStatic::PaintArea()
{
    CRect client;
    GetClientRect(&client);
    return client;
}

void COffscreenStatic::OnPaint()
{
    CPaintDC dc(this);
    const CRect area = PaintArea();
    MemDC mem(&dc, &area);
    Paint(&mem);
}

BOOL COffscreenStatic::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT COffscreenStatic::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (pDC)
        Paint(pDC);
    return 0;
}
