#include "widgets/menus/NewMenuIcons.h"

#include <algorithm>
#include <cstring>

#include "framework/ui/CGdiObject.h"
#include "framework/win/AppState.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"

using namespace menu_math;

IMPLEMENT_DYNAMIC(CNewMenuIcons, CObject)
IMPLEMENT_DYNAMIC(CNewMenuBitmaps, CNewMenuIcons)

namespace {

bool IsIntResource(LPCSTR name)
{
    return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

// The icon's colour bitmap as 32-bit pixels, changed pixel by pixel, then
// added (index -1) or put in place with the icon's own mask.
template <class F>
int AddChangedPicture(CImageList& list, HICON hIcon, int nIndex, F change)
{
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return -1;
    int result = -1;
    BITMAP bm = {};
    if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof bm, &bm) && list.GetSafeHandle()) {
        int w = bm.bmWidth, h = bm.bmHeight;
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
        HDC screen = ::GetDC(nullptr);
        if (::GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(h), pixels.data(), &bi, DIB_RGB_COLORS)) {
            for (DWORD& px : pixels) {
                // DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
                Colour c = Rgb((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
                Colour n = change(c);
                px = (static_cast<DWORD>(Red(n)) << 16) | (static_cast<DWORD>(Green(n)) << 8) |
                     static_cast<DWORD>(Blue(n));
            }
            HBITMAP changed = ::CreateCompatibleBitmap(screen, w, h);
            if (changed && ::SetDIBits(screen, changed, 0, static_cast<UINT>(h), pixels.data(), &bi, DIB_RGB_COLORS)) {
                if (nIndex < 0)
                    result = ImageList_Add(list.GetSafeHandle(), changed, info.hbmMask);
                else
                    result = ImageList_Replace(list.GetSafeHandle(), nIndex, changed, info.hbmMask) ? nIndex : -1;
            }
            if (changed)
                ::DeleteObject(changed);
        }
        ::ReleaseDC(nullptr, screen);
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return result;
}

COLORREF GreyBaseColour()
{
    MenuStyle* style = MenuLibrary().CurrentStyle();
    int n = style ? style->GetStyle() : 2;
    if (n == 2 || n == 3)
        return MenuFaceColor();
    if (n >= 8 && n <= 11) {
        COLORREF base, light;
        FlatSchemeColors(base, light, TRUE);
        return base;
    }
    return MenuBackgroundColor(nullptr);
}

} // namespace

// ---- CNewMenuIcons ----------------------------------------------------------------

CNewMenuIcons::~CNewMenuIcons()
{
    FreeResourceName();
}

void CNewMenuIcons::FreeResourceName()
{
    if (m_lpszResourceName && !IsIntResource(m_lpszResourceName))
        delete[] m_lpszResourceName;
    m_lpszResourceName = nullptr;
}

void CNewMenuIcons::SetResourceName(LPCSTR lpszResourceName, HMODULE hInst)
{
    FreeResourceName();
    if (lpszResourceName && !IsIntResource(lpszResourceName)) {
        size_t n = std::strlen(lpszResourceName);
        char* copy = new char[n + 1];
        std::memcpy(copy, lpszResourceName, n + 1);
        m_lpszResourceName = copy;
    } else {
        m_lpszResourceName = lpszResourceName;
    }
    m_hInst = hInst;
}

int CNewMenuIcons::FindCommand(UINT nID) const
{
    for (size_t i = m_IDs.size(); i-- > 0;)
        if (m_IDs[i] == nID)
            return static_cast<int>(3 * i);
    return -1;
}

CSize CNewMenuIcons::GetImageSize() const
{
    int cx = 0, cy = 0;
    if (!m_IconsList.GetSafeHandle() || !m_IconsList.GetIconSize(cx, cy))
        return CSize(0, 0);
    return CSize(cx, cy);
}

BOOL CNewMenuIcons::Refresh()
{
    if (!m_lpszResourceName || !m_IconsList.GetSafeHandle())
        return FALSE;
    return LoadBitmapStrip(m_lpszResourceName, GetImageSize());
}

BOOL CNewMenuIcons::LoadHBitmap(HBITMAP hBitmap, CSize size, const UINT* pIDs, COLORREF crMask)
{
    if (!hBitmap || !pIDs || size.cx <= 0 || size.cy <= 0)
        return FALSE;
    m_crTransparent = crMask;
    if (!m_IconsList.GetSafeHandle() && !m_IconsList.Create(size.cx, size.cy, ILC_COLORDDB | ILC_MASK, 0, 10))
        return FALSE;
    CImageList strip;
    if (!strip.Attach(ImageList_Create(size.cx, size.cy, ILC_COLORDDB | ILC_MASK, 0, 10)))
        return FALSE;
    if (ImageList_AddMasked(strip.GetSafeHandle(), hBitmap, crMask) < 0)
        return FALSE;
    for (int i = 0; pIDs[i] && i < strip.GetImageCount(); ++i) {
        HICON icon = strip.ExtractIcon(i);
        if (!icon)
            return FALSE;
        m_IconsList.Add(icon);
        AddShadedPicture(icon, -1);
        AddGreyedPicture(icon, -1);
        ::DestroyIcon(icon);
        m_IDs.push_back(pIDs[i]);
    }
    return TRUE;
}

BOOL CNewMenuIcons::LoadToolBar(const WORD* pToolInfo, COLORREF crMask)
{
    // resource id, image width, image height, then zero-terminated ids
    if (!pToolInfo)
        return FALSE;
    HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pToolInfo[0]));
    if (!bitmap)
        return FALSE;
    std::vector<UINT> ids;
    for (const WORD* p = pToolInfo + 3; *p; ++p)
        ids.push_back(*p);
    ids.push_back(0);
    BOOL ok = LoadHBitmap(bitmap, CSize(pToolInfo[1], pToolInfo[2]), ids.data(), crMask);
    ::DeleteObject(bitmap);
    return ok;
}

