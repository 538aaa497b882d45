#include "widgets/colourpicker/ColourPicker.h"

#include <algorithm>

#include "framework/ui/CDC.h"
#include "framework/ui/MessageMap.h"
#include "framework/ui/Prompts.h"

namespace {

const char kPopupClass[] = "TavrixColourPopup";
const int kBoxSize = 18;

void RegisterPopupClass()
{
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = kPopupClass;
        return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
}

CRect ToRect(const ColourGridBox& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

} // namespace

// ===== CColourGridPopup =====================================================================

BEGIN_MESSAGE_MAP(CColourGridPopup, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_ACTIVATEAPP, &CColourGridPopup::OnActivateApp)
    ON_MESSAGE(WM_QUERYNEWPALETTE, &CColourGridPopup::OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, &CColourGridPopup::OnPaletteChanged)
END_MESSAGE_MAP()

CColourGridPopup* CColourGridPopup::Open(CPoint topLeft, COLORREF colour, CColourPicker* pPicker,
                                         const CString& defaultText, const CString& customText)
{
    CColourGridPopup* popup = new CColourGridPopup(colour, pPicker, defaultText, customText);
    if (!popup->CreatePopup(topLeft)) {
        delete popup;
        return nullptr;
    }
    return popup;
}

CColourGridPopup::CColourGridPopup(COLORREF colour, CColourPicker* pPicker, const CString& defaultText,
                                   const CString& customText)
    : m_strDefault(defaultText), m_strCustom(customText), m_clrOpening(colour), m_clrChosen(colour),
      m_pPicker(pPicker)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfMessageFont);
    // The table's colours as a palette (realised on palette devices only).
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[kColourGridCount - 1];
    } palette = {};
    palette.header.palVersion = 0x300;
    palette.header.palNumEntries = kColourGridCount;
    PALETTEENTRY* entries = palette.header.palPalEntry;
    for (int i = 0; i < kColourGridCount; ++i) {
        const COLORREF c = kColourGridTable[i].colour;
        entries[i] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0};
    }
    m_palette.CreatePalette(&palette.header);
}

