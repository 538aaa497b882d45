// Device contexts: CDC, CPaintDC, CClientDC, CWindowDC, and the selection
// guards CDCSelect and CDCSave.
// A CDC that created or attached its DC owns it (DeleteDC when it goes);
// FromHandle gives a borrowing wrapper. CDCSelect and CDCSave put the DC
// back as it was when they go.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CRect.h"

class CWnd;

class CDC
{
public:
    // Construction
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    static CDC* FromHandle(HDC hDC);          // borrowing
    static void DeleteTempMap();
    static void ForgetTemporary(CDC* pDC);    // after ReleaseDC

    BOOL CreateCompatibleDC(CDC* pDC);        // null: compatible with the screen
    BOOL CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData);
    BOOL DeleteDC();
    BOOL Attach(HDC hDC);                     // takes ownership
    HDC Detach();

    // Attributes
    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    int GetDeviceCaps(int nIndex) const { return m_hDC ? ::GetDeviceCaps(m_hDC, nIndex) : 0; }
    COLORREF GetTextColor() const { return m_hDC ? ::GetTextColor(m_hDC) : CLR_INVALID; }
    COLORREF SetTextColor(COLORREF crColor) { return m_hDC ? ::SetTextColor(m_hDC, crColor) : CLR_INVALID; }
    COLORREF GetBkColor() const { return m_hDC ? ::GetBkColor(m_hDC) : CLR_INVALID; }
    COLORREF SetBkColor(COLORREF crColor) { return m_hDC ? ::SetBkColor(m_hDC, crColor) : CLR_INVALID; }
    int GetBkMode() const { return m_hDC ? ::GetBkMode(m_hDC) : 0; }
    int SetBkMode(int nBkMode) { return m_hDC ? ::SetBkMode(m_hDC, nBkMode) : 0; }
    int SetROP2(int nDrawMode) { return m_hDC ? ::SetROP2(m_hDC, nDrawMode) : 0; }
    int SetStretchBltMode(int nStretchMode) { return m_hDC ? ::SetStretchBltMode(m_hDC, nStretchMode) : 0; }
    UINT SetTextAlign(UINT nFlags) { return m_hDC ? ::SetTextAlign(m_hDC, nFlags) : GDI_ERROR; }
    int SetMapMode(int nMapMode) { return m_hDC ? ::SetMapMode(m_hDC, nMapMode) : 0; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetWindowOrg(int x, int y);
    CPoint GetViewportOrg() const;
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { if (m_hDC) ::LPtoDP(m_hDC, lpPoints, nCount); }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { if (m_hDC) ::DPtoLP(m_hDC, lpPoints, nCount); }
    CPoint GetCurrentPosition() const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return m_hDC ? ::GetTextMetricsA(m_hDC, lpMetrics) : FALSE; }
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    CFont* GetCurrentFont() const { return m_hDC ? CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))) : nullptr; }
    CBitmap* GetCurrentBitmap() const { return m_hDC ? CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP))) : nullptr; }

    // Selection (returns the object that was selected; CDCSelect restores it by itself)
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    int SelectObject(CRgn* pRgn);             // the clip region: a region type
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette() { return m_hDC ? ::RealizePalette(m_hDC) : 0; }
    int SaveDC() { return m_hDC ? ::SaveDC(m_hDC) : 0; }
    BOOL RestoreDC(int nSavedDC) { return m_hDC ? ::RestoreDC(m_hDC, nSavedDC) : FALSE; }

    // Clipping
    int SelectClipRgn(CRgn* pRgn) { return m_hDC ? ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr) : ERROR; }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return m_hDC ? ::IntersectClipRect(m_hDC, x1, y1, x2, y2) : ERROR; }
    int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2) { return m_hDC ? ::ExcludeClipRect(m_hDC, x1, y1, x2, y2) : ERROR; }
    int ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    int GetClipBox(LPRECT lpRect) const { return m_hDC ? ::GetClipBox(m_hDC, lpRect) : ERROR; }

    // Drawing
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return m_hDC ? ::LineTo(m_hDC, x, y) : FALSE; }
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return m_hDC ? ::Polyline(m_hDC, lpPoints, nCount) : FALSE; }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return m_hDC ? ::Polygon(m_hDC, lpPoints, nCount) : FALSE; }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return m_hDC ? ::Rectangle(m_hDC, x1, y1, x2, y2) : FALSE; }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return m_hDC ? ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3) : FALSE; }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return m_hDC ? ::Ellipse(m_hDC, x1, y1, x2, y2) : FALSE; }
    BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
    { return m_hDC ? ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4) : FALSE; }
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
    { return m_hDC ? ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4) : FALSE; }
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { if (m_hDC && lpRect && pBrush) ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject)); }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { if (m_hDC && lpRect && pBrush) ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject)); }
    void InvertRect(LPCRECT lpRect) { if (m_hDC && lpRect) ::InvertRect(m_hDC, lpRect); }
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return m_hDC ? ::DrawEdge(m_hDC, lpRect, nEdge, nFlags) : FALSE; }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return m_hDC ? ::DrawFrameControl(m_hDC, lpRect, nType, nState) : FALSE; }
    void DrawFocusRect(LPCRECT lpRect) { if (m_hDC) ::DrawFocusRect(m_hDC, lpRect); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return m_hDC ? ::DrawIcon(m_hDC, x, y, hIcon) : FALSE; }
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
    BOOL PaintRgn(CRgn* pRgn) { return m_hDC && pRgn ? ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)) : FALSE; }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return m_hDC ? ::SetPixel(m_hDC, x, y, crColor) : CLR_INVALID; }
    COLORREF GetPixel(int x, int y) const { return m_hDC ? ::GetPixel(m_hDC, x, y) : CLR_INVALID; }

    // Text
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount) { return m_hDC ? ::TextOutA(m_hDC, x, y, lpszString, nCount) : FALSE; }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, const int* lpDxWidths)
    { return m_hDC ? ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths) : FALSE; }
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    { return m_hDC ? ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat) : 0; }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return DrawText(str, str.GetLength(), lpRect, nFormat); }

    // Blocks of pixels
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                        int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent);
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                    int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
    BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return m_hDC ? ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop) : FALSE; }

