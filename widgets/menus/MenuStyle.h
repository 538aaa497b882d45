// The drawing styles of the owner-drawn menus: twelve numbered styles
// (0 to 11), one current for the whole process. Each names the measurer
// and painter of CNewMenu it uses; an even number also replaces the popup
// window's system border by a frame of its own (MenuWindows.h), the odd
// number after it keeps the system border.
//
//   MenuStyle        classic (0, 1, 4, 5) and shaded (6, 7)
//   FlatMenuStyle    flat (2, 3) and scheme (8 to 11)
//
// And the colour sources, gradient and check-mark helpers the painters
// share.
#pragma once

#include <windows.h>

class CNewMenu;
struct MenuWindowState;

class MenuStyle
{
public:
    using Measurer = void (CNewMenu::*)(LPMEASUREITEMSTRUCT, BOOL);
    using Painter = void (CNewMenu::*)(LPDRAWITEMSTRUCT, BOOL);

    // Construction
    MenuStyle(int nStyle, Measurer measurer, Painter painter);
    virtual ~MenuStyle() = default;
    MenuStyle(const MenuStyle&) = delete;
    MenuStyle& operator=(const MenuStyle&) = delete;

    // Attributes
    int GetStyle() const { return m_nStyle; }
    Measurer GetMeasurer() const { return m_measurer; }
    Painter GetPainter() const { return m_painter; }
    Painter GetTitlePainter() const { return m_titlePainter; }

    // Overridables (the popup windows, MenuWindows.cpp)
    virtual BOOL TakeOverWindow(HWND hWnd);
    virtual BOOL ReleaseWindow(HWND hWnd);
    virtual BOOL HasOwnBorder() const { return m_bOwnBorder; }
    virtual void RefreshSystemColors();
    virtual void RefreshMetrics();
    virtual BOOL PaintFrame(HWND hWnd, HDC hDC, BOOL bFrameOnly);
    virtual BOOL FillBackground(HWND hWnd, HDC hDC);
    virtual BOOL ShrinkClientArea(HWND hWnd, NCCALCSIZE_PARAMS* pParams);
    virtual BOOL GrowWindowSize(HWND hWnd, WINDOWPOS* pPos);
    virtual BOOL GetInnerFrameRect(HWND hWnd, RECT* pRect);
    // Toolbar grippers: nothing in this program draws them.
    virtual void PaintGripper(HWND hWnd, HDC hDC, const RECT& rect);
    virtual void PaintGripperCorners(HWND hWnd, HDC hDC, const RECT& rect);
    virtual COLORREF GetBarScheme(int nIndex) const;

    // Implementation
    // The own shadow along the right and bottom edges from the snapshot.
    void PaintOwnShadow(HWND hWnd, HDC hDC, MenuWindowState* pState);

protected:
    // Data
    int m_nStyle;
    BOOL m_bOwnBorder;
    Measurer m_measurer;
    Painter m_painter;
    Painter m_titlePainter;
    RECT m_frame = {2, 2, 2, 2};
    COLORREF m_sysColors[5] = {};
};

class FlatMenuStyle : public MenuStyle
{
public:
    FlatMenuStyle(int nStyle, Measurer measurer, Painter painter) : MenuStyle(nStyle, measurer, painter) {}
    ~FlatMenuStyle() override = default;

    BOOL PaintFrame(HWND hWnd, HDC hDC, BOOL bFrameOnly) override;
    BOOL FillBackground(HWND hWnd, HDC hDC) override;
};

// Colour sources of the painters.
BOOL MenuFlatMenusOn();
COLORREF MenuColor(HMENU hMenu);
COLORREF MenuBackgroundColor(HMENU hMenu);
COLORREF MenuFaceColor();
COLORREF SelectionFillColor();
int DisplayColorCount();
void FlatSchemeColors(COLORREF& base, COLORREF& light, BOOL bSelection);

// One gradient over the rectangle (GradientFill when it is there and the
// display has more than 256 colours or nearest is FALSE; else 2-pixel
// bands in nearest colours).
void FillGradient(HDC hDC, const RECT& rect, COLORREF from, COLORREF to, BOOL bHorizontal, BOOL bNearest);
// A check mark (Marlett glyph or the item's check bitmaps) in a box.
void DrawCheckMark(HDC hDC, RECT box, HBITMAP hChecked, HBITMAP hUnchecked, UINT nState);
void DrawCheckGlyph(HDC hDC, RECT box, char glyph, UINT nState);
// A rectangle filled, or framed 1 pixel wide, in a solid colour.
void MenuFillSolid(HDC hDC, const RECT& rect, COLORREF colour);
void MenuFrameSolid(HDC hDC, const RECT& rect, COLORREF colour);
// The mark of an item (glyph or bitmap) in the rectangle, without a box.
void DrawItemMark(HDC hDC, const RECT& rect, HBITMAP hChecked, HBITMAP hUnchecked, UINT nState);
