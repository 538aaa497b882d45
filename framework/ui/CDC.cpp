#include "framework/ui/CDC.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/ui/CWnd.h"

namespace {

struct DCTempMap
{
    std::mutex lock;
    std::unordered_map<HDC, std::unique_ptr<CDC>> dcs;
};

DCTempMap& TempMap()
{
    static DCTempMap map;
    return map;
}

// A borrowing wrapper: never deletes its DC.
class CTempDC : public CDC
{
public:
    explicit CTempDC(HDC hDC) { m_hDC = hDC; m_bOwned = FALSE; }
};

} // namespace

CDC* AfxDCFromHandle(HDC hDC)
{
    return CDC::FromHandle(hDC);
}

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC)
        return nullptr;
    DCTempMap& m = TempMap();
    std::lock_guard<std::mutex> guard(m.lock);
    std::unique_ptr<CDC>& slot = m.dcs[hDC];
    if (!slot)
        slot.reset(new CTempDC(hDC));
    return slot.get();
}

void CDC::DeleteTempMap()
{
    std::unordered_map<HDC, std::unique_ptr<CDC>> old;
    DCTempMap& m = TempMap();
    std::lock_guard<std::mutex> guard(m.lock);
    old.swap(m.dcs);
}

void CDC::ForgetTemporary(CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return;
    DCTempMap& m = TempMap();
    std::lock_guard<std::mutex> guard(m.lock);
    auto it = m.dcs.find(pDC->m_hDC);
    if (it != m.dcs.end() && it->second.get() == pDC)
        m.dcs.erase(it);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData)
{
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    bool owned = m_bOwned != FALSE;
    HDC h = Detach();
    return owned ? ::DeleteDC(h) : TRUE;
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC)
        return FALSE;
    DeleteDC();
    m_hDC = hDC;
    m_bOwned = TRUE;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = nullptr;
    return h;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    POINT p = {0, 0};
    if (m_hDC)
        ::GetViewportOrgEx(m_hDC, &p);
    return CPoint(p);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT p = {0, 0};
    if (m_hDC)
        ::GetCurrentPositionEx(m_hDC, &p);
    return CPoint(p);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE s = {0, 0};
    if (m_hDC && lpszString)
        ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &s);
    return CSize(s);
}

namespace {

HGDIOBJ SelectHandle(HDC hDC, const CGdiObject* pObject)
{
    return hDC && pObject && pObject->m_hObject ? ::SelectObject(hDC, pObject->m_hObject) : nullptr;
}

} // namespace

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(SelectHandle(m_hDC, pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectHandle(m_hDC, pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(SelectHandle(m_hDC, pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(SelectHandle(m_hDC, pBitmap)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    HGDIOBJ r = SelectHandle(m_hDC, pRgn);
    return static_cast<int>(reinterpret_cast<INT_PTR>(r));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectHandle(m_hDC, pObject));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    return m_hDC && h ? CGdiObject::FromHandle(::SelectObject(m_hDC, h)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (!m_hDC || !pPalette)
        return nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->m_hObject), bForceBackground));
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (!m_hDC || !lpRect)
        return;
    // The background colour fills without creating a brush.
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return m_hDC && pRgn && pBrush
               ? ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject))
               : FALSE;
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return m_hDC && pRgn && pBrush
               ? ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject),
                            nWidth, nHeight)
               : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (!m_hDC)
        return FALSE;
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    if (!m_hDC)
        return FALSE;
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                         int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    if (!m_hDC || !pSrcDC || !pSrcDC->m_hDC)
        return FALSE;
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                            nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                     int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    if (!m_hDC || !pSrcDC || !pSrcDC->m_hDC)
        return FALSE;
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    return m_hDC ? ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode) : FALSE;
}

// ---- window DCs --------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd) {
        m_hDC = ::BeginPaint(m_hWnd, &m_ps);
        m_bOwned = FALSE;
    }
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd && m_hDC)
        ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    m_hDC = ::GetDC(m_hWnd);
    m_bOwned = FALSE;
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    m_hDC = ::GetWindowDC(m_hWnd);
    m_bOwned = FALSE;
}

CWindowDC::~CWindowDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}