BOOL CColourGridPopup::CreatePopup(CPoint topLeft)
{
    RegisterPopupClass();
    if (!CreateEx(0, kPopupClass, "", WS_POPUP | WS_VISIBLE, topLeft.x, topLeft.y, 100, 100,
                  m_pPicker ? m_pPicker->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    m_bCreated = TRUE;
    Layout(topLeft);
    if (m_tooltip.Create(this)) {
        for (int i = 0; i < kColourGridCount; ++i) {
            const CRect cell = ToRect(ColourGridCellBox(m_layout, i));
            m_tooltip.AddTool(this, kColourGridTable[i].name, &cell, static_cast<UINT_PTR>(i + 1));
        }
    }
    m_nInitial = ColourGridInitial(m_clrOpening, !m_strDefault.IsEmpty(), !m_strCustom.IsEmpty());
    SetCapture();
    return TRUE;
}

void CColourGridPopup::Layout(CPoint topLeft)
{
    const int margin = ::GetSystemMetrics(SM_CXEDGE);
    const int boxSize = std::max(kBoxSize, 2 * margin + 7);
    int textWidth = 0, textHeight = 0;
    if (!m_strDefault.IsEmpty() || !m_strCustom.IsEmpty()) {
        CClientDC dc(this);
        HGDIOBJ old = m_font.GetSafeHandle() ? ::SelectObject(dc, m_font) : nullptr;
        for (const CString* text : {&m_strDefault, &m_strCustom}) {
            const CSize size = dc.GetTextExtent(*text);
            textWidth = std::max(textWidth, static_cast<int>(size.cx));
            textHeight = std::max(textHeight, static_cast<int>(size.cy));
        }
        if (old)
            ::SelectObject(dc, old);
    }
    m_layout = ColourGridLayoutFor(margin, boxSize, !m_strDefault.IsEmpty(), !m_strCustom.IsEmpty(), textWidth,
                                   textHeight);
    m_rcWindow = CRect(topLeft.x, topLeft.y, topLeft.x + m_layout.width, topLeft.y + m_layout.height);
    // Keep it on the screen: above the picker when it would leave the bottom.
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_rcWindow.right > screenWidth)
        m_rcWindow.OffsetRect(screenWidth - m_rcWindow.right, 0);
    if (m_rcWindow.left < 0)
        m_rcWindow.OffsetRect(-m_rcWindow.left, 0);
    if (m_rcWindow.bottom > screenHeight) {
        CRect picker;
        if (m_pPicker)
            m_pPicker->GetWindowRect(&picker);
        m_rcWindow.OffsetRect(0, -(m_rcWindow.Height() + picker.Height()));
    }
    MoveWindow(&m_rcWindow, TRUE);
}

COLORREF CColourGridPopup::EntryColour(int entry) const
{
    if (entry == kColourGridDefault)
        return CLR_AUTOMATIC;
    if (entry == kColourGridCustom || entry < 0)
        return m_clrOpening;
    return kColourGridTable[entry].colour;
}

void CColourGridPopup::ChangeCurrent(int entry)
{
    if (entry == m_nCurrent)
        return;
    const int old = m_nCurrent;
    m_nCurrent = entry;
    {
        CClientDC dc(this);
        if (old != kColourGridNone)
            DrawEntry(&dc, old);
        DrawEntry(&dc, m_nCurrent);
    }
    if (entry != kColourGridCustom)
        m_clrChosen = EntryColour(entry);
    if (m_pPicker && m_pPicker->GetSafeHwnd())
        m_pPicker->SendMessage(CPN_SELCHANGE, EntryColour(entry), 0);
}

// --- painting ------------------------------------------------------------------------------------

void CColourGridPopup::DrawEntry(CDC* pDC, int entry)
{
    if (entry >= 0)
        DrawCell(pDC, entry);
    else if (entry == kColourGridDefault || entry == kColourGridCustom)
        DrawTextEntry(pDC, entry);
}

void CColourGridPopup::DrawCell(CDC* pDC, int cell)
{
    if (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) {
        pDC->SelectPalette(&m_palette, FALSE);
        pDC->RealizePalette();
    }
    CRect box = ToRect(ColourGridCellBox(m_layout, cell));
    const bool current = cell == m_nCurrent;
    const bool initial = cell == m_nInitial;
    pDC->FillSolidRect(&box, ::GetSysColor(initial && !current ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
    if (current)
        pDC->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    else if (initial)
        pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    const int inset = m_layout.margin + 1;
    box.DeflateRect(inset, inset);
    const COLORREF c = kColourGridTable[cell].colour;
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CBrush brush(PALETTERGB(GetRValue(c), GetGValue(c), GetBValue(c)));
    CDCSelect selectPen(*pDC, pen);
    CDCSelect selectBrush(*pDC, brush);
    pDC->Rectangle(&box);
}

void CColourGridPopup::DrawTextEntry(CDC* pDC, int entry)
{
    const bool isDefault = entry == kColourGridDefault;
    if (isDefault ? !m_layout.hasDefault : !m_layout.hasCustom)
        return;
    const int m = m_layout.margin;
    CRect box = ToRect(isDefault ? m_layout.defaultBox : m_layout.customBox);
    if (isDefault) {
        pDC->FillSolidRect(&box, ::GetSysColor(COLOR_BTNFACE));
    } else {
        CRect below = box;
        below.top += 2 * m;
        pDC->FillSolidRect(&below, ::GetSysColor(COLOR_BTNFACE));
        CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        {
            CDCSelect pen(*pDC, shadow);
            pDC->MoveTo(box.left + 2 * m, box.top);
            pDC->LineTo(box.right - 2 * m, box.top);
        }
        CDCSelect pen(*pDC, light);
        pDC->MoveTo(box.left + 2 * m, box.top + 1);
        pDC->LineTo(box.right - 2 * m, box.top + 1);
        box.top += 2 * m;
    }
    const bool current = entry == m_nCurrent;
    const bool initial = entry == m_nInitial;
    box.DeflateRect(1, 1);
    pDC->FillSolidRect(&box, ::GetSysColor(initial && !current ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (isDefault) {
        CRect inner = box;
        inner.DeflateRect(2 * m, 2 * m);
        CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CDCSelect selectPen(*pDC, pen);
        CDCSelect selectBrush(*pDC, *CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH))));
        pDC->Rectangle(&inner);
    }
    if (current)
        pDC->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    else if (initial)
        pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    HGDIOBJ old = m_font.GetSafeHandle() ? ::SelectObject(*pDC, m_font) : nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(isDefault ? m_strDefault : m_strCustom, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old)
        ::SelectObject(*pDC, old);
}

void CColourGridPopup::OnPaint()
{
    CPaintDC dc(this);
    DrawTextEntry(&dc, kColourGridDefault);
    for (int i = 0; i < kColourGridCount; ++i)
        DrawCell(&dc, i);
    DrawTextEntry(&dc, kColourGridCustom);
    CRect client;
    GetClientRect(&client);
    dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
}

// --- input ------------------------------------------------------------------------------------------

void CColourGridPopup::OnMouseMove(UINT, CPoint point)
{
    const int entry = ColourGridHitTest(m_layout, point.x, point.y);
    if (entry != kColourGridNone)
        ChangeCurrent(entry);
}

void CColourGridPopup::OnLButtonUp(UINT, CPoint)
{
    const DWORD pos = ::GetMessagePos();
    const POINT at = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    CRect window;
    GetWindowRect(&window);
    EndSelection(window.PtInRect(at));
}

void CColourGridPopup::OnKeyDown(UINT nChar, UINT, UINT)
{
    int next = m_nCurrent;
    if (ColourGridKeyMove(nChar, m_nCurrent, !m_strDefault.IsEmpty(), !m_strCustom.IsEmpty(), &next)) {
        ChangeCurrent(next);
        return;
    }
    switch (nChar) {
    case VK_RETURN:
    case VK_SPACE: EndSelection(TRUE); return;
    case VK_ESCAPE: EndSelection(FALSE); return;
    default: Default(); return;
    }
}

void CColourGridPopup::OnKillFocus(CWnd*)
{
    Default();
    ::ReleaseCapture();
}

LRESULT CColourGridPopup::OnActivateApp(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (!wParam)
        EndSelection(FALSE);
    return result;
}

LRESULT CColourGridPopup::OnQueryNewPalette(WPARAM, LPARAM)
{
    Invalidate();
    return Default();
}

LRESULT CColourGridPopup::OnPaletteChanged(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (reinterpret_cast<HWND>(wParam) != m_hWnd)
        Invalidate();
    return result;
}

BOOL CColourGridPopup::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.RelayEvent(pMsg);
    CWnd* capture = GetCapture();
    if (!m_bEnded && !m_bDialogOpen && capture && capture->GetSafeHwnd() != m_hWnd)
        SetCapture();
    return CWnd::PreTranslateMessage(pMsg);
}

void CColourGridPopup::EndSelection(BOOL accept)
{
    if (m_bEnded || m_bDialogOpen)
        return;
    ::ReleaseCapture();
    if (accept && m_nCurrent == kColourGridCustom) {
        m_bDialogOpen = TRUE;
        static COLORREF customColours[16] = {};
        CHOOSECOLORA cc = {};
        cc.lStructSize = sizeof(cc);
        cc.hwndOwner = m_hWnd;
        cc.rgbResult = m_clrOpening;
        cc.lpCustColors = customColours;
        cc.Flags = CC_FULLOPEN | CC_ANYCOLOR;
        if (AfxPromptChooseColor(&cc))
            m_clrChosen = cc.rgbResult;
        else
            accept = FALSE;
        m_bDialogOpen = FALSE;
    }
    if (!accept)
        m_clrChosen = m_clrOpening;
    m_bEnded = TRUE;
    if (m_pPicker && m_pPicker->GetSafeHwnd())
        m_pPicker->SendMessage(accept ? CPN_SELENDOK : CPN_SELENDCANCEL, m_clrChosen, 0);
    DestroyWindow();
}

void CColourGridPopup::PostNcDestroy()
{
    if (m_pPicker)
        m_pPicker->PopupGone(this);
    if (m_bCreated) // a window that never came up is deleted by Open
        delete this;
}

// ===== CColourPicker ==========================================================================

IMPLEMENT_DYNCREATE(CColourPicker, CWnd)

BEGIN_MESSAGE_MAP(CColourPicker, CButton)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CColourPicker::OnClicked)
    ON_MESSAGE(CPN_SELCHANGE, &CColourPicker::OnSelChange)
    ON_MESSAGE(CPN_SELENDOK, &CColourPicker::OnSelEndOK)
    ON_MESSAGE(CPN_SELENDCANCEL, &CColourPicker::OnSelEndCancel)
