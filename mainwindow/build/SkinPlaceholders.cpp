#include "mainwindow/build/SkinPlaceholders.h"

#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"
#include "skin/host/SkinHost.h"

BOOL SkinPlaceholderWnd::CreatePlaceholder(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (m_hWnd)
        return FALSE;
    return Create("", style, rect, parent, id);
}

void SkinPlaceholderWnd::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    SkinHost* host = TheSkinHost();
    CDC* skin = host ? host->GetSkinDC() : nullptr;
    CWnd* parent = GetParent();
    if (!skin || !parent) {
        pDC->FillSolidRect(&client, RGB(0, 0, 0));
        return;
    }
    POINT origin = {0, 0};
    ::MapWindowPoints(m_hWnd, parent->m_hWnd, &origin, 1);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), skin, origin.x, origin.y, SRCCOPY);
}

BOOL PlaceholderListControl::CreateFromSkin(const SkinItem& item, CWnd* parent)
{
    const RECT rect = {item.left, item.top, item.right, item.bottom};
    return m_wnd.CreatePlaceholder(m_style, rect, parent, SkinWindowId(item.id));
}
