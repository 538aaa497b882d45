#include "framework/ui/CListCtrl.h"

#include <memory>

#include "framework/ui/CEdit.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol),
                                                    reinterpret_cast<LPARAM>(pColumn)))
                  : -1;
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    if (!m_hWnd || !piArray)
        return FALSE;
    if (iCount == -1) {
        HWND hHeader = ListView_GetHeader(m_hWnd);
        iCount = hHeader ? Header_GetItemCount(hHeader) : 0;
    }
    return ListView_GetColumnOrderArray(m_hWnd, iCount, piArray);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    if (!m_hWnd)
        return FALSE;
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem),
                                            reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    CString text;
    if (!m_hWnd)
        return text;
    // The control copies at most the buffer: grow until the text fits.
    for (int size = 256; size <= 65536; size *= 4) {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        int n = static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem),
                                                reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(n > 0 ? n : 0);
        if (n < size - 1)
            break;
    }
    return text;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    if (!m_hWnd || !lpszText || nLen <= 0)
        return 0;
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem),
                                           reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    return SetItem(nItem, nSubItem, LVIF_IMAGE, nullptr, nImage, 0, 0, 0);
}

int CListCtrl::GetItemImage(int nItem, int nSubItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    return GetItem(&item) ? item.iImage : -1;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    if (!m_hWnd)
        return FALSE;
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem),
                                            reinterpret_cast<LPARAM>(&item)));
}

// A POSITION here is the index of the next selected item plus one.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(first) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int item = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    int next = GetNextItem(item, LVNI_SELECTED);
    pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(next) + 1);
    return item;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    if (!m_hWnd)
        return nullptr;
    return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(
        ::SendMessageA(m_hWnd, LVM_EDITLABELA, static_cast<WPARAM>(nItem), 0))));
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    if (!m_hWnd)
        return nullptr;
    HIMAGELIST h = ListView_CreateDragImage(m_hWnd, nItem, lpPoint);
    if (!h)
        return nullptr;
    std::unique_ptr<CImageList> list(new CImageList);
    list->Attach(h);
    return list.release();
}
