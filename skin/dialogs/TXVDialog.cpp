#include "skin/dialogs/TXVDialog.h"

#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/HexToColor.h"
#include "foundation/drawing/MemDC.h"
#include "skin/host/SkinHost.h"

IMPLEMENT_DYNAMIC(TXVDialog, CDialog)

BEGIN_MESSAGE_MAP(TXVDialog, CDialog)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, &TXVDialog::OnPrintClient)
END_MESSAGE_MAP()

TXVDialog::TXVDialog(UINT templateId, CWnd* pParent) : CDialog(templateId, pParent)
{
    SkinHost* host = TheSkinHost();
    m_pMainWindow = host ? host->GetMainWindow() : nullptr;
    static const char* const kKeys[4] = {"DlgHdrGradT1", "DlgHdrGradB1", "DlgHdrGradT2", "DlgHdrGradB2"};
    for (int i = 0; i < 4; ++i)
        m_clrHeader[i] = HexToColor(host ? host->GetIniString("MAIN", kKeys[i]) : CString());
}

TXVDialog::~TXVDialog()
{
    m_strHeader.Empty();
    if (m_hWnd)
        DestroyWindow();
}

void TXVDialog::SetHeaderText(const CString& text)
{
    m_strHeader = text;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void TXVDialog::PaintHeader(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    HDC dc = pDC->GetSafeHdc();
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
    ::MoveToEx(dc, client.left, 0, nullptr);
    ::LineTo(dc, client.right, 0);
    GradientFillRect(pDC, RECT{client.left, 0, client.right, kUpperBandBottom}, m_clrHeader[0], m_clrHeader[1]);
    GradientFillRect(pDC, RECT{client.left, kUpperBandBottom, client.right, kHeaderHeight}, m_clrHeader[2],
                     m_clrHeader[3]);
    ::MoveToEx(dc, client.left, kHeaderHeight - 1, nullptr);
    ::LineTo(dc, client.right, kHeaderHeight - 1);
    if (HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconId),
                                                     IMAGE_ICON, 32, 32, LR_SHARED)))
        ::DrawIconEx(dc, 12, kHeaderHeight / 2 - 16, icon, 32, 32, 0, nullptr, DI_NORMAL);
    for (int y = 10; y <= 34; y += 8)
        ::Ellipse(dc, 52, y, 56, y + 4);
    ::SetBkMode(dc, TRANSPARENT);
    CFont brand;
    brand.CreatePointFont(120, "Arial Bold", pDC);
    HGDIOBJ oldFont = ::SelectObject(dc, brand.m_hObject);
    ::SetTextColor(dc, RGB(255, 255, 0));
    RECT brandRect{70, 8, client.right, kUpperBandBottom + 8};
    ::DrawTextA(dc, "TAVRIX PRO DJ", -1, &brandRect, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    CFont caption;
    caption.CreatePointFont(100, "Arial", pDC);
    ::SelectObject(dc, caption.m_hObject);
    ::SetTextColor(dc, RGB(255, 255, 255));
    RECT captionRect{71, 24, client.right, kHeaderHeight};
    ::DrawTextA(dc, m_strHeader, -1, &captionRect, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}

void TXVDialog::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    MemDC mem(&dc, &client);
    PaintHeader(&mem);
}

LRESULT TXVDialog::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam)))
        PaintHeader(pDC);
    return 0;
}
