#include "skin/navlist/TXVNavList.h"

#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/MemDC.h"

IMPLEMENT_DYNAMIC(TXVNavList, CListCtrl)

BEGIN_MESSAGE_MAP(TXVNavList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &TXVNavList::OnCustomDraw)
END_MESSAGE_MAP()

TXVNavList::TXVNavList()
{
    m_pMainWnd = AfxGetMainWnd();
}

BOOL TXVNavList::CreateImageList(int width, int height, UINT bitmapId)
{
    if (m_hWnd) {
        ModifyStyle(0, LVS_SHAREIMAGELISTS);
        CListCtrl::SetImageList(nullptr, LVSIL_SMALL);
    }
    m_images.DeleteImageList();
    m_bitmap.DeleteObject();
    if (!m_images.Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 20))
        return FALSE;
    if (m_bitmap.LoadBitmap(bitmapId))
        m_images.Add(&m_bitmap, RGB(192, 192, 192));
    if (m_hWnd)
        CListCtrl::SetImageList(&m_images, LVSIL_SMALL);
    return TRUE;
}

void TXVNavList::SetFonts(int size, const CString& face, int size2, const CString& face2)
{
    m_font.DeleteObject();
    m_font2.DeleteObject();
    m_font.CreatePointFont(size, face);
    m_font2.CreatePointFont(size2, face2);
    m_nFontPoints = size / 10;
    if (m_hWnd)
        CWnd::SetFont(static_cast<HFONT>(m_font.m_hObject), TRUE);
}

int TXVNavList::InsertNavItem(const NavItem& entry)
{
    const int row = InsertItem(LVIF_TEXT | LVIF_IMAGE, GetItemCount(), entry.line1, 0, 0, entry.image, 0);
    if (row >= 0)
        m_items.insert(m_items.begin() + row, entry);
    return row;
}

void TXVNavList::SelectItem(int row)
{
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    for (int i = 0; i < GetItemCount(); ++i)
        SetItemState(i, 0, both);
    SetItemState(row, both, both);
}

void TXVNavList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    DrawNavItem(CDC::FromHandle(draw->nmcd.hdc), row, selected);
    *pResult = CDRF_SKIPDEFAULT;
}

void TXVNavList::DrawNavItem(CDC* target, int row, bool selected)
{
    CRect rowRect;
    GetSubItemRect(row, 0, LVIR_BOUNDS, rowRect);
    MemDC dc(target, &rowRect);
    CRect text(rowRect.left + 6, rowRect.top + 2, rowRect.right, rowRect.bottom);
    CRect cell = rowRect;
    cell.left += 5;

    if (selected) {
        CPen frame;
        frame.CreatePen(PS_SOLID, 1, RGB(128, 128, 255));
        CBrush inside;
        inside.CreateSolidBrush(RGB(255, 255, 255));
        {
            CDCSelect penSel(dc, frame);
            CDCSelect brushSel(dc, inside);
            dc.Rectangle(cell.left, cell.top, cell.right - 1, cell.bottom);
        }
        CRect shrunk(cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 1);
        CPen gap;
        gap.CreatePen(PS_SOLID, 1, m_crColour);
        {
            CDCSelect gapSel(dc, gap);
            for (int x = shrunk.right; x < shrunk.right + 3; ++x) {
                dc.MoveTo(x, 0);
                dc.LineTo(x, cell.bottom);
            }
        }
        GradientFillRect(&dc, shrunk, RGB(238, 238, 238), RGB(186, 216, 250));
    } else {
        CBrush white;
        white.CreateSolidBrush(RGB(255, 255, 255));
        dc.FillRect(&rowRect, &white);
    }

    const NavItem* entry = row >= 0 && row < GetNavCount() ? &m_items[static_cast<size_t>(row)] : nullptr;
    if (!entry)
        return;
    if (m_images.GetSafeHandle())
        ImageList_Draw(m_images.GetSafeHandle(), entry->image, dc.m_hDC, text.left + 1,
                       text.top + (m_bSingleLine ? 8 : 0), ILD_TRANSPARENT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CDCSelect fontSel(dc, m_font);
    CRect line(text.left + 37, rowRect.top + (m_bSingleLine ? 16 : 0), text.right, text.bottom);
    dc.DrawText(entry->line1, &line, DT_NOPREFIX | DT_END_ELLIPSIS);
    if (m_bSingleLine)
        return;
    line.top += m_nFontPoints + 4;
    line.right -= 5;
    CDCSelect font2Sel(dc, m_font2);
    dc.DrawText(entry->line2, &line, DT_NOPREFIX | DT_WORDBREAK);
}
