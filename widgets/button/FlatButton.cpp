#include "widgets/button/FlatButton.h"

#include <vector>

#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/HexToColor.h"
#include "foundation/drawing/MemDC.h"
#include "framework/ui/MessageMap.h"
#include "framework/win/AppState.h"
#include "widgets/button/ButtonMath.h"
#include "widgets/drawing/MaskedBitmap.h"

BEGIN_MESSAGE_MAP(CFlatButton, CButton)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_ACTIVATE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_GETDLGCODE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_MESSAGE(BM_SETSTYLE, &CFlatButton::OnSetStyle)
    ON_MESSAGE(BM_GETCHECK, &CFlatButton::OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, &CFlatButton::OnSetCheck)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CFlatButton::OnClicked)
END_MESSAGE_MAP()

namespace {

const UINT_PTR kRepeatTimer = 1;
const UINT kRepeatFirstMs = 300;
const UINT kRepeatNextMs = 100;
const int kPressedOffset = 1;
const UINT kToolId = 1;

CDC* g_pSkinDC = nullptr;

// A copy of bitmap (width x height) darkened by 12 % except its key colour.
HBITMAP DarkenedCopy(HBITMAP bitmap, int width, int height, COLORREF key)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = nullptr;
    if (::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS)) {
        for (uint32_t& p : pixels) {
            // DIB pixels are 0x00RRGGBB; the arithmetic takes 0x00BBGGRR.
            const uint32_t colour = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
            const uint32_t dark = FlatButtonDarken(colour, key);
            p = ((dark >> 16) & 0xFF) | (dark & 0xFF00) | ((dark & 0xFF) << 16);
        }
        copy = ::CreateCompatibleBitmap(screen, width, height);
        if (copy && !::SetDIBits(screen, copy, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS)) {
            ::DeleteObject(copy);
            copy = nullptr;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return copy;
}

} // namespace

void BlitBitmap(CDC* pDC, const RECT& dest, CBitmap* pBitmap, BOOL stretch, BOOL andMode)
{
    if (!pDC || !pBitmap || !pBitmap->GetSafeHandle())
        return;
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ old = ::SelectObject(source, *pBitmap);
    const DWORD rop = andMode ? SRCAND : SRCCOPY;
    const int width = dest.right - dest.left, height = dest.bottom - dest.top;
    if (stretch) {
        BITMAP info = {};
        pBitmap->GetBitmap(&info);
        ::StretchBlt(*pDC, dest.left, dest.top, width, height, source, 0, 0, info.bmWidth, info.bmHeight, rop);
    } else {
        ::BitBlt(*pDC, dest.left, dest.top, width, height, source, 0, 0, rop);
    }
    ::SelectObject(source, old);
}

void CFlatButton::SetSkinDC(CDC* pSkinDC)
{
    g_pSkinDC = pSkinDC;
}

CFlatButton::CFlatButton()
{
    // Loaded cursors are shared by the system: never destroyed here.
    m_hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_FLATBUTTON_HAND));
    if (!m_hCursor)
        m_hCursor = ::LoadCursorA(nullptr, IDC_HAND);
}

CFlatButton::~CFlatButton()
{
    DestroyWindow();
    FreeImages();
    FreeBackground();
}

// --- attributes -----------------------------------------------------------------------

void CFlatButton::SetPointFont(const CString& face, int tenthsOfPoint)
{
    m_font.DeleteObject();
    m_font.CreatePointFont(tenthsOfPoint, face);
    Invalidate(FALSE);
}

void CFlatButton::SetTextColorHex(const CString& hex)
{
    if (hex.IsEmpty()) {
        m_bDefaultColour = true;
    } else {
        m_clrText = HexToColor(hex);
        m_bDefaultColour = false;
    }
    Invalidate(FALSE);
}

BOOL CFlatButton::EnsureToolTip()
{
    if (m_tooltip.GetSafeHwnd())
        return TRUE;
    if (!m_hWnd || !m_tooltip.Create(this, m_dwTooltipStyle))
        return FALSE;
    m_tooltip.Activate(FALSE);
    m_tooltip.SetMaxTipWidth(400);
    return TRUE;
}

void CFlatButton::SetTooltipText(LPCSTR text, BOOL activate)
{
    if (!text || !EnsureToolTip())
        return;
    if (m_tooltip.GetToolCount() == 0) {
        CRect client;
        GetClientRect(&client);
        m_tooltip.AddTool(this, text, &client, kToolId);
    }
    m_tooltip.UpdateTipText(text, this, kToolId);
    m_tooltip.Activate(activate);
}

