#include "foundation/drawing/TXVHeader.h"

#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/MemDC.h"
#include "framework/win/AppState.h"

#ifndef TAVRIX_KVLIB_FLAVOUR
IMPLEMENT_DYNAMIC(TXVHeader, CWnd)
#endif

BEGIN_MESSAGE_MAP(TXVHeader, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TXVHeader::~TXVHeader()
{
    DestroyWindow();
}

CString TXVHeader::GetTitle()
{
#ifdef TAVRIX_KVLIB_FLAVOUR
    CString title;
    if (!title.LoadString(kTitleId))
        title.Empty();
    return title;
#else
    return CString("TAVRIX PRO DJ");
#endif
}

void TXVHeader::OnPaint()
{
    CRect update;
    if (!::GetUpdateRect(m_hWnd, &update, FALSE))
        return;

    CPaintDC paint(this);
    MemDC dc(&paint, &update, false, false);

    CRect client;
    GetClientRect(&client);
    const int split = client.Height() / 2 - 5;

    GradientFillRect(&dc, CRect(client.left, client.top, client.right, split), RGB(0x80, 0x86, 0x94),
                     RGB(0x42, 0x47, 0x5A));
    GradientFillRect(&dc, CRect(client.left, split, client.right, client.bottom),
                     RGB(0x30, 0x33, 0x42), RGB(0x19, 0x19, 0x25));

    dc.MoveTo(client.left, client.bottom - 1);
    dc.LineTo(client.right, client.bottom - 1);

    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kIconId));
    if (hIcon)
        dc.DrawIcon(12, client.Height() / 2 - 16, hIcon);

    for (int top = 10; top <= 34; top += 8)
        dc.Ellipse(52, top, 56, top + 4);

    // Without a font the text falls back to the context's own.
    CFont bold, regular;
    // The bold weight as well as the face name: systems that match fonts
    // by family only (Wine) would otherwise draw the title regular.
    LOGFONTA lf = {};
    lf.lfHeight = 120;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Arial Bold", LF_FACESIZE);
    bold.CreatePointFontIndirect(&lf);
    regular.CreatePointFont(100, "Arial");
    dc.SetBkMode(TRANSPARENT);

    CRect text = client;
    text.OffsetRect(70, 8);
    {
        CDCSelect select(dc, bold);
        dc.SetTextColor(RGB(0xFF, 0xFF, 0x00));
        dc.DrawText(GetTitle(), &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    }
    text.OffsetRect(1, 1);
    text.OffsetRect(0, 15);
    {
        CDCSelect select(dc, regular);
        dc.SetTextColor(RGB(0xFF, 0xFF, 0xFF));
        dc.DrawText(m_strCaption, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    }
}
