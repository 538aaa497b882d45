// InfoWnd: the track information strip of the main window (template 296):
// a picture area and a list of the current track's title, artist, album,
// genre and file. The skin decides its place, font and colours; the main
// window hands it the texts of the selected track. It has no parent
// window: the builder places it over the main window in screen
// coordinates.
#pragma once

#include "framework/ui/AfxWin.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/CGdiObject.h"
#include "mainwindow/build/TrackInfoTexts.h"

class InfoWnd : public CDialog
{
public:
    // Construction: owner is the window whose commands it serves.
    explicit InfoWnd(CWnd* owner) : m_pOwner(owner) {}
    ~InfoWnd() override;

    // The modeless window from template 296, without parent.
    BOOL CreateStrip();

    // Skin set-up
    void SetListFont(const CString& face, int tenthsOfPoint);
    void SetColors(COLORREF background, COLORREF text);
    // Places the picture (a square at the left) and the details list in the
    // client area and applies the font, the colours and the columns.
    void SetupLayout();
    // Whether the user may hide and show the strip.
    void SetToggleable(bool toggleable) { m_bToggleable = toggleable; }
    bool IsToggleable() const { return m_bToggleable; }

    // The texts of the current track (a copy is kept and shown).
    void SetTrackInfo(TrackInfoTexts info);
    const TrackInfoTexts& GetTrackInfo() const { return m_info; }
    // The rectangle the skin gave it, in screen coordinates.
    void SetHomeRect(const CRect& rect) { m_rcHome = rect; }
    CRect GetHomeRect() const { return m_rcHome; }
    CWnd* GetOwnerWindow() const { return m_pOwner; }
    COLORREF GetBackColor() const { return m_crBack; }
    COLORREF GetTextColor() const { return m_crText; }

    BOOL OnInitDialog() override;
    void OnCancel() override {}
    void OnOK() override {}

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(CDC* pDC);                                 // ON_WM_ERASEBKGND
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);     // ON_WM_CTLCOLOR

private:
    void FillDetails();

    CWnd* m_pOwner = nullptr;
    CListCtrl m_details;
    CFont m_font;
    CBrush m_brush;
    COLORREF m_crBack = RGB(0, 0, 0);
    COLORREF m_crText = RGB(255, 255, 255);
    bool m_bToggleable = false;
    CRect m_rcHome;
    TrackInfoTexts m_info;
};