END_MESSAGE_MAP()

CColourPicker::CColourPicker()
    : m_clrColour(::GetSysColor(COLOR_BTNFACE)), m_clrText(::GetSysColor(COLOR_BTNTEXT))
{
}

CColourPicker::~CColourPicker()
{
    if (m_pPopup) {
        CColourGridPopup* popup = m_pPopup;
        m_pPopup = nullptr;
        popup->DestroyWindow(); // it no longer reports to this picker
    }
    DestroyWindow();
}

void CColourPicker::PopupGone(CColourGridPopup* pPopup)
{
    if (m_pPopup == pPopup)
        m_pPopup = nullptr;
}

void CColourPicker::SetColour(COLORREF colour)
{
    m_clrColour = colour;
    if (IsWindow())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CColourPicker::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
    SizeToArrow();
}

int CColourPicker::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    const int result = static_cast<int>(Default());
    if (result == 0)
        SizeToArrow();
    return result;
}

void CColourPicker::SizeToArrow()
{
    if (!IsWindow())
        return;
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    const int arrowWidth = std::max(5 * cxEdge, ::GetSystemMetrics(SM_CXHTHUMB));
    const int arrowHeight = std::max(5 * cyEdge, ::GetSystemMetrics(SM_CYVTHUMB));
    const int d = std::max(arrowWidth, arrowHeight);
    CRect rect;
    GetWindowRect(&rect);
    CWnd* parent = GetParent();
    if (parent)
        parent->ScreenToClient(&rect);
    const int width = std::max(static_cast<int>(rect.Width()), 2 * (cxEdge + d));
    const int height = d + 2 * cyEdge;
    MoveWindow(rect.left, rect.top, width, height, TRUE);
    m_rcArrow = CRect(width - d - cxEdge, cyEdge, width - cxEdge, height - cyEdge);
}

