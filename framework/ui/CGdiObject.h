// GDI object wrappers: CGdiObject, CPen, CBrush, CFont, CBitmap, CRgn,
// CPalette.
// An object that created or attached its handle owns it and deletes it when
// it goes; FromHandle gives a borrowing wrapper that never deletes (it lives
// until the next idle time). Detach hands ownership back to the caller.
#pragma once

#include <windows.h>

#include "framework/ui/CRect.h"

class CDC;

class CGdiObject
{
public:
    // Construction
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    static CGdiObject* FromHandle(HGDIOBJ hObject);   // borrowing
    static void DeleteTempMap();

    // Attributes
    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    int GetObject(int nCount, LPVOID lpObject) const
    { return m_hObject ? ::GetObjectA(m_hObject, nCount, lpObject) : 0; }
    UINT GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

    // Operations
    BOOL Attach(HGDIOBJ hObject);   // takes ownership
    HGDIOBJ Detach();               // gives it back
    BOOL DeleteObject();
    BOOL CreateStockObject(int nIndex);   // stock objects are never deleted

protected:
    BOOL m_bOwned = TRUE;
};

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    static CPen* FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
    { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    static CBrush* FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreatePatternBrush(CGdiObject* pBitmap)
    { return pBitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject))) : FALSE; }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject
{
public:
    CFont() = default;
    static CFont* FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) { return lpLogFont ? Attach(::CreateFontIndirectA(lpLogFont)) : FALSE; }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCSTR lpszFacename);
    // Size in tenths of a point, converted for pDC (the screen when null).
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }
};

class CBitmap : public CGdiObject
{
public:
    CBitmap() = default;
    static CBitmap* FromHandle(HBITMAP hBitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap)); }

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    BOOL LoadBitmap(UINT nIDResource);    // from AfxGetResourceHandle()
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(nIDBitmap))); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    { return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits)); }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
    { return m_hObject ? static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits)) : 0; }
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits)
    { return m_hObject ? static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits)) : 0; }
    CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject
{
public:
    CRgn() = default;
    static CRgn* FromHandle(HRGN hRgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)); }

    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return lpRect ? Attach(::CreateRectRgnIndirect(lpRect)) : FALSE; }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
    { return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3)); }
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
    { return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode)); }
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc) { return CombineRgn(pRgnSrc, nullptr, RGN_COPY); }
    void SetRectRgn(int x1, int y1, int x2, int y2)
    { if (m_hObject) ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2); }
    int OffsetRgn(int x, int y) { return m_hObject ? ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y) : ERROR; }
    int GetRgnBox(LPRECT lpRect) const { return m_hObject ? ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect) : ERROR; }
    BOOL PtInRegion(int x, int y) const { return m_hObject ? ::PtInRegion(static_cast<HRGN>(m_hObject), x, y) : FALSE; }
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL EqualRgn(const CRgn* pRgn) const
    { return m_hObject && pRgn ? ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->m_hObject)) : FALSE; }
};

class CPalette : public CGdiObject
{
public:
    CPalette() = default;
    static CPalette* FromHandle(HPALETTE hPalette) { return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette)); }

    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    BOOL CreatePalette(const LOGPALETTE* lpLogPalette) { return lpLogPalette ? Attach(::CreatePalette(lpLogPalette)) : FALSE; }
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
    { return m_hObject ? ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors) : 0; }
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors)
    { return m_hObject ? ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors) : 0; }
};