protected:
    BOOL m_bOwned = TRUE;     // DeleteDC when the wrapper goes
};

// The DC of a WM_PAINT handler: BeginPaint and EndPaint.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};
protected:
    HWND m_hWnd = nullptr;
};

// A window's client-area DC: GetDC and ReleaseDC.
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
protected:
    HWND m_hWnd = nullptr;
};

// A window's whole-window DC: GetWindowDC and ReleaseDC.
class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
protected:
    HWND m_hWnd = nullptr;
};

// Selects a GDI object into a DC and puts the previous one back when it goes.
class CDCSelect
{
public:
    CDCSelect(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(hDC && hObject ? ::SelectObject(hDC, hObject) : nullptr) {}
    CDCSelect(CDC& dc, const CGdiObject& object) : CDCSelect(dc.m_hDC, object.m_hObject) {}
    ~CDCSelect() { if (m_hDC && m_hOld) ::SelectObject(m_hDC, m_hOld); }
    CDCSelect(const CDCSelect&) = delete;
    CDCSelect& operator=(const CDCSelect&) = delete;
private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Saves a DC's whole state and restores it when it goes.
class CDCSave
{
public:
    explicit CDCSave(HDC hDC) : m_hDC(hDC), m_nSaved(hDC ? ::SaveDC(hDC) : 0) {}
    ~CDCSave() { if (m_hDC && m_nSaved) ::RestoreDC(m_hDC, m_nSaved); }
    CDCSave(const CDCSave&) = delete;
    CDCSave& operator=(const CDCSave&) = delete;
private:
    HDC m_hDC;
    int m_nSaved;
};