void CColourPicker::NotifyParent(UINT message, COLORREF colour) const
{
    CWnd* parent = GetParent();
    if (parent)
        parent->SendMessage(message, colour, static_cast<LPARAM>(GetDlgCtrlID()));
}

BOOL CColourPicker::OnClicked()
{
    m_bActive = TRUE;
    CRect rect;
    GetWindowRect(&rect);
    m_pPopup = CColourGridPopup::Open(CPoint(rect.left, rect.bottom), m_clrColour, this, m_strDefault, m_strCustom);
    if (!m_pPopup) {
        // No popup: the picker stays closed and reports nothing.
        m_bActive = FALSE;
        Invalidate();
        return TRUE;
    }
    NotifyParent(CPN_DROPDOWN, m_clrColour);
    return TRUE;
}

LRESULT CColourPicker::OnSelChange(WPARAM wParam, LPARAM)
{
    NotifyParent(CPN_SELCHANGE, static_cast<COLORREF>(wParam));
    return 0;
}

LRESULT CColourPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    m_bActive = FALSE;
    const COLORREF old = m_clrColour;
    SetColour(static_cast<COLORREF>(wParam));
    NotifyParent(CPN_CLOSEUP, m_clrColour);
    NotifyParent(CPN_SELENDOK, m_clrColour);
    if (m_clrColour != old)
        NotifyParent(CPN_SELCHANGE, m_clrColour);
    return 0;
}

LRESULT CColourPicker::OnSelEndCancel(WPARAM wParam, LPARAM)
{
    m_bActive = FALSE;
    SetColour(static_cast<COLORREF>(wParam));
    NotifyParent(CPN_CLOSEUP, m_clrColour);
    NotifyParent(CPN_SELENDCANCEL, m_clrColour);
    return 0;
}

void CColourPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    UINT state = lpDrawItemStruct->itemState;
    if (m_bActive)
        state |= ODS_SELECTED;
    const bool disabled = (state & ODS_DISABLED) != 0;
    CRect item(lpDrawItemStruct->rcItem);
    CRect arrow = m_rcArrow;
    UINT arrowState = DFCS_SCROLLDOWN;
    if (state & ODS_SELECTED)
        arrowState |= DFCS_PUSHED;
    if (disabled)
        arrowState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&arrow, DFC_SCROLL, arrowState);
    pDC->DrawEdge(&item, EDGE_SUNKEN, BF_RECT);
    CRect box = item;
    box.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    box.right -= m_rcArrow.Width();
    const COLORREF fill = (disabled || m_clrColour == CLR_AUTOMATIC) ? ::GetSysColor(COLOR_BTNFACE) : m_clrColour;
    {
        CBrush brush(fill);
        CDCSelect selectBrush(*pDC, brush);
        CDCSelect selectPen(*pDC, *CPen::FromHandle(static_cast<HPEN>(::GetStockObject(NULL_PEN))));
        // A null pen leaves the right and bottom edges: draw one pixel larger.
        pDC->Rectangle(box.left, box.top, box.right + 1, box.bottom + 1);
    }
    CString text;
    GetWindowText(text);
    if (!text.IsEmpty()) {
        pDC->SetBkMode(TRANSPARENT);
        if (disabled) {
            CRect shifted = box;
            shifted.OffsetRect(1, 1);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            pDC->DrawText(text, &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        } else {
            pDC->SetTextColor(m_clrColour == CLR_AUTOMATIC ? RGB(0, 0, 0) : m_clrText);
        }
        pDC->DrawText(text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (state & ODS_FOCUS) {
        CRect focus = box;
        focus.DeflateRect(1, 1);
        pDC->DrawFocusRect(&focus);
    }
}
