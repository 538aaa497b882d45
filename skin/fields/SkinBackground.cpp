#include "skin/fields/SkinBackground.h"

#include "foundation/drawing/DrawingHelpers.h"
#include "skin/host/SkinHost.h"

bool GrabControlBackground(CWnd* control, CDC* source, CBitmap& bitmap)
{
    if (!control || !control->m_hWnd || !source || !source->GetSafeHdc())
        return false;
    RECT client;
    ::GetClientRect(control->m_hWnd, &client);
    RECT window;
    ::GetWindowRect(control->m_hWnd, &window);
    HWND parent = ::GetParent(control->m_hWnd);
    POINT topLeft{window.left, window.top};
    if (parent)
        ::ScreenToClient(parent, &topLeft);
    bitmap.DeleteObject();
    CaptureDCArea(source, topLeft.x, topLeft.y, client.right, client.bottom, bitmap);
    return bitmap.m_hObject != nullptr;
}

bool GrabSkinBackground(CWnd* control, CBitmap& bitmap)
{
    SkinHost* host = TheSkinHost();
    return GrabControlBackground(control, host ? host->GetSkinDC() : nullptr, bitmap);
}

bool DrawGrabbedBackground(CDC* pDC, const CBitmap& bitmap)
{
    if (!bitmap.m_hObject)
        return false;
    BITMAP bm{};
    if (!::GetObjectA(bitmap.m_hObject, sizeof(bm), &bm))
        return false;
    HDC mem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(mem, bitmap.m_hObject);
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return true;
}
