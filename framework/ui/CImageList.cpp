#include "framework/ui/CImageList.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CWnd.h"
#include "framework/win/AppState.h"

namespace {

struct ImageListTempMap
{
    std::mutex lock;
    std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> lists;
};

ImageListTempMap& TempMap()
{
    static ImageListTempMap map;
    return map;
}

HBITMAP BitmapOf(CBitmap* p)
{
    return p ? static_cast<HBITMAP>(p->m_hObject) : nullptr;
}

} // namespace

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!hImageList)
        return nullptr;
    ImageListTempMap& m = TempMap();
    std::lock_guard<std::mutex> guard(m.lock);
    std::unique_ptr<CImageList>& slot = m.lists[hImageList];
    if (!slot) {
        slot.reset(new CImageList);
        slot->m_hImageList = hImageList;
        slot->m_bOwned = FALSE;
    }
    return slot.get();
}

void CImageList::DeleteTempMap()
{
    std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> old;
    ImageListTempMap& m = TempMap();
    std::lock_guard<std::mutex> guard(m.lock);
    old.swap(m.lists);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask,
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList)
        return FALSE;
    DeleteImageList();
    m_hImageList = hImageList;
    m_bOwned = TRUE;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    m_bOwned = TRUE;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    bool owned = m_bOwned != FALSE;
    HIMAGELIST h = Detach();
    return owned ? ImageList_Destroy(h) : TRUE;
}

BOOL CImageList::GetIconSize(int& cx, int& cy) const
{
    cx = cy = 0;
    return m_hImageList ? ImageList_GetIconSize(m_hImageList, &cx, &cy) : FALSE;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return m_hImageList ? ImageList_Add(m_hImageList, BitmapOf(pbmImage), BitmapOf(pbmMask)) : -1;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return m_hImageList ? ImageList_AddMasked(m_hImageList, BitmapOf(pbmImage), crMask) : -1;
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return m_hImageList ? ImageList_Replace(m_hImageList, nImage, BitmapOf(pbmImage), BitmapOf(pbmMask)) : FALSE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!m_hImageList || !pDC || !pDC->m_hDC)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(pWndLock ? pWndLock->m_hWnd : nullptr, point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock ? pWndLock->m_hWnd : nullptr);
}