BOOL CNewMenuIcons::LoadToolBarResource(LPCSTR lpszResourceName, HMODULE hInst)
{
    HMODULE module = hInst;
    HRSRC res = module ? ::FindResourceA(module, lpszResourceName, MAKEINTRESOURCEA(241)) : nullptr;
    if (!res) {
        module = AfxGetResourceHandle();
        res = ::FindResourceA(module, lpszResourceName, MAKEINTRESOURCEA(241));
    }
    if (!res)
        return FALSE;
    HGLOBAL global = ::LoadResource(module, res);
    const WORD* data = global ? static_cast<const WORD*>(::LockResource(global)) : nullptr;
    DWORD bytes = ::SizeofResource(module, res);
    if (!data || bytes < 8 || data[0] != 1)
        return FALSE;
    WORD count = data[3];
    if (bytes < 8u + 2u * count)
        return FALSE;
    std::vector<UINT> ids;
    for (WORD i = 0; i < count; ++i)
        if (data[4 + i])
            ids.push_back(data[4 + i]);
    ids.push_back(0);
    HBITMAP bitmap = ::LoadBitmapA(module, lpszResourceName);
    if (!bitmap)
        return FALSE;
    BOOL ok = LoadHBitmap(bitmap, CSize(data[1], data[2]), ids.data(), m_crTransparent);
    ::DeleteObject(bitmap);
    if (ok)
        SetResourceName(lpszResourceName, hInst);
    return ok;
}

BOOL CNewMenuIcons::DoMatchBitmap(HBITMAP hBitmap, CSize size, const UINT* pIDs) const
{
    if (reinterpret_cast<ULONG_PTR>(hBitmap) != m_nComparisonKey || GetImageSize() != size || !pIDs)
        return FALSE;
    for (size_t i = 0; i < m_IDs.size(); ++i)
        if (pIDs[i] != m_IDs[i])
            return FALSE;
    return TRUE;
}

BOOL CNewMenuIcons::DoMatchToolBar(const WORD* pToolInfo, COLORREF crMask) const
{
    if (!pToolInfo || crMask != m_crTransparent || GetImageSize() != CSize(pToolInfo[1], pToolInfo[2]))
        return FALSE;
    size_t i = 0;
    for (const WORD* p = pToolInfo + 3; *p; ++p, ++i)
        if (i >= m_IDs.size() || m_IDs[i] != *p)
            return FALSE;
    return i == m_IDs.size();
}

BOOL CNewMenuIcons::DoMatchResource(LPCSTR lpszResourceName, HMODULE hInst) const
{
    if (hInst != m_hInst || !m_lpszResourceName || !lpszResourceName)
        return FALSE;
    if (!IsIntResource(lpszResourceName))
        return !IsIntResource(m_lpszResourceName) && lstrcmpA(lpszResourceName, m_lpszResourceName) == 0;
    return lpszResourceName == m_lpszResourceName;
}