void CFlatButton::FreeImages()
{
    for (Image& image : m_images) {
        if (image.bitmap)
            ::DeleteObject(image.bitmap);
        image.bitmap = nullptr;
        image.width = image.height = 0;
        image.mask.DeleteObject();
    }
}

int CFlatButton::SetBitmaps(HBITMAP first, COLORREF firstKey, HBITMAP second, COLORREF secondKey)
{
    FreeImages();
    if (!first) {
        Invalidate(FALSE);
        return 0;
    }
    Image& one = m_images[0];
    one.bitmap = first;
    one.key = firstKey;
    if (!GetBitmapSize(first, &one.width, &one.height)) {
        one.bitmap = nullptr; // not ours to delete: it could not be read
        FreeImages();
        return 1;
    }
    if (second == FLATBUTTON_DARKEN_FIRST) {
        second = DarkenedCopy(first, one.width, one.height, firstKey);
        secondKey = firstKey;
        if (!second) {
            FreeImages();
            return 1;
        }
    }
    if (!BuildTransparencyMask(first, firstKey, 0, 0, one.mask)) {
        FreeImages();
        if (second)
            ::DeleteObject(second);
        return 2;
    }
    if (second) {
        Image& two = m_images[1];
        two.bitmap = second;
        two.key = secondKey;
        if (!GetBitmapSize(second, &two.width, &two.height)) {
            two.bitmap = nullptr;
            FreeImages();
            return 1;
        }
        if (!BuildTransparencyMask(second, secondKey, 0, 0, two.mask)) {
            FreeImages();
            return 2;
        }
    }
    Invalidate(FALSE);
    return 0;
}

// --- subclassing and styles ---------------------------------------------------------------

void CFlatButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const UINT type = GetStyle() & 0x1F;
    if (type == BS_DEFPUSHBUTTON)
        m_bDefaultButton = TRUE;
    ModifyStyle(0x1F, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

LRESULT CFlatButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    const UINT type = static_cast<UINT>(wParam) & 0x1F;
    if (type == 0 || type == BS_DEFPUSHBUTTON)
        m_bDefaultButton = type == BS_DEFPUSHBUTTON;
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(0x1F)) | BS_OWNERDRAW, lParam);
}

UINT CFlatButton::OnGetDlgCode()
{
    UINT code = static_cast<UINT>(Default());
    code |= m_bDefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return code;
}

LRESULT CFlatButton::OnGetCheck(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CFlatButton::OnSetCheck(WPARAM, LPARAM)
{
    return 0;
}

HBRUSH CFlatButton::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CFlatButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CFlatButton::OnClicked()
{
    SetFocus();
    if (m_tooltip.GetSafeHwnd() && m_tooltip.GetToolCount() > 0)
        m_tooltip.Activate(TRUE);
    return FALSE;
}

BOOL CFlatButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.RelayEvent(pMsg);
    if (pMsg->message == WM_LBUTTONDBLCLK)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

// --- hover --------------------------------------------------------------------------------------

BOOL CFlatButton::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CFlatButton::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if ((nFlags & MK_LBUTTON) && !m_bHover)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd) {
        if (!m_bHover) {
            m_bHover = TRUE;
            Invalidate(FALSE);
            if (m_tooltip.GetSafeHwnd())
                m_tooltip.Pop();
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
        }
    } else if (m_bHover) {
        m_bHover = FALSE;
        Invalidate(FALSE);
    }
}

void CFlatButton::ClearHover()
{
    if (m_bHover) {
        m_bHover = FALSE;
        Invalidate(FALSE);
    }
}

void CFlatButton::OnMouseLeave()
{
    Default();
    ClearHover();
}

void CFlatButton::OnKillFocus(CWnd*)
{
    Default();
    ClearHover();
}

void CFlatButton::OnCancelMode()
{
    Default();
    ClearHover();
}

void CFlatButton::OnActivate(UINT nState, CWnd*, BOOL)
{
    Default();
    if (nState == WA_INACTIVE)
        ClearHover();
}

void CFlatButton::OnEnable(BOOL bEnable)
{
    Default();
    if (!bEnable)
        ClearHover();
}

// --- presses and auto-repeat --------------------------------------------------------------------

void CFlatButton::PostMouse(UINT message, UINT nFlags, CPoint point) const
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    parent->PostMessage(message, nFlags, MAKELPARAM(screen.x, screen.y));
}

void CFlatButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    StartPress(nFlags, point);
    Default();
}

void CFlatButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A fast second click counts as a click (whatever loop dispatched it).
    StartPress(nFlags, point);
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CFlatButton::StartPress(UINT nFlags, CPoint point)
{
    if (m_bAutoRepeat) {
        SetTimer(kRepeatTimer, kRepeatFirstMs);
        m_nRepeatCount = 0;
    } else {
        PostMouse(WM_LBUTTONDOWN, nFlags, point);
    }
}

void CFlatButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bAutoRepeat) {
        PostMouse(WM_LBUTTONUP, nFlags, point);
        Default();
        return;
    }
    KillTimer(kRepeatTimer);
    const bool pushed = (GetState() & BST_PUSHED) != 0;
    ::ReleaseCapture();
    if (m_bHover && pushed && m_nRepeatCount == 0) {
        CWnd* parent = GetParent();
        if (parent)
            parent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                reinterpret_cast<LPARAM>(m_hWnd));
    }
    m_nRepeatCount = 0;
    SetState(FALSE);
}

void CFlatButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRepeatTimer) {
        Default();
        return;
    }
    if (GetState() & BST_PUSHED) {
        SetTimer(kRepeatTimer, kRepeatNextMs);
        CWnd* parent = GetParent();
        if (parent)
            parent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                reinterpret_cast<LPARAM>(m_hWnd));
        ++m_nRepeatCount;
    }
}

// --- lifetime ---------------------------------------------------------------------------------

void CFlatButton::FreeBackground()
{
    if (m_backgroundDC.GetSafeHdc()) {
        ::SelectObject(m_backgroundDC, m_hOldBackground);
        m_backgroundDC.DeleteDC();
    }
    m_hOldBackground = nullptr;
    m_backgroundBitmap.DeleteObject();
}

void CFlatButton::OnSysColorChange()
{
    Default();
    FreeBackground();
    Invalidate(FALSE);
}

void CFlatButton::OnDestroy()
{
    KillTimer(kRepeatTimer);
    m_tooltip.DestroyWindow();
    Default();
}

// --- drawing ---------------------------------------------------------------------------------------

void CFlatButton::DrawFace(CDC* pDC, const CRect& item)
{
    if (m_bSkinBackground && g_pSkinDC && g_pSkinDC->GetSafeHdc()) {
        if (!m_backgroundDC.GetSafeHdc()) {
            CRect window;
            GetWindowRect(&window);
            CWnd* parent = GetParent();
            if (parent)
                parent->ScreenToClient(&window);
            if (m_backgroundDC.CreateCompatibleDC(g_pSkinDC) &&
                m_backgroundBitmap.CreateCompatibleBitmap(g_pSkinDC, item.Width(), item.Height())) {
                m_hOldBackground = ::SelectObject(m_backgroundDC, m_backgroundBitmap);
                m_backgroundDC.BitBlt(0, 0, item.Width(), item.Height(), g_pSkinDC, window.left, window.top,
                                      SRCCOPY);
            } else {
                FreeBackground();
            }
        }
        if (m_backgroundDC.GetSafeHdc()) {
            pDC->BitBlt(0, 0, item.Width(), item.Height(), &m_backgroundDC, 0, 0, SRCCOPY);
            return;
        }
    }
    pDC->FillSolidRect(&item, ::GetSysColor(COLOR_BTNFACE));
}

void CFlatButton::DrawGlass(CDC* pDC, const CRect& item, BOOL pressed)
{
    CRect r(item.left + 1, item.top + 1, item.right - 2, item.bottom - 2);
    const int h = r.Height();
    if (pressed)
        r.OffsetRect(kPressedOffset, kPressedOffset);
    if (m_bRedGlass) {
        GradientFillRect(pDC, r, 0xDDDDFA, 0xA9A9FC);
        GradientFillRect(pDC, CRect(r.left, r.top + h / 2, r.right, r.bottom), 0xBEBEFF, 0x6E6EFF);
    } else if (m_bBlueGlass) {
        GradientFillRect(pDC, r, 0xFDF6EA, 0xFCF0D9);
        GradientFillRect(pDC, CRect(r.left, r.top + h / 2, r.right, r.bottom), 0xFDE6BE, 0xF5D9A7);
    } else if (m_bOrangeGlass) {
        GradientFillRect(pDC, r, 0xFFFFFF, 0x82CEFE);
    }
}

void CFlatButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pTarget = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pTarget)
        return;
    const CRect item(lpDrawItemStruct->rcItem);
    MemDC mem(pTarget, &item);
    CDC* pDC = &mem;
    pDC->SetBkMode(TRANSPARENT);
    m_bPressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    m_bDisabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;

    DrawFace(pDC, item);
    if (m_bRoundFrame && m_bHover) {
        CDCSelect brush(*pDC, *CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH))));
        CPen outer(PS_SOLID, 1, 0xFF8080);
        CPen inner(PS_SOLID, 1, 0xFFC0C0);
        {
            CDCSelect pen(*pDC, outer);
            pDC->RoundRect(item.left, item.top, item.right, item.bottom, 5, 5);
            pDC->RoundRect(item.left + 1, item.top + 1, item.right - 1, item.bottom - 1, 5, 5);
        }
        CDCSelect pen(*pDC, inner);
        pDC->RoundRect(item.left + 2, item.top + 2, item.right - 2, item.bottom - 2, 5, 5);
    }
    if (m_bFloodFill && m_bHover)
        ::FloodFill(*pDC, item.left, item.top, RGB(255, 255, 255));

    CString caption;
    GetWindowText(caption);
    if (m_images[0].bitmap) {
        pDC->SetBkColor(RGB(255, 255, 255));
        DrawImage(pDC, !caption.IsEmpty(), item, item, m_bPressed, m_bDisabled);
    }
    if (m_bGlass && m_bHover)
        DrawGlass(pDC, item, m_bPressed);
    if (!caption.IsEmpty())
        DrawCaption(pDC, caption, item, item, m_bPressed, m_bDisabled);
    if (m_bTopBar && m_bHover) {
        CRect bar = item;
        if (m_bPressed)
            bar.OffsetRect(kPressedOffset, kPressedOffset);
        const int b = FlatButtonTopBarInset(bar.Width());
        CPen green(PS_SOLID, 1, RGB(0, 255, 0));
        CDCSelect pen(*pDC, green);
        pDC->MoveTo(b, bar.top + 1);
        pDC->LineTo(bar.right - b, bar.top + 1);
        pDC->MoveTo(b, bar.top + 2);
        pDC->LineTo(bar.right - b, bar.top + 2);
    }
    if (m_bEdge && m_bHover) {
        CRect edge = item;
        pDC->DrawEdge(&edge, EDGE_BUMP, BF_RECT);
    }
}

void CFlatButton::DrawImage(CDC* pDC, BOOL, const CRect& item, const CRect&, BOOL pressed, BOOL disabled)
{
    const Image& image = (!pressed && !m_bHover && m_images[1].bitmap) ? m_images[1] : m_images[0];
    int x = item.left, y = item.top;
    if (pressed) {
        x += kPressedOffset;
        y += kPressedOffset;
    }
    if (!disabled) {
        DrawMaskedBitmap(pDC, x, y, image.width, image.height, image.bitmap, image.mask);
        return;
    }
    // Disabled: the image over white through its mask, embossed by DrawState.
    CDC work;
    CBitmap composed;
    if (!work.CreateCompatibleDC(pDC) || !composed.CreateCompatibleBitmap(pDC, image.width, image.height))
        return;
    HGDIOBJ old = ::SelectObject(work, composed);
    work.FillSolidRect(0, 0, image.width, image.height, RGB(255, 255, 255));
    DrawMaskedBitmap(&work, 0, 0, image.width, image.height, image.bitmap, image.mask);
    ::SelectObject(work, old);
    ::DrawStateA(*pDC, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<HBITMAP>(composed)), 0, x, y,
                 image.width, image.height, DST_BITMAP | DSS_DISABLED);
}

void CFlatButton::DrawCaption(CDC* pDC, const CString& text, const CRect&, const CRect& caption, BOOL pressed,
                              BOOL disabled)
{
    CRect r = caption;
    if (pressed)
        r.OffsetRect(kPressedOffset, kPressedOffset);
    pDC->SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = m_font.GetSafeHandle() ? ::SelectObject(*pDC, m_font) : nullptr;
    COLORREF colour = m_bDefaultColour ? RGB(0, 0, 0) : m_clrText;
    if (m_bGlass && m_bHover)
        colour = RGB(0, 0, 0);
    if (disabled) {
        CRect shifted = r;
        shifted.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(text, &shifted, DT_WORDBREAK | DT_CENTER);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        pDC->DrawText(text, &r, DT_WORDBREAK | DT_CENTER);
    } else {
        CRect measured = r;
        pDC->DrawText(text, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        measured.OffsetRect((r.Width() - measured.Width()) / 2 + r.left - measured.left,
                            (r.Height() - measured.Height()) / 2 + r.top - measured.top);
        pDC->SetTextColor(colour);
        pDC->DrawText(text, &measured, DT_WORDBREAK | DT_CENTER | DT_VCENTER);
    }
    if (oldFont)
        ::SelectObject(*pDC, oldFont);
}
