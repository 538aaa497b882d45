#include "widgets/header/FlatHeaderCtrl.h"

#include <algorithm>
#include <new>

#include "foundation/drawing/MemDC.h"
#include "framework/ui/MessageMap.h"
#include "widgets/header/HeaderOrder.h"

namespace {

const COLORREF kDefaultFace = 0x653C16;
const COLORREF kDefaultText = 0xC0C0C0;
const char kDragClass[] = "MFCFHDragWnd";
const char kDropClass[] = "MFCFHDropWnd";
const int kMarkerWidth = 12;

void RegisterOnce(const char* name, HBRUSH brush)
{
    WNDCLASSA existing = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), name, &existing))
        return;
    WNDCLASSA wc = {};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = brush;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
}

// Visual themes off for a window, through UxTheme when the system has it.
void SwitchThemeOff(HWND hWnd)
{
    typedef HRESULT(WINAPI * SetWindowThemeFn)(HWND, LPCWSTR, LPCWSTR);
    HMODULE theme = ::LoadLibraryA("UxTheme.dll");
    if (!theme)
        return;
    SetWindowThemeFn setTheme = reinterpret_cast<SetWindowThemeFn>(
        reinterpret_cast<void*>(::GetProcAddress(theme, "SetWindowTheme")));
    if (setTheme)
        setTheme(hWnd, L" ", L" ");
    ::FreeLibrary(theme);
}

} // namespace

// ===== drag window ===============================================================================

BEGIN_MESSAGE_MAP(CFHDragWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CFHDragWnd::CFHDragWnd(CFlatHeaderCtrl* pHeader, int item, const HDITEMA& hdItem, const CString& text)
    : m_pHeader(pHeader), m_nItem(item), m_item(hdItem), m_text(text)
{
}

BOOL CFHDragWnd::CreateOver(const CRect& screenRect)
{
    RegisterOnce(kDragClass, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1)));
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kDragClass, nullptr, WS_POPUP | WS_DISABLED, screenRect.left,
                    screenRect.top, screenRect.Width(), screenRect.Height(), nullptr, nullptr);
}

BOOL CFHDragWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CFHDragWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_pHeader->m_cr3DFace);
    dc.Draw3dRect(&client, m_pHeader->m_cr3DHighLight, m_pHeader->m_cr3DShadow);
    HGDIOBJ oldFont = ::SelectObject(dc, m_pHeader->GetFont() ? m_pHeader->GetFont()
                                                              : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    dc.SetBkColor(m_pHeader->m_cr3DFace);
    dc.SetTextColor(m_pHeader->m_crText);
    client.DeflateRect(m_pHeader->m_iSpacing, 0);
    m_item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_text));
    m_pHeader->DrawItem(&dc, client, m_item, m_nItem == m_pHeader->m_iSortColumn, m_pHeader->m_bSortAscending);
    ::SelectObject(dc, oldFont);
}

void CFHDragWnd::PostNcDestroy()
{
    delete this;
}

// ===== marker window ===============================================================================

