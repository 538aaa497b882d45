#include "framework/ui/CGdiObject.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/ui/CDC.h"
#include "framework/win/AppState.h"

namespace {

struct GdiTempMap
{
    std::mutex lock;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> objects;
};

GdiTempMap& TempMap()
{
    static GdiTempMap map;
    return map;
}

} // namespace

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    GdiTempMap& m = TempMap();
    std::lock_guard<std::mutex> guard(m.lock);
    std::unique_ptr<CGdiObject>& slot = m.objects[hObject];
    if (!slot) {
        slot.reset(new CGdiObject);
        slot->m_hObject = hObject;
        slot->m_bOwned = FALSE;
    }
    return slot.get();
}

void CGdiObject::DeleteTempMap()
{
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> old;
    {
        GdiTempMap& m = TempMap();
        std::lock_guard<std::mutex> guard(m.lock);
        old.swap(m.objects);
    }
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    m_bOwned = TRUE;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    m_bOwned = TRUE;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    bool owned = m_bOwned != FALSE;
    HGDIOBJ h = Detach();
    return owned ? ::DeleteObject(h) : TRUE;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    if (!h)
        return FALSE;
    DeleteObject();
    m_hObject = h;
    m_bOwned = FALSE;
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // System colour brushes belong to the system.
    HBRUSH h = ::GetSysColorBrush(nIndex);
    if (!h)
        return FALSE;
    DeleteObject();
    m_hObject = h;
    m_bOwned = FALSE;
    return TRUE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    HDC hDC = pDC && pDC->m_hDC ? pDC->m_hDC : ::GetDC(nullptr);
    // lfHeight is in tenths of a point: to device pixels, then to logical units.
    LOGFONTA lf = *lpLogFont;
    POINT pt = {0, ::GetDeviceCaps(hDC, LOGPIXELSY) * lf.lfHeight / 720};
    ::DPtoLP(hDC, &pt, 1);
    POINT org = {0, 0};
    ::DPtoLP(hDC, &org, 1);
    lf.lfHeight = -std::abs(pt.y - org.y);
    if (!(pDC && pDC->m_hDC))
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return pDC && pDC->m_hDC ? Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight)) : FALSE;
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE s = {0, 0};
    if (m_hObject)
        ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
    return CSize(s);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (!m_hObject || !pRgn1)
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject),
                        pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC && pDC->m_hDC ? Attach(::CreateHalftonePalette(pDC->m_hDC)) : FALSE;
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    if (!m_hObject || !::GetObjectA(m_hObject, sizeof count, &count))
        return 0;
    return count;
}