BOOL CNewMenuIcons::LoadBitmapStrip(LPCSTR lpszResourceName, CSize size)
{
    HMODULE module = m_hInst ? m_hInst : AfxGetResourceHandle();
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(module, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return FALSE;
    DIBSECTION ds = {};
    if (::GetObjectA(bitmap, sizeof ds, &ds) == sizeof ds) {
        m_nColors = static_cast<int>(ds.dsBmih.biClrUsed);
        if (!m_nColors)
            m_nColors = ds.dsBmih.biBitCount == 1 ? 2 : ds.dsBmih.biBitCount == 4 ? 16 : ds.dsBmih.biBitCount == 8 ? 256 : 0;
    }
    BITMAP bm = {};
    ::GetObjectA(bitmap, sizeof bm, &bm);
    std::vector<UINT> ids;
    for (int i = 1; size.cx > 0 && i <= bm.bmWidth / size.cx; ++i)
        ids.push_back(static_cast<UINT>(i));
    ids.push_back(0);
    m_IconsList.DeleteImageList();
    m_IDs.clear();
    BOOL ok = LoadHBitmap(bitmap, size, ids.data(), m_crTransparent);
    ::DeleteObject(bitmap);
    return ok;
}

int CNewMenuIcons::AddShadedPicture(HICON hIcon, int nIndex)
{
    return AddChangedPicture(m_IconsList, hIcon, nIndex, [](Colour c) { return ShadedPixel(c); });
}

int CNewMenuIcons::AddGreyedPicture(HICON hIcon, int nIndex)
{
    Colour tint = ScaleTowardWhite(115, GreyBaseColour());
    return AddChangedPicture(m_IconsList, hIcon, nIndex, [tint](Colour c) { return GreyedPixel(c, tint); });
}

BOOL CNewMenuIcons::BuildPictureTriples()
{
    int count = m_IconsList.GetImageCount();
    if (count <= 0)
        return FALSE;
    CSize size = GetImageSize();
    CImageList old;
    old.Attach(m_IconsList.Detach());
    if (!m_IconsList.Create(size.cx, size.cy, ILC_COLORDDB | ILC_MASK, 0, 10))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        HICON icon = old.ExtractIcon(i);
        if (!icon)
            continue;
        m_IconsList.Add(icon);
        AddShadedPicture(icon, -1);
        AddGreyedPicture(icon, -1);
        ::DestroyIcon(icon);
    }
    return TRUE;
}

// ---- CNewMenuBitmaps ------------------------------------------------------------------

CNewMenuBitmaps::CNewMenuBitmaps(COLORREF crMask)
{
    m_crTransparent = crMask;
}

int CNewMenuBitmaps::AddBitmapById(UINT nID, COLORREF crMask)
{
    int found = FindCommand(nID);
    if (found >= 0)
        return found;
    HMODULE module = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(nID), MAKEINTRESOURCEA(2)); // RT_BITMAP
    if (!res)
        return -1;
    HGLOBAL global = ::LoadResource(module, res);
    if (!global || !::LockResource(global))
        return -1;
    ::FreeResource(global);
    HBITMAP bitmap = ::LoadBitmapA(module, MAKEINTRESOURCEA(nID));
    if (!bitmap)
        return -1;
    BITMAP bm = {};
    if (!::GetObjectA(bitmap, sizeof bm, &bm)) {
        ::DeleteObject(bitmap);
        return -1;
    }
    if (m_IconsList.GetSafeHandle()) {
        CSize size = GetImageSize();
        if (size.cx != bm.bmWidth || size.cy != bm.bmHeight) {
            ::DeleteObject(bitmap);
            return -1;
        }
    } else if (!m_IconsList.Create(bm.bmWidth, bm.bmHeight, ILC_COLORDDB | ILC_MASK, 0, 10)) {
        ::DeleteObject(bitmap);
        return -1;
    }
    int k = ImageList_AddMasked(m_IconsList.GetSafeHandle(), bitmap, crMask);
    ::DeleteObject(bitmap);
    if (k < 0)
        return -1;
    m_TranspColors.push_back(crMask);
    m_IDs.push_back(nID);
    HICON icon = m_IconsList.ExtractIcon(k);
    AddShadedPicture(icon, -1);
    AddGreyedPicture(icon, -1);
    if (icon)
        ::DestroyIcon(icon);
    return k;
}

BOOL CNewMenuBitmaps::Refresh()
{
    int entries = GetEntryCount();
    for (int i = 0; i < entries; ++i) {
        HICON icon = m_IconsList.ExtractIcon(3 * i);
        if (!icon)
            return FALSE;
        AddShadedPicture(icon, 3 * i + 1);
        AddGreyedPicture(icon, 3 * i + 2);
        ::DestroyIcon(icon);
    }
    return TRUE;
}

// ---- the shared title list --------------------------------------------------------------

int ReleaseImageList(CNewMenuIcons* pList)
{
    if (!pList)
        return 0;
    int count = pList->Release();
    if (count <= 0) {
        if (std::vector<CNewMenuBitmaps*>* lists = MenuLibrary().TitleLists())
            lists->erase(std::remove(lists->begin(), lists->end(), pList), lists->end());
        delete pList;
        return 0;
    }
    return count;
}

CNewMenuBitmaps* FindTitleImage(int nTitleImage, COLORREF crMask, int* pIndex)
{
    if (pIndex)
        *pIndex = -1;
    std::vector<CNewMenuBitmaps*>& lists = MenuLibrary().MakeTitleLists();
    if (nTitleImage < 0)
        return nullptr;
    UINT id = static_cast<UINT>(nTitleImage);
    for (CNewMenuBitmaps* list : lists) {
        int index = list->AddBitmapById(id, crMask);
        if (index >= 0) {
            if (pIndex)
                *pIndex = index;
            return list;
        }
    }
    CNewMenuBitmaps* list = new CNewMenuBitmaps(crMask);
    int index = list->AddBitmapById(id, crMask);
    if (index < 0) {
        delete list;
        return nullptr;
    }
    lists.push_back(list);
    if (pIndex)
        *pIndex = index;
    return list;
}