BEGIN_MESSAGE_MAP(CFHDropWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CFHDropWnd::CFHDropWnd(COLORREF colour)
{
    m_brush.CreateSolidBrush(colour);
}

CFHDropWnd::~CFHDropWnd() = default;

BOOL CFHDropWnd::CreateFor(int headerHeight)
{
    RegisterOnce(kDropClass, nullptr);
    m_nHeight = headerHeight + 20;
    if (!CreateEx(WS_EX_TOOLWINDOW, kDropClass, nullptr, WS_POPUP | WS_DISABLED, 0, 0, kMarkerWidth, m_nHeight,
                  nullptr, nullptr))
        return FALSE;
    const int h = m_nHeight;
    const POINT down[7] = {{8, 0}, {8, 4}, {11, 4}, {6, 9}, {1, 4}, {4, 4}, {4, 0}};
    const POINT up[7] = {{4, h}, {4, h - 4}, {0, h - 4}, {6, h - 10}, {12, h - 4}, {8, h - 4}, {8, h}};
    HRGN top = ::CreatePolygonRgn(down, 7, ALTERNATE);
    HRGN bottom = ::CreatePolygonRgn(up, 7, ALTERNATE);
    ::CombineRgn(top, top, bottom, RGN_OR);
    ::DeleteObject(bottom);
    SetWindowRgn(top, FALSE); // the window owns the region from now on
    return TRUE;
}

void CFHDropWnd::PlaceAt(int x, int y)
{
    SetWindowPos(&CWnd::wndTopMost, x, y, kMarkerWidth, m_nHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BOOL CFHDropWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect r(0, 0, kMarkerWidth, m_nHeight);
    pDC->FillRect(&r, &m_brush);
    return TRUE;
}

void CFHDropWnd::PostNcDestroy()
{
    delete this;
}

// ===== CFlatHeaderCtrl ================================================================================

IMPLEMENT_DYNCREATE(CFlatHeaderCtrl, CWnd)

BEGIN_MESSAGE_MAP(CFlatHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(HDM_LAYOUT, &CFlatHeaderCtrl::OnLayout)
    ON_MESSAGE(HDM_SETIMAGELIST, &CFlatHeaderCtrl::OnSetImageList)
    ON_MESSAGE(HDM_INSERTITEMA, &CFlatHeaderCtrl::OnInsertItem)
    ON_MESSAGE(HDM_INSERTITEMW, &CFlatHeaderCtrl::OnInsertItem)
    ON_MESSAGE(HDM_DELETEITEM, &CFlatHeaderCtrl::OnDeleteItem)
    ON_MESSAGE(HDM_SETHOTDIVIDER, &CFlatHeaderCtrl::OnSetHotDivider)
    ON_MESSAGE(WM_PRINTCLIENT, &CFlatHeaderCtrl::OnPrintClient)
END_MESSAGE_MAP()

CFlatHeaderCtrl::CFlatHeaderCtrl()
    : m_cr3DHighLight(kDefaultFace), m_cr3DShadow(kDefaultFace), m_cr3DFace(kDefaultFace), m_crText(kDefaultText),
      m_crArrowLight(0xC0C0C0), m_crArrowDark(0x404040)
{
    m_hditemHotItem.pszText = m_szHotItemText;
    m_hditemHotItem.cchTextMax = sizeof(m_szHotItemText) - 1;
}

CFlatHeaderCtrl::~CFlatHeaderCtrl()
{
    if (m_pDropWnd)
        m_pDropWnd->DestroyWindow();
    if (m_pDragWnd)
        m_pDragWnd->DestroyWindow();
    m_pDropWnd = nullptr;
    m_pDragWnd = nullptr;
    if (m_bClipping)
        ::ClipCursor(nullptr);
}

void CFlatHeaderCtrl::PreSubclassWindow()
{
    CHeaderCtrl::PreSubclassWindow();
    SwitchThemeOff(m_hWnd);
    // Items the header already had get their default styles.
    const int count = GetItemCount();
    if (count > 0)
        m_styles.resize(static_cast<size_t>(count));
}

void CFlatHeaderCtrl::SetColours(COLORREF face, COLORREF text)
{
    m_cr3DFace = face;
    m_crText = text;
    Invalidate(TRUE);
}

void CFlatHeaderCtrl::SetSortColumn(int column, bool ascending)
{
    m_iSortColumn = column;
    m_bSortAscending = ascending;
    Invalidate(TRUE);
}

void CFlatHeaderCtrl::SetItemWidthLimits(int item, int minimum, int maximum)
{
    if (item >= 0 && item < static_cast<int>(m_styles.size())) {
        m_styles[static_cast<size_t>(item)].minWidth = minimum;
        m_styles[static_cast<size_t>(item)].maxWidth = maximum;
    }
}

void CFlatHeaderCtrl::SetItemFixed(int item, bool fixed)
{
    if (item >= 0 && item < static_cast<int>(m_styles.size())) {
        DWORD& flags = m_styles[static_cast<size_t>(item)].flags;
        flags = fixed ? (flags | 4) : (flags & ~4u);
    }
}

void CFlatHeaderCtrl::OnSysColorChange()
{
    Default();
    m_cr3DHighLight = m_cr3DShadow = m_cr3DFace = kDefaultFace;
    m_crText = kDefaultText;
    Invalidate(TRUE);
}

// --- item bookkeeping -----------------------------------------------------------------------------------

LRESULT CFlatHeaderCtrl::OnLayout(WPARAM wParam, LPARAM lParam)
{
    HDLAYOUT* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (m_bWideLayout && layout && layout->prc) {
        const int border = ::GetSystemMetrics(SM_CXBORDER) * 2;
        ::InflateRect(layout->prc, border, border);
    }
    return DefWindowProc(HDM_LAYOUT, wParam, lParam);
}

LRESULT CFlatHeaderCtrl::OnSetImageList(WPARAM wParam, LPARAM lParam)
{
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(lParam);
    IMAGEINFO info = {};
    if (list && ::ImageList_GetImageInfo(list, 0, &info)) {
        m_sizeImageX = info.rcImage.right - info.rcImage.left;
        m_sizeImageY = info.rcImage.bottom - info.rcImage.top;
    } else {
        m_sizeImageX = m_sizeImageY = 0;
    }
    return DefWindowProc(HDM_SETIMAGELIST, wParam, lParam);
}

LRESULT CFlatHeaderCtrl::OnInsertItem(WPARAM wParam, LPARAM lParam)
{
    const UINT message = AfxGetCurrentMessage() ? AfxGetCurrentMessage()->message : HDM_INSERTITEMA;
    const int at = std::clamp(static_cast<int>(wParam), 0, static_cast<int>(m_styles.size()));
    try {
        m_styles.insert(m_styles.begin() + at, ItemStyle());
    } catch (const std::bad_alloc&) {
        return -1;
    }
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    if (result < 0)
        m_styles.erase(m_styles.begin() + at);
    return result;
}

LRESULT CFlatHeaderCtrl::OnDeleteItem(WPARAM wParam, LPARAM lParam)
{
    const int at = static_cast<int>(wParam);
    if (at >= 0 && at < static_cast<int>(m_styles.size()))
        m_styles.erase(m_styles.begin() + at);
    return DefWindowProc(HDM_DELETEITEM, wParam, lParam);
}

int CFlatHeaderCtrl::OrderOf(int item) const
{
    HDITEMA hd = {};
    hd.mask = HDI_ORDER;
    return GetItem(item, &hd) ? hd.iOrder : -1;
}

// --- painting -------------------------------------------------------------------------------------------------

void CFlatHeaderCtrl::DrawSortArrow(CDC* pDC, const CRect& rect, bool ascending)
{
    CPen light(PS_SOLID, 1, m_crArrowLight);
    CPen dark(PS_SOLID, 1, m_crArrowDark);
    const int top = rect.top + (rect.Height() - m_sizeArrowY) / 2;
    const int left = rect.left;
    CDCSelect pen(*pDC, light);
    if (ascending) {
        pDC->MoveTo(left + m_sizeArrowX / 2, top);
        pDC->LineTo(left + m_sizeArrowX, top + m_sizeArrowY);
        pDC->LineTo(left, top + m_sizeArrowY);
        CDCSelect other(*pDC, dark);
        pDC->LineTo(left + m_sizeArrowX / 2, top);
    } else {
        pDC->MoveTo(left + m_sizeArrowX / 2, top + m_sizeArrowY);
        pDC->LineTo(left + m_sizeArrowX, top);
        CDCSelect other(*pDC, dark);
        pDC->LineTo(left, top);
        pDC->LineTo(left + m_sizeArrowX / 2, top + m_sizeArrowY);
    }
}

void CFlatHeaderCtrl::DrawItem(CDC* pDC, CRect rect, HDITEMA& item, BOOL sortColumn, BOOL ascending)
{
    const int align = item.fmt & HDF_JUSTIFYMASK;
    const bool wantsImage = (item.mask & HDI_IMAGE) && (item.fmt & HDF_IMAGE);
    const bool hasBitmap = (item.fmt & HDF_BITMAP) && item.hbm;
    const bool hasText = (item.mask & HDI_TEXT) && (item.fmt & HDF_STRING) && item.pszText;
    CImageList* images = GetImageList();
    int bitmapWidth = 0, bitmapHeight = 0;
    if (hasBitmap) {
        BITMAP info = {};
        ::GetObjectA(item.hbm, sizeof(info), &info);
        bitmapWidth = info.bmWidth;
        bitmapHeight = info.bmHeight;
    }
    auto drawImage = [&](CRect& r) -> bool {
        if (!wantsImage)
            return true;
        if (!images || !images->m_hImageList || m_sizeImageX <= 0)
            return false; // asked for an image and got none: nothing further
        const int width = std::min(m_sizeImageX, static_cast<int>(r.Width()));
        if (width > 0) {
            const int top = r.top + (r.Height() - m_sizeImageY) / 2;
            ::ImageList_DrawEx(images->m_hImageList, item.iImage, *pDC, r.left, top, width, m_sizeImageY, CLR_NONE,
                               CLR_NONE, ILD_TRANSPARENT);
            r.left += width + m_iSpacing;
        }
        return true;
    };
    auto drawBitmapAt = [&](int x, const CRect& r) {
        CDC memory;
        if (!memory.CreateCompatibleDC(pDC))
            return;
        HGDIOBJ old = ::SelectObject(memory, item.hbm);
        pDC->BitBlt(x, r.top + (r.Height() - bitmapHeight) / 2, bitmapWidth, bitmapHeight, &memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
    };
    auto drawText = [&](CRect& r) {
        if (!hasText || r.Width() <= 0)
            return;
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        format |= align == HDF_RIGHT ? DT_RIGHT : align == HDF_CENTER ? DT_CENTER : DT_LEFT;
        pDC->DrawText(item.pszText, -1, &r, format);
    };
    const int arrowRoom = sortColumn ? m_sizeArrowX + m_iSpacing : 0;
    if (align == HDF_RIGHT) {
        if (hasBitmap && !(item.fmt & HDF_BITMAP_ON_RIGHT) && bitmapWidth <= rect.Width()) {
            drawBitmapAt(rect.left, rect);
            rect.left += bitmapWidth + m_iSpacing;
        }
        if (!drawImage(rect))
            return;
        if (hasBitmap && (item.fmt & HDF_BITMAP_ON_RIGHT) && bitmapWidth <= rect.Width()) {
            drawBitmapAt(rect.right - bitmapWidth, rect);
            rect.right -= bitmapWidth + m_iSpacing;
        }
        if (sortColumn && arrowRoom <= rect.Width()) {
            DrawSortArrow(pDC, CRect(rect.right - m_sizeArrowX, rect.top, rect.right, rect.bottom), ascending != FALSE);
            rect.right -= arrowRoom;
        }
        drawText(rect);
        return;
    }
    if (!drawImage(rect))
        return;
    if (hasBitmap && bitmapWidth <= rect.Width()) {
        drawBitmapAt(rect.right - bitmapWidth, rect);
        rect.right -= bitmapWidth + m_iSpacing;
    }
    if (align == HDF_CENTER) {
        if (sortColumn && arrowRoom <= rect.Width()) {
            DrawSortArrow(pDC, CRect(rect.right - m_sizeArrowX, rect.top, rect.right, rect.bottom), ascending != FALSE);
            rect.right -= arrowRoom;
        }
        drawText(rect);
        return;
    }
    // Left aligned: the text, then the arrow right after it.
    CRect textRect = rect;
    if (hasText) {
        CRect measured = rect;
        pDC->DrawText(item.pszText, -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        textRect.right = std::min(static_cast<int>(rect.right) - arrowRoom, static_cast<int>(measured.right));
        drawText(textRect);
    } else {
        textRect.right = textRect.left - m_iSpacing;
    }
    if (sortColumn) {
        const int left = textRect.right + m_iSpacing;
        if (left + m_sizeArrowX <= rect.right)
            DrawSortArrow(pDC, CRect(left, rect.top, left + m_sizeArrowX, rect.bottom), ascending != FALSE);
    }
}

void CFlatHeaderCtrl::Paint(CDC* pDC)
{
    CRect clip;
    if (pDC->GetClipBox(&clip) == ERROR || clip.IsRectEmpty())
        return;
    pDC->FillSolidRect(&clip, m_cr3DFace);
    CPen highlight(PS_SOLID, 1, m_cr3DHighLight);
    CPen shadow(PS_SOLID, 1, m_cr3DShadow);
    HFONT font = GetFont() ? GetFont() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    CDCSelect selectFont(pDC->GetSafeHdc(), font);
    pDC->SetBkColor(m_cr3DFace);
    pDC->SetTextColor(m_crText);
    const int count = GetItemCount();
    int totalWidth = 0;
    for (int order = 0; order < count; ++order) {
        const int index = OrderToIndex(order);
        char text[81] = {};
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE | HDI_LPARAM;
        item.pszText = text;
        item.cchTextMax = sizeof(text) - 1;
        GetItem(index, &item);
        CRect rect;
        GetItemRect(index, &rect);
        totalWidth += rect.Width();
        if (item.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT dis = {};
            dis.CtlType = 4; // ODT_HEADER
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(index);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.hwndItem = m_hWnd;
            dis.hDC = pDC->GetSafeHdc();
            dis.rcItem = rect;
            dis.itemData = static_cast<ULONG_PTR>(item.lParam);
            DrawItem(&dis);
        } else {
            CRect inner = rect;
            inner.DeflateRect(m_iSpacing, 0);
            {
                CDCSave saved(pDC->GetSafeHdc());
                DrawItem(pDC, inner, item, index == m_iSortColumn, m_bSortAscending);
            }
            if (m_bButtonDown && !m_bDragging && index == m_iPressedItem && (::GetKeyState(VK_LBUTTON) < 0))
                pDC->InvertRect(&rect);
        }
        if (order < count - 1) {
            {
                CDCSelect pen(*pDC, shadow);
                pDC->MoveTo(rect.right - 1, rect.top + 2);
                pDC->LineTo(rect.right - 1, rect.bottom - 2);
            }
            CDCSelect pen(*pDC, highlight);
            pDC->MoveTo(rect.right, rect.top + 2);
            pDC->LineTo(rect.right, rect.bottom - 2);
        }
    }
    if (totalWidth > 0) {
        CRect client;
        GetClientRect(&client);
        client.right = client.left + totalWidth;
        pDC->Draw3dRect(&client, m_cr3DHighLight, m_cr3DShadow);
    }
}

void CFlatHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        MemDC mem(&dc);
        Paint(&mem);
    } else {
        Paint(&dc);
    }
}

LRESULT CFlatHeaderCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (pDC)
        Paint(pDC);
    return 0;
}

// --- hit tests, cursor, resizing ----------------------------------------------------------------------------

void CFlatHeaderCtrl::HitTestAt(CPoint client)
{
    m_hdhtiHotItem = HDHITTESTINFO{};
    m_hdhtiHotItem.pt = client;
    HitTest(&m_hdhtiHotItem);
    if (m_hdhtiHotItem.iItem >= 0) {
        m_iHotIndex = m_hdhtiHotItem.iItem;
        m_iHotOrder = OrderOf(m_iHotIndex);
        const bool known = m_iHotIndex < static_cast<int>(m_styles.size());
        m_bHotResizable = !known || !(m_styles[static_cast<size_t>(m_iHotIndex)].flags & 4);
    }
}

bool CFlatHeaderCtrl::OnDividerOfFixedHotItem() const
{
    return (m_hdhtiHotItem.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) && m_hdhtiHotItem.iItem >= 0 &&
           !m_bHotResizable;
}

LRESULT CFlatHeaderCtrl::OnNcHitTest(CPoint point)
{
    CPoint client = point;
    ScreenToClient(&client);
    HitTestAt(client);
    return Default();
}

BOOL CFlatHeaderCtrl::OnSetCursor(CWnd*, UINT, UINT)
{
    if (OnDividerOfFixedHotItem()) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CFlatHeaderCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    HitTestAt(point);
    if (OnDividerOfFixedHotItem())
        return;
    Default();
}

LRESULT CFlatHeaderCtrl::SendNotify(UINT code, int item)
{
    CWnd* parent = GetParent();
    if (!parent)
        return 0;
    NMHEADERA nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = code;
    nm.iItem = item;
    nm.iButton = 0;
    nm.pitem = &m_hditemHotItem;
    return parent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CFlatHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nClickFlags = nFlags;
    m_ptClickPoint = point;
    HitTestAt(point);
    const UINT flags = m_hdhtiHotItem.flags;
    if ((flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) && m_hdhtiHotItem.iItem >= 0) {
        if (!m_bHotResizable)
            return; // a fixed column is not resized
        const ItemStyle style = m_hdhtiHotItem.iItem < static_cast<int>(m_styles.size())
                                    ? m_styles[static_cast<size_t>(m_hdhtiHotItem.iItem)]
                                    : ItemStyle();
        if (style.minWidth <= style.maxWidth) {
            CRect item;
            GetItemRect(m_hdhtiHotItem.iItem, &item);
            const int offset = point.x - item.right;
            CRect clip;
            GetWindowRect(&clip);
            CPoint left(item.left + style.minWidth + offset, 0), right(item.left + style.maxWidth + offset, 0);
            ClientToScreen(&left);
            ClientToScreen(&right);
            clip.left = left.x;
            clip.right = right.x + 1;
            ::ClipCursor(&clip);
            m_bClipping = true;
        }
        Default();
        return;
    }
    if ((GetStyle() & HDS_DRAGDROP) && m_hdhtiHotItem.iItem >= 0 && (flags & HHT_ONHEADER)) {
        // Pressing and dragging an item are ours; the header is told of the
        // click at button-up.
        m_iPressedItem = m_hdhtiHotItem.iItem;
        m_hditemHotItem.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE | HDI_LPARAM | HDI_ORDER;
        m_hditemHotItem.pszText = m_szHotItemText;
        m_hditemHotItem.cchTextMax = sizeof(m_szHotItemText) - 1;
        GetItem(m_iPressedItem, &m_hditemHotItem);
        m_bButtonDown = true;
        m_bDragging = false;
        m_bDragRefused = false;
        SetCapture();
        CRect item;
        GetItemRect(m_iPressedItem, &item);
        InvalidateRect(&item, FALSE);
        return;
    }
    Default();
}

int CFlatHeaderCtrl::DropPositionAt(CPoint client) const
{
    HDHITTESTINFO hit = {};
    hit.pt = client;
    const_cast<CFlatHeaderCtrl*>(this)->HitTest(&hit);
    if (hit.iItem < 0)
        return -1;
    CRect item;
    GetItemRect(hit.iItem, &item);
    return HeaderDropPosition(OrderOf(hit.iItem), client.x > item.left + item.Width() / 2,
                              OrderOf(m_iPressedItem));
}

void CFlatHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bButtonDown) {
        Default();
        return;
    }
    if (!m_bDragging && !m_bDragRefused) {
        CRect still(m_ptClickPoint, m_ptClickPoint);
        still.InflateRect(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
        if (still.PtInRect(point) || !(nFlags & MK_LBUTTON))
            return;
        if (SendNotify(HDN_BEGINDRAG, m_iPressedItem) != 0) {
            m_bDragRefused = true;
            return;
        }
        CRect item;
        GetItemRect(m_iPressedItem, &item);
        ClientToScreen(&item);
        m_pDragWnd = new CFHDragWnd(this, m_iPressedItem, m_hditemHotItem, m_szHotItemText);
        if (!m_pDragWnd->CreateOver(item)) {
            delete m_pDragWnd;
            m_pDragWnd = nullptr;
        }
        m_bDragging = true;
        SetCapture();
        Invalidate(FALSE);
    }
    if (!m_bDragging)
        return;
    if (m_pDragWnd) {
        CRect window;
        m_pDragWnd->GetWindowRect(&window);
        CPoint screen = point;
        ClientToScreen(&screen);
        m_pDragWnd->SetWindowPos(&CWnd::wndTopMost, screen.x - window.Width() / 2, screen.y - window.Height() / 2, 0,
                                 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    HDHITTESTINFO hit = {};
    hit.pt = point;
    HitTest(&hit);
    ::SetCursor(::LoadCursorA(nullptr, hit.iItem >= 0 ? IDC_ARROW : IDC_NO));
    const int position = DropPositionAt(point);
    if (position != m_iHotDivider)
        SendMessage(HDM_SETHOTDIVIDER, FALSE, position);
}

void CFlatHeaderCtrl::EndDrag(bool drop)
{
    if (drop && m_iHotDivider >= 0) {
        const int count = GetItemCount();
        std::vector<int> order(static_cast<size_t>(count));
        if (count > 0 && GetOrderArray(order.data(), count)) {
            order = HeaderMoveColumn(order, OrderOf(m_iPressedItem), m_iHotDivider);
            SetOrderArray(count, order.data());
        }
    }
    if (m_pDragWnd)
        m_pDragWnd->DestroyWindow();
    m_pDragWnd = nullptr;
    SendMessage(HDM_SETHOTDIVIDER, FALSE, -1);
}

void CFlatHeaderCtrl::OnLButtonUp(UINT, CPoint point)
{
    if (m_bClipping) {
        ::ClipCursor(nullptr);
        m_bClipping = false;
    }
    if (!m_bButtonDown) {
        Default();
        return;
    }
    const int pressed = m_iPressedItem;
    const bool dragged = m_bDragging;
    m_bButtonDown = false;
    m_bDragging = false;
    if (dragged) {
        const bool drop = SendNotify(HDN_ENDDRAG, pressed) == 0;
        EndDrag(drop);
    }
    ::ReleaseCapture();
    Invalidate(FALSE);
    if (!dragged) {
        CRect item;
        GetItemRect(pressed, &item);
        if (item.PtInRect(point))
            SendNotify(HDN_ITEMCLICKA, pressed);
    }
    m_iPressedItem = -1;
}

LRESULT CFlatHeaderCtrl::OnSetHotDivider(WPARAM wParam, LPARAM lParam)
{
    int position = static_cast<int>(lParam);
    if (wParam) {
        CPoint client(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ScreenToClient(&client);
        HDHITTESTINFO hit = {};
        hit.pt = client;
        HitTest(&hit);
        if (hit.iItem < 0) {
            position = -1;
        } else {
            CRect item;
            GetItemRect(hit.iItem, &item);
            position = OrderOf(hit.iItem) + (client.x > item.left + item.Width() / 2 ? 1 : 0);
        }
    }
    m_iHotDivider = position;
    const int count = GetItemCount();
    if (position < 0 || position > count + 1 || count == 0) {
        if (m_pDropWnd)
            m_pDropWnd->DestroyWindow();
        m_pDropWnd = nullptr;
        m_iHotDivider = -1;
        return position;
    }
    CRect client;
    GetClientRect(&client);
    if (!m_pDropWnd) {
        m_pDropWnd = new CFHDropWnd(m_crHotDivider);
        if (!m_pDropWnd->CreateFor(client.Height())) {
            delete m_pDropWnd;
            m_pDropWnd = nullptr;
            return position;
        }
    }
    CRect item;
    int x;
    if (position < count) {
        GetItemRect(OrderToIndex(position), &item);
        x = item.left - 1;
    } else {
        GetItemRect(OrderToIndex(count - 1), &item);
        x = item.right;
    }
    CPoint at(x - kMarkerWidth / 2, client.top + (client.Height() - m_pDropWnd->GetHeight()) / 2);
    ClientToScreen(&at);
    m_pDropWnd->PlaceAt(at.x, at.y);
    return position;
}
