// The drawing styles' colour sources, gradients, check marks, and the
// measurers and painters of CNewMenu that the styles point at.
#include "widgets/menus/MenuStyle.h"

#include <algorithm>

#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"
#include "widgets/menus/NewMenuIcons.h"

using namespace menu_math;

namespace {

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour)
{
    MenuFillSolid(dc, r, colour);
}

// A 1-pixel frame: top and left in one colour, bottom and right in another.
void Frame3d(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

// A rectangle outline in a 1-pixel pen over a hollow brush.
void FrameWithPen(HDC dc, const RECT& r, COLORREF pen)
{
    HPEN p = ::CreatePen(PS_SOLID, 1, pen);
    HGDIOBJ oldPen = ::SelectObject(dc, p);
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(p);
}

LOGFONTA MenuLogFont(BOOL bold)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
        ncm.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    }
    LOGFONTA lf = ncm.lfMenuFont;
    if (bold)
        lf.lfWeight = FW_BOLD;
    return lf;
}

LOGFONTA TitleLogFont(BOOL vertical)
{
    LOGFONTA lf = {};
    lf.lfHeight = 16;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    if (vertical)
        lf.lfEscapement = lf.lfOrientation = 900;
    return lf;
}

SIZE TextExtent(HDC dc, const LOGFONTA& lf, const CString& text)
{
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE s = {0, 0};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &s);
    if (text.IsEmpty()) {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(dc, &tm);
        s.cy = tm.tmHeight;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    return s;
}

// A plain item is composed off screen and copied to the menu in one go.
class ItemBuffer
{
public:
    ItemBuffer(HDC target, const RECT& r) : m_target(target), m_rect(r)
    {
        m_dc = ::CreateCompatibleDC(target);
        m_bitmap = ::CreateCompatibleBitmap(target, std::max(1L, r.right - r.left), std::max(1L, r.bottom - r.top));
        if (m_dc && m_bitmap) {
            m_old = ::SelectObject(m_dc, m_bitmap);
            ::SetWindowOrgEx(m_dc, r.left, r.top, nullptr);
        }
    }
    ~ItemBuffer()
    {
        if (m_dc && m_bitmap)
            ::BitBlt(m_target, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_dc,
                     m_rect.left, m_rect.top, SRCCOPY);
        if (m_old)
            ::SelectObject(m_dc, m_old);
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    HDC Dc() const { return (m_dc && m_bitmap) ? m_dc : m_target; }

private:
    HDC m_target, m_dc = nullptr;
    RECT m_rect;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

struct CheckBitmaps
{
    HBITMAP checked = nullptr, unchecked = nullptr;
};

CheckBitmaps ItemCheckBitmaps(HMENU menu, int pos, UINT_PTR id)
{
    CheckBitmaps b;
    if (!::IsMenu(menu))
        return b;
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_CHECKMARKS;
    BOOL ok = pos >= 0 ? ::GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mii)
                       : ::GetMenuItemInfoA(menu, static_cast<UINT>(id), FALSE, &mii);
    if (ok) {
        b.checked = mii.hbmpChecked;
        b.unchecked = mii.hbmpUnchecked;
    }
    return b;
}

// The caption left and the shortcut right in the text rectangle.
void DrawItemText(HDC dc, RECT r, const CNewMenuItemData* p, UINT state, COLORREF colour)
{
    CString text = p->GetDisplayText();
    int firstTab = text.Find('\t');
    CString caption = firstTab >= 0 ? text.Left(firstTab) : text;
    CString shortcut;
    if (firstTab >= 0) {
        int lastTab = text.ReverseFind('\t');
        shortcut = text.Mid(lastTab + 1);
    }
    LOGFONTA lf = MenuLogFont((state & ODS_DEFAULT) != 0);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    UINT extra = 0;
    if (state & ODS_NOACCEL) {
        BOOL cues = FALSE;
        int os = MenuLibrary().OsClass();
        if (!((os == 6 || os == 7) && ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) && cues))
            extra |= DT_HIDEPREFIX;
    }
    bool rtl = (p->m_nFlags & MFT_RIGHTORDER) != 0;
    UINT captionAlign = rtl ? (DT_RIGHT | DT_RTLREADING) : DT_LEFT;
    UINT shortcutAlign = rtl ? DT_LEFT : DT_RIGHT;
    ::DrawTextA(dc, caption, caption.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | captionAlign | extra);
    if (!shortcut.IsEmpty())
        ::DrawTextA(dc, shortcut, shortcut.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | shortcutAlign | extra);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
}

