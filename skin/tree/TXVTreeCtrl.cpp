#include "skin/tree/TXVTreeCtrl.h"

#include "skin/res/SkinListIds.h"
#include "skin/tracklist/ListOwner.h"

#include <uxtheme.h>

IMPLEMENT_DYNAMIC(TXVTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(TXVTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(NM_RCLICK, &TXVTreeCtrl::OnClick)
    ON_NOTIFY_REFLECT(NM_CLICK, &TXVTreeCtrl::OnClick)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, &TXVTreeCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, &TXVTreeCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &TXVTreeCtrl::OnCustomDraw)
END_MESSAGE_MAP()

void TXVTreeCtrl::LoadImageList()
{
    // The tree shows the image list; it stays this object's.
    if (m_hWnd)
        CTreeCtrl::SetImageList(nullptr, TVSIL_NORMAL);
    m_images.DeleteImageList();
    m_bitmap.DeleteObject();
    m_images.Create(16, 17, ILC_COLOR32 | ILC_MASK, 1, 20);
    if (m_bitmap.LoadBitmap(IDB_LIST_TRACKICONS))
        m_images.Add(&m_bitmap, RGB(0, 255, 0));
    if (m_hWnd)
        CTreeCtrl::SetImageList(&m_images, TVSIL_NORMAL);
}

void TXVTreeCtrl::SetExplorerTheme(bool flag)
{
    m_bExplorerTheme = flag;
    if (m_hWnd)
        ::SetWindowTheme(m_hWnd, L"explorer", nullptr);
}

HTREEITEM TXVTreeCtrl::SelectItemAt(CPoint client)
{
    HTREEITEM item = HitTest(client);
    if (item)
        Select(item, TVGN_CARET);
    return item;
}

void TXVTreeCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    // The point of the message being handled (the click), as the mouse was then.
    const DWORD pos = ::GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    ScreenToClient(&point);
    SelectItemAt(point);
}

void TXVTreeCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEWA* drag = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    if (m_pOwner)
        m_pOwner->BeginTreeDrag(this, drag->itemNew.hItem);
}

void TXVTreeCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVCUSTOMDRAW* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    // The selected item in the skin's colours whether or not the tree has
    // the focus: the system's colours for a selection without focus put
    // the skin's light text on a light face.
    HTREEITEM item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    if (item && (GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED)) {
        draw->clrText = kSelectedText;
        draw->clrTextBk = kSelectedBack;
    }
}
