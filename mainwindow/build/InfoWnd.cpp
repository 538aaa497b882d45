#include "mainwindow/build/InfoWnd.h"

#include <commctrl.h>

#include "mainwindow/build/InfoWndIds.h"

BEGIN_MESSAGE_MAP(InfoWnd, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

InfoWnd::~InfoWnd()
{
    if (m_details.m_hWnd)
        m_details.UnsubclassWindow();
    if (m_hWnd)
        DestroyWindow();
}

BOOL InfoWnd::CreateStrip()
{
    return Create(IDD_INFOWND, nullptr);
}

BOOL InfoWnd::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_details.SubclassDlgItem(IDC_INFOWND_DETAILS, this);
    m_details.InsertColumn(0, "Field", LVCFMT_LEFT, 60);
    m_details.InsertColumn(1, "Value", LVCFMT_LEFT, 200);
    FillDetails();
    return TRUE;
}

void InfoWnd::SetListFont(const CString& face, int tenthsOfPoint)
{
    m_font.DeleteObject();
    m_font.CreatePointFont(tenthsOfPoint > 0 ? tenthsOfPoint : 80, face.IsEmpty() ? "Arial" : face);
}

void InfoWnd::SetColors(COLORREF background, COLORREF text)
{
    m_crBack = background;
    m_crText = text;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(background);
}

void InfoWnd::SetupLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int side = client.Height();
    if (CWnd* picture = GetDlgItem(IDC_INFOWND_PICTURE))
        picture->MoveWindow(0, 0, side, side);
    if (m_details.m_hWnd) {
        m_details.MoveWindow(side + 4, 0, client.Width() - side - 4 > 0 ? client.Width() - side - 4 : 0, side);
        if (m_font.m_hObject)
            m_details.SetFont(static_cast<HFONT>(m_font.m_hObject));
        m_details.SetBkColor(m_crBack);
        m_details.SetTextBkColor(m_crBack);
        m_details.SetTextColor(m_crText);
        const int width = client.Width() - side - 4;
        m_details.SetColumnWidth(0, width / 4 > 0 ? width / 4 : 0);
        m_details.SetColumnWidth(1, width - width / 4 > 0 ? width - width / 4 : 0);
    }
    Invalidate();
}

void InfoWnd::SetTrackInfo(TrackInfoTexts info)
{
    m_info = info;
    FillDetails();
}

void InfoWnd::FillDetails()
{
    if (!m_details.m_hWnd)
        return;
    const char* names[] = {"Title", "Artist", "Album", "Genre", "File"};
    const CString* values[] = {&m_info.title, &m_info.artist, &m_info.album, &m_info.genre, &m_info.path};
    m_details.DeleteAllItems();
    for (int i = 0; i < 5; ++i) {
        m_details.InsertItem(i, names[i]);
        m_details.SetItemText(i, 1, *values[i]);
    }
}

BOOL InfoWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (pDC)
        pDC->FillSolidRect(&client, m_crBack);
    return TRUE;
}

HBRUSH InfoWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    (void)pWnd;
    (void)nCtlColor;
    if (pDC) {
        pDC->SetBkColor(m_crBack);
        pDC->SetTextColor(m_crText);
    }
    return m_brush.m_hObject ? static_cast<HBRUSH>(m_brush.m_hObject) : static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
}