// The geometry of one item: image column, check box, text rectangle.
struct ItemGeometry
{
    RECT column, box, text, glyph;
    bool rtl;
};

ItemGeometry Geometry(const RECT& rc, const CNewMenuItemData* p, CSize icon, bool classic)
{
    ItemGeometry g;
    g.rtl = (p->m_nFlags & MFT_RIGHTORDER) != 0;
    int width = icon.cx + (classic ? 9 : 8);
    if (g.rtl) {
        g.column = RECT{rc.right - width, rc.top, rc.right, rc.bottom};
        g.text = RECT{rc.left + 15, rc.top, g.column.left - 4, rc.bottom};
    } else {
        g.column = RECT{rc.left, rc.top, rc.left + width, rc.bottom};
        g.text = RECT{g.column.right + 4, rc.top, rc.right - 15, rc.bottom};
    }
    if (classic) {
        int bw = icon.cx + 4, bh = icon.cy + 4;
        int x = g.column.left + (width - bw) / 2, y = rc.top + ((rc.bottom - rc.top) - bh) / 2;
        g.box = RECT{x, y, x + bw, y + bh};
    } else if (g.rtl) {
        g.box = RECT{g.column.left + 2, rc.top + 1, g.column.right - 1, rc.bottom - 1};
    } else {
        g.box = RECT{g.column.left + 1, rc.top + 1, g.column.right - 2, rc.bottom - 1};
    }
    int mid = (rc.top + rc.bottom) / 2, gh = icon.cy + 4;
    g.glyph = RECT{g.column.left - 2, mid - gh / 2, g.column.right + 2, mid - gh / 2 + gh};
    return g;
}

// The part of an item a selection fills: a checked item keeps its column.
RECT SelectionRect(const RECT& rc, const ItemGeometry& g, bool checked)
{
    RECT sel = rc;
    if (checked) {
        if (g.rtl)
            sel.right = g.column.left;
        else
            sel.left = g.column.right;
    }
    return sel;
}

bool Grayed(UINT state)
{
    return (state & ODS_GRAYED) != 0;
}

COLORREF Nearest(HDC dc, COLORREF c)
{
    COLORREF n = ::GetNearestColor(dc, c);
    return n == CLR_INVALID ? c : n;
}

} // namespace

void MenuFillSolid(HDC hDC, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(hDC, &rect, brush);
    ::DeleteObject(brush);
}

void MenuFrameSolid(HDC hDC, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FrameRect(hDC, &rect, brush);
    ::DeleteObject(brush);
}

// ---- colour sources ----------------------------------------------------------------

BOOL MenuFlatMenusOn()
{
    if (MenuLibrary().OsClass() != 7)
        return FALSE;
    BOOL flat = FALSE;
    return ::SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) && flat;
}

namespace {

bool MenuBrushColour(HMENU hMenu, COLORREF& colour)
{
    if (!hMenu || !::IsMenu(hMenu))
        return false;
    MENUINFO mi = {};
    mi.cbSize = sizeof mi;
    mi.fMask = MIM_BACKGROUND;
    LOGBRUSH lb = {};
    if (::GetMenuInfo(hMenu, &mi) && mi.hbrBack && ::GetObjectA(mi.hbrBack, sizeof lb, &lb)) {
        colour = lb.lbColor;
        return true;
    }
    return false;
}

} // namespace

COLORREF MenuColor(HMENU hMenu)
{
    COLORREF c;
    if (MenuBrushColour(hMenu, c))
        return c;
    return MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU);
}

COLORREF MenuBackgroundColor(HMENU hMenu)
{
    COLORREF c;
    if (MenuBrushColour(hMenu, c))
        return c;
    MenuLibrarySetup& lib = MenuLibrary();
    int os = lib.OsClass();
    if (os == 7 && (MenuFlatMenusOn() || lib.IsThemeActive()))
        return Sys(COLOR_MENUBAR);
    return (os == 2 || os == 5) ? Sys(COLOR_MENU) : Sys(COLOR_BTNFACE);
}

COLORREF MenuFaceColor()
{
    int os = MenuLibrary().OsClass();
    return (os == 2 || os == 5) ? Sys(COLOR_MENU) : Sys(COLOR_BTNFACE);
}

int DisplayColorCount()
{
    static int count = [] {
        HDC dc = ::GetDC(nullptr);
        int n = ::GetDeviceCaps(dc, NUMCOLORS);
        ::ReleaseDC(nullptr, dc);
        return n == -1 ? 64000 : n;
    }();
    return count;
}

COLORREF SelectionFillColor()
{
    MenuLibrarySetup& lib = MenuLibrary();
    if (lib.IsHighContrast())
        return Sys(COLOR_HIGHLIGHT);
    if (DisplayColorCount() <= 256)
        return Sys(COLOR_WINDOW);
    COLORREF h = Sys(COLOR_HIGHLIGHT);
    if (!lib.IsThemeActive() && Red(h) + Green(h) + Blue(h) > 384)
        return Blend86(Sys(COLOR_WINDOW), h);
    return Blend70(Sys(COLOR_WINDOW), h);
}

namespace {

COLORREF ReplaceSchemeBase(COLORREF c)
{
    if (c == 0xCCDCD6)
        return 0xAADADA;
    if (c == 0xE6E6E6)
        return 0xE5D7D7;
    if (c == 0xF0C5AC)
        return 0xF5C2A3;
    return c;
}

COLORREF NearestOnScreen(COLORREF c)
{
    HDC dc = ::GetDC(nullptr);
    COLORREF n = dc ? Nearest(dc, c) : c;
    if (dc)
        ::ReleaseDC(nullptr, dc);
    return n;
}

} // namespace

void FlatSchemeColors(COLORREF& base, COLORREF& light, BOOL bSelection)
{
    MenuLibrarySetup& lib = MenuLibrary();
    int os = lib.OsClass();
    if (os == 2 || os == 5) {
        base = light = Sys(COLOR_MENU);
        return;
    }
    int style = lib.CurrentStyle() ? lib.CurrentStyle()->GetStyle() : 8;
    if (style == 10 || style == 11) {
        base = ReplaceSchemeBase(NearestOnScreen(Blend70(ScaleTowardBlack(10, Sys(COLOR_WINDOW)), Sys(COLOR_ACTIVECAPTION))));
        light = ScaleTowardWhite(110, base);
        return;
    }
    if (!lib.IsThemeActive()) {
        base = Sys(COLOR_BTNFACE);
        light = AlphaMix(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 220);
        return;
    }
    COLORREF caption = Sys(COLOR_ACTIVECAPTION);
    COLORREF edge = ScaleTowardBlack(10, Sys(COLOR_WINDOW));
    HANDLE theme = MenuOpenThemeData(nullptr, L"Window");
    if (theme) {
        COLORREF c;
        if (SUCCEEDED(MenuGetThemeColor(theme, 1, 1, 3821, &c)))
            caption = c;
        if (SUCCEEDED(MenuGetThemeColor(theme, 1, 1, 3805, &c)))
            edge = c;
        MenuCloseThemeData(theme);
        if (caption == 0x86B8AA)
            base = 0xAADADA;
        else if (caption == 0xBEA3A4)
            base = 0xE5D7D7;
        else if (caption == 0xE55400)
            base = 0xF5C2A3;
        else
            base = NearestOnScreen(Blend70(edge, caption));
    } else {
        base = ReplaceSchemeBase(NearestOnScreen(Blend70(edge, caption)));
    }
    if (bSelection) {
        light = ScaleTowardWhite(theme ? 110 : 100, base);
    } else {
        light = ScaleTowardWhite(200, base);
        base = ScaleTowardBlack(20, base);
    }
}

// ---- gradients and marks ------------------------------------------------------------

void FillGradient(HDC hDC, const RECT& rect, COLORREF from, COLORREF to, BOOL bHorizontal, BOOL bNearest)
{
    MenuLibrarySetup::GradientFillFn gradient = MenuLibrary().GradientFill();
    bool manyColours = ::GetDeviceCaps(hDC, NUMCOLORS) == -1;
    if ((manyColours || !bNearest) && gradient) {
        TRIVERTEX v[2] = {};
        v[0].x = rect.left;
        v[0].y = rect.top;
        v[0].Red = static_cast<COLOR16>(Red(from) << 8);
        v[0].Green = static_cast<COLOR16>(Green(from) << 8);
        v[0].Blue = static_cast<COLOR16>(Blue(from) << 8);
        v[1].x = rect.right;
        v[1].y = rect.bottom;
        v[1].Red = static_cast<COLOR16>(Red(to) << 8);
        v[1].Green = static_cast<COLOR16>(Green(to) << 8);
        v[1].Blue = static_cast<COLOR16>(Blue(to) << 8);
        GRADIENT_RECT gr = {0, 1};
        gradient(hDC, v, 2, &gr, 1, bHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    bool nearest = bNearest && !manyColours;
    auto pick = [&](COLORREF c) { return nearest ? Nearest(hDC, c) : c; };
    FillSolid(hDC, rect, pick(to));
    int length = bHorizontal ? rect.right - rect.left : rect.bottom - rect.top;
    int d = length - 2;
    if (d <= 0)
        return;
    for (int offset = 0; offset <= d; offset += 2) {
        COLORREF c = pick(BandColour(from, to, offset, d));
        RECT band = bHorizontal ? RECT{rect.left + offset, rect.top, rect.left + offset + 2, rect.bottom}
                                : RECT{rect.left, rect.top + offset, rect.right, rect.top + offset + 2};
        FillSolid(hDC, band, c);
    }
}

void DrawCheckGlyph(HDC hDC, RECT box, char glyph, UINT nState)
{
    ::InflateRect(&box, -2, -2);
    LOGFONTA lf = {};
    lf.lfHeight = box.bottom - box.top;
    lf.lfWeight = (nState & ODS_DEFAULT) ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Marlett", LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(hDC, font);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, Sys((nState & (ODS_GRAYED | ODS_INACTIVE)) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    char text[2] = {glyph, 0};
    ::DrawTextA(hDC, text, 1, &box, DT_SINGLELINE | DT_CENTER);
    ::SelectObject(hDC, old);
    ::DeleteObject(font);
}

namespace {

void DrawBitmapCentred(HDC dc, const RECT& r, HBITMAP bitmap, UINT extra)
{
    BITMAP bm = {};
    if (!::GetObjectA(bitmap, sizeof bm, &bm))
        return;
    int x = r.left + ((r.right - r.left) - bm.bmWidth) / 2;
    int y = r.top + ((r.bottom - r.top) - bm.bmHeight) / 2;
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, x, y, bm.bmWidth, bm.bmHeight,
                 DST_BITMAP | DSS_MONO | extra);
}

void DrawMark(HDC dc, RECT r, HBITMAP hChecked, HBITMAP hUnchecked, UINT nState, bool shiftPlainGlyph)
{
    if (nState & ODS_CHECKED) {
        if (!hChecked) {
            if (shiftPlainGlyph)
                ::OffsetRect(&r, 1, 2);
            DrawCheckGlyph(dc, r, 'b', nState);
        } else if (!hUnchecked) {
            DrawCheckGlyph(dc, r, 'i', nState);
        } else {
            DrawBitmapCentred(dc, r, hChecked, 0);
        }
    } else if (hUnchecked) {
        DrawBitmapCentred(dc, r, hUnchecked, (nState & ODS_DISABLED) ? DSS_DISABLED : 0);
    }
}

} // namespace

void DrawItemMark(HDC hDC, const RECT& rect, HBITMAP hChecked, HBITMAP hUnchecked, UINT nState)
{
    DrawMark(hDC, rect, hChecked, hUnchecked, nState, false);
}

void DrawCheckMark(HDC hDC, RECT box, HBITMAP hChecked, HBITMAP hUnchecked, UINT nState)
{
    ::InflateRect(&box, -1, -1);
    if (MenuLibrary().OsClass() >= 2)
        ::DrawEdge(hDC, &box, BDR_SUNKENOUTER, BF_RECT);
    ::InflateRect(&box, 2, 2);
    DrawMark(hDC, box, hChecked, hUnchecked, nState, true);
}

// ---- the styles' measurers ----------------------------------------------------------

void CNewMenu::MeasureText(LPMEASUREITEMSTRUCT lpMIS, int variant)
{
    CNewMenuItemData* p = FindRecord(lpMIS->itemData);
    int cyMenu = ::GetSystemMetrics(SM_CYMENU);
    if (!p) {
        // An owner-drawn item someone added without a record: a plain row.
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = static_cast<UINT>(cyMenu);
        return;
    }
    HDC screen = ::GetDC(nullptr);
    if (p->IsTitle()) {
        BOOL vertical = (p->m_nTitleFlags & kTitleVertical) != 0;
        SIZE text = TextExtent(screen, TitleLogFont(FALSE), p->GetDisplayText());
        Size image;
        if (p->m_pMenuIcon && p->m_nMenuIconOffset >= 0) {
            CSize s = p->m_pMenuIcon->GetImageSize();
            if (s.cx && s.cy)
                image = Size{s.cx + 2, s.cy + 2};
        }
        int check = MenuLibrary().IsWine() ? 0 : ::GetSystemMetrics(SM_CXMENUCHECK);
        Size s = MeasureTitle(Size{text.cx, text.cy}, image, static_cast<unsigned>(p->m_nTitleFlags), check);
        // Wine draws no item of height 0: there a vertical title is one
        // pixel high (its band spans the popup's height all the same).
        if (vertical && s.cy == 0 && MenuLibrary().IsWine())
            s.cy = 1;
        lpMIS->itemWidth = static_cast<UINT>(std::max(0, s.cx));
        lpMIS->itemHeight = static_cast<UINT>(std::max(0, s.cy));
    } else if (p->IsSeparator()) {
        lpMIS->itemWidth = 3;
        lpMIS->itemHeight = 3;
    } else {
        auto measure = [&](const CNewMenuItemData* item) {
            CString text = item->GetDisplayText();
            if (variant != 0)
                text.Replace("\t", "nnn");
            BOOL bold = m_hMenu && ::GetMenuDefaultItem(m_hMenu, FALSE, 0) == item->m_nID;
            SIZE ts = TextExtent(screen, MenuLogFont(bold), text);
            Painter painter = variant == 0 ? Painter::Classic : variant == 1 ? Painter::Shaded : Painter::Flat;
            return MeasurePlainItem(painter, Size{ts.cx, ts.cy}, Size{m_iconX, m_iconY}, cyMenu,
                                    (item->m_nFlags & MF_POPUP) != 0);
        };
        Size s = measure(p);
        UINT_PTR masked = p->m_nID & 0xFFF0;
        if (!(p->m_nFlags & MF_POPUP) && masked >= 0xF000 && masked <= 0xF150) {
            int pos = PositionOfRecord(p);
            for (int i = pos + 1; pos >= 0 && i < GetRecordCount(); ++i) {
                if (m_MenuItemList[static_cast<size_t>(i)]->m_nID != 0) {
                    s.cx = std::max(s.cx, measure(m_MenuItemList[static_cast<size_t>(i)]).cx);
                    break;
                }
            }
            s.cy = cyMenu;
        }
        lpMIS->itemWidth = static_cast<UINT>(s.cx);
        lpMIS->itemHeight = static_cast<UINT>(s.cy);
    }
    ::ReleaseDC(nullptr, screen);
}

void CNewMenu::MeasureClassic(LPMEASUREITEMSTRUCT lpMIS, BOOL)
{
    MeasureText(lpMIS, 0);
}

void CNewMenu::MeasureShaded(LPMEASUREITEMSTRUCT lpMIS, BOOL)
{
    MeasureText(lpMIS, 1);
}

void CNewMenu::MeasureFlat(LPMEASUREITEMSTRUCT lpMIS, BOOL)
{
    MeasureText(lpMIS, 2);
}

// ---- the styles' painters -----------------------------------------------------------

void CNewMenu::DrawClassic(LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* p = FindRecord(lpDIS->itemData);
    RECT rc = lpDIS->rcItem;
    UINT state = lpDIS->itemState;
    if (p->IsSeparator()) {
        FillSolid(lpDIS->hDC, rc, Sys(COLOR_MENU));
        RECT line = rc;
        line.left += 1;
        line.top += 1;
        ::DrawEdge(lpDIS->hDC, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    ItemBuffer buffer(lpDIS->hDC, rc);
    HDC dc = buffer.Dc();
    ItemGeometry g = Geometry(rc, p, GetIconSize(), true);
    CheckBitmaps marks = ItemCheckBitmaps(reinterpret_cast<HMENU>(lpDIS->hwndItem), PositionOfRecord(p), p->m_nID);
    bool checked = (state & ODS_CHECKED) != 0;
    bool selected = (state & ODS_SELECTED) != 0;
    FillSolid(dc, rc, Sys(COLOR_MENU));
    if (selected)
        FillSolid(dc, SelectionRect(rc, g, checked), Sys(COLOR_HIGHLIGHT));
    if (checked || marks.unchecked)
        DrawCheckMark(dc, g.box, marks.checked, marks.unchecked, state);
    if (Grayed(state) && !selected) {
        RECT emboss = g.text;
        ::OffsetRect(&emboss, 1, 1);
        DrawItemText(dc, emboss, p, state, Sys(COLOR_BTNHIGHLIGHT));
        DrawItemText(dc, g.text, p, state, Sys(COLOR_GRAYTEXT));
    } else {
        COLORREF colour = Grayed(state) ? Sys(COLOR_MENU) : Sys(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        DrawItemText(dc, g.text, p, state, colour);
    }
}

void CNewMenu::DrawShaded(LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* p = FindRecord(lpDIS->itemData);
    RECT rc = lpDIS->rcItem;
    UINT state = lpDIS->itemState;
    bool highContrast = MenuLibrary().IsHighContrast() != FALSE;
    COLORREF base = MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU);
    COLORREF dark = ScaleTowardBlack(60, base);
    COLORREF light = ScaleTowardWhite(60, base);
    if (highContrast)
        dark = light = Sys(COLOR_BTNTEXT);
    if (p->IsSeparator()) {
        FillSolid(lpDIS->hDC, rc, light);
        RECT line = {rc.left + 1, rc.top, rc.right - 1, rc.bottom};
        ::DrawEdge(lpDIS->hDC, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    ItemBuffer buffer(lpDIS->hDC, rc);
    HDC dc = buffer.Dc();
    COLORREF greyText = highContrast ? Sys(COLOR_BTNSHADOW) : Nearest(dc, ScaleTowardBlack(70, dark));
    ItemGeometry g = Geometry(rc, p, GetIconSize(), true);
    CheckBitmaps marks = ItemCheckBitmaps(reinterpret_cast<HMENU>(lpDIS->hwndItem), PositionOfRecord(p), p->m_nID);
    bool checked = (state & ODS_CHECKED) != 0;
    bool selected = (state & ODS_SELECTED) != 0;
    if (highContrast)
        FillSolid(dc, rc, base);
    else
        FillGradient(dc, rc, ScaleTowardWhite(30, base), ScaleTowardBlack(30, base), FALSE, TRUE);
    if (selected) {
        RECT sel = SelectionRect(rc, g, checked);
        COLORREF h = Sys(COLOR_HIGHLIGHT);
        if (highContrast)
            FillSolid(dc, sel, h);
        else
            FillGradient(dc, sel, ScaleTowardWhite(30, h), ScaleTowardBlack(30, h), FALSE, TRUE);
        Frame3d(dc, sel, dark, light);
    }
    if (checked || marks.unchecked)
        DrawCheckMark(dc, g.box, marks.checked, marks.unchecked, state);
    COLORREF colour = Sys(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (Grayed(state))
        colour = selected ? base : greyText;
    DrawItemText(dc, g.text, p, state, colour);
}

namespace {

// The flat and scheme painters share everything but the colours.
struct FlatColours
{
    COLORREF column, area, selection, box, selectedBox, pen;
    bool gradientColumn;
    COLORREF scheme;
};

void PaintFlatItem(CNewMenu* menu, LPDRAWITEMSTRUCT lpDIS, CNewMenuItemData* p, const FlatColours& c)
{
    RECT rc = lpDIS->rcItem;
    UINT state = lpDIS->itemState;
    ItemGeometry g = Geometry(rc, p, menu->GetIconSize(), false);
    auto background = [&](HDC dc) {
        if (c.gradientColumn)
            FillGradient(dc, g.column, g.rtl ? c.scheme : c.area, g.rtl ? c.area : c.scheme, TRUE, FALSE);
        else
            FillSolid(dc, g.column, c.column);
        RECT rest = rc;
        if (g.rtl)
            rest.right = g.column.left;
        else
            rest.left = g.column.right;
        FillSolid(dc, rest, c.area);
    };
    if (p->IsSeparator()) {
        background(lpDIS->hDC);
        int y = (rc.top + rc.bottom) / 2;
        RECT line = g.rtl ? RECT{rc.left, y, g.text.right, y + 1} : RECT{g.text.left, y, rc.right, y + 1};
        FillSolid(lpDIS->hDC, line, Sys(COLOR_GRAYTEXT));
        return;
    }
    ItemBuffer buffer(lpDIS->hDC, rc);
    HDC dc = buffer.Dc();
    CheckBitmaps marks = ItemCheckBitmaps(reinterpret_cast<HMENU>(lpDIS->hwndItem), -1, p->m_nID);
    bool checked = (state & ODS_CHECKED) != 0;
    bool selected = (state & ODS_SELECTED) != 0;
    background(dc);
    if (selected && !(state & ODS_INACTIVE)) {
        FillSolid(dc, rc, c.selection);
        FrameWithPen(dc, rc, c.pen);
    }
    if (checked || marks.unchecked) {
        FillSolid(dc, g.box, selected ? c.selectedBox : c.box);
        FrameWithPen(dc, g.box, c.pen);
        DrawItemMark(dc, g.glyph, marks.checked, marks.unchecked, state);
    }
    COLORREF colour = Sys(COLOR_MENUTEXT);
    if (Grayed(state))
        colour = Sys(COLOR_GRAYTEXT);
    else if (MenuLibrary().IsHighContrast() && !selected)
        colour = Sys(COLOR_WINDOWTEXT);
    DrawItemText(dc, g.text, p, state, colour);
}

} // namespace

void CNewMenu::DrawFlat(LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* p = FindRecord(lpDIS->itemData);
    bool fewColours = DisplayColorCount() <= 256;
    COLORREF menu = MenuBackgroundColor(m_hMenu);
    FlatColours c = {};
    c.area = Blend86(Sys(COLOR_WINDOW), menu);
    c.column = fewColours ? Sys(COLOR_BTNFACE) : Blend86(menu, Sys(COLOR_WINDOW));
    if (Nearest(lpDIS->hDC, c.column) == Nearest(lpDIS->hDC, c.area)) {
        c.area = Sys(COLOR_WINDOW);
        c.column = menu;
    }
    c.selection = SelectionFillColor();
    c.pen = Sys(MenuLibrary().IsHighContrast() ? COLOR_BTNTEXT : COLOR_HIGHLIGHT);
    c.box = Blend86(c.column, Sys(COLOR_HIGHLIGHT));
    c.selectedBox = fewColours ? c.selection : Blend86(c.selection, Sys(COLOR_HIGHLIGHT));
    c.gradientColumn = false;
    PaintFlatItem(this, lpDIS, p, c);
}

void CNewMenu::DrawScheme(LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* p = FindRecord(lpDIS->itemData);
    MenuLibrarySetup& lib = MenuLibrary();
    COLORREF window10 = ScaleTowardBlack(10, Sys(COLOR_WINDOW));
    FlatColours c = {};
    c.area = Blend86(window10, MenuFlatMenusOn() ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU));
    COLORREF light;
    FlatSchemeColors(c.scheme, light, TRUE);
    if (Nearest(lpDIS->hDC, c.scheme) == Nearest(lpDIS->hDC, c.area))
        c.area = window10;
    c.pen = Sys(lib.IsHighContrast() ? COLOR_BTNTEXT : COLOR_HIGHLIGHT);
    int style = lib.CurrentStyle() ? lib.CurrentStyle()->GetStyle() : 8;
    if (lib.IsThemeActive() || style == 10 || style == 11) {
        c.selection = 0xC2EEFF;
        c.box = 0x6FC0FF;
        c.selectedBox = 0x3E80FE;
    } else {
        c.selection = SelectionFillColor();
        c.box = c.selectedBox = Blend86(c.selection, Sys(COLOR_HIGHLIGHT));
    }
    c.column = c.scheme;
    c.gradientColumn = true;
    PaintFlatItem(this, lpDIS, p, c);
}

void CNewMenu::DrawTitle(LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* p = FindRecord(lpDIS->itemData);
    if (!p)
        return;
    HDC dc = lpDIS->hDC;
    CNewMenuItemDataTitle* t = dynamic_cast<CNewMenuItemDataTitle*>(p);
    int flags = p->m_nTitleFlags;
    bool vertical = (flags & kTitleVertical) != 0;
    COLORREF menuColour = (MenuLibrary().OsClass() == 7 && MenuFlatMenusOn()) ? Sys(COLOR_MENUBAR) : Sys(COLOR_MENU);
    COLORREF band = Sys(COLOR_ACTIVECAPTION), second = Blend86(Sys(COLOR_WINDOW), menuColour),
             text = Sys(COLOR_CAPTIONTEXT);
    if (t) {
        if (t->m_clrLeft != CLR_DEFAULT)
            band = t->m_clrLeft;
        if (t->m_clrRight != CLR_DEFAULT)
            second = t->m_clrRight;
        if (t->m_clrTitle != CLR_DEFAULT)
            text = t->m_clrTitle;
    }
    SIZE image = {0, 0};
    HICON icon = nullptr;
    if (p->m_pMenuIcon && p->m_nMenuIconOffset >= 0) {
        CSize s = p->m_pMenuIcon->GetImageSize();
        image = SIZE{s.cx + 4, s.cy + 4};
        icon = p->m_pMenuIcon->ImageList().ExtractIcon(p->m_nMenuIconOffset);
    }
    CString caption = p->GetDisplayText();
    LOGFONTA lf = TitleLogFont(vertical);
    HFONT font = ::CreateFontIndirectA(&lf);
    SIZE ts = TextExtent(dc, TitleLogFont(FALSE), caption);

    RECT r = lpDIS->rcItem;
    int x, y;
    if (vertical) {
        RECT client;
        HWND wnd = ::WindowFromDC(dc);
        if (!wnd || !::GetClientRect(wnd, &client))
            ::GetClipBox(dc, &client);
        r.top = client.top;
        r.bottom = client.bottom;
        r.right += ::GetSystemMetrics(SM_CXMENUCHECK);
        x = r.left + 2;
        y = client.bottom - image.cy - 4;
    } else {
        x = r.left + image.cx + 2;
        y = r.top;
    }
    if (flags & kTitleGradient) {
        if (vertical)
            FillGradient(dc, r, second, band, FALSE, TRUE);
        else
            FillGradient(dc, r, band, second, TRUE, TRUE);
    } else if (flags & kTitleRounded) {
        if (vertical) {
            y -= 2;
            r.right = r.left + ts.cy + 4;
        } else {
            x += std::min(10L, ((r.right - r.left) - ts.cx - image.cx) / 2);
        }
        HBRUSH brush = ::CreateSolidBrush(band);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(WHITE_PEN));
        ::RoundRect(dc, r.left, r.top, r.right, r.bottom, 10, 10);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(brush);
    } else {
        FillSolid(dc, r, band);
    }
    if (flags & kTitleSunken)
        Frame3d(dc, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
    if (flags & kTitleCentred) {
        if (vertical)
            y = r.bottom - ((r.bottom - r.top) - ts.cx - image.cy) / 2 - image.cy;
        else
            x = r.left + ((r.right - r.left) - ts.cx - image.cx) / 2 + image.cx;
    }
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, text);
    ::TextOutA(dc, x, y, caption, caption.GetLength());
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    if (icon) {
        int ix = vertical ? x : x - image.cx;
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, ix, y + 2, image.cx - 4, image.cy - 4,
                     DST_ICON);
        ::DestroyIcon(icon);
    }
    if (flags & kTitleEtched) {
        if (vertical) {
            RECT a = {r.left + 20, r.top + 5, r.left + 22, r.bottom - 5};
            Frame3d(dc, a, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
            RECT b = {a.left + 3, a.top + 10, a.right + 3, a.bottom - 10};
            Frame3d(dc, b, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        } else {
            RECT a = {r.left + 2, r.bottom - 7, r.right - 2, r.bottom - 5};
            Frame3d(dc, a, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
            RECT b = {a.left + 10, a.top + 3, a.right - 10, a.bottom + 3};
            Frame3d(dc, b, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        }
    }
}
