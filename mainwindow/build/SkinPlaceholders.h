// The panes of the skin whose own classes are not part of the program yet
// (the jukebox panes, the album-art views, the jukebox list, the video
// window on the skin): each stands in with a child window at the item's
// place and id that shows the skin background under it, draws nothing of
// its own and ignores every set-up call. A part that brings the real class
// hands its object to MainControls before the builders run.
#pragma once

#include "skin/create/SkinPaneSeams.h"
#include "widgets/drawing/OffscreenStatic.h"

class SkinPlaceholderWnd : public COffscreenStatic
{
public:
    BOOL CreatePlaceholder(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void Paint(CDC* pDC) override;
};

class PlaceholderJukePane : public SkinJukePane
{
public:
    BOOL CreatePane(DWORD style, const RECT& rect, CWnd* parent, UINT id) override
    {
        return m_wnd.CreatePlaceholder(style, rect, parent, id);
    }
    void SetSlotNumber(int slot) override { m_nSlot = slot; }
    void SetColors(const CString&, const CString&) override {}
    void SetFont(const CString&, int) override {}
    void ShowBorder(bool) override {}
    void SetBorderColor(COLORREF) override {}
    int GetSlotNumber() const { return m_nSlot; }
    CWnd& Window() { return m_wnd; }

private:
    SkinPlaceholderWnd m_wnd;
    int m_nSlot = 0;
};

class PlaceholderAlbumArt : public SkinAlbumArt
{
public:
    BOOL CreateView(DWORD style, const RECT& rect, CWnd* parent, UINT id) override
    {
        return m_wnd.CreatePlaceholder(style, rect, parent, id);
    }
    HWND GetViewWindow() const override { return m_wnd.m_hWnd; }
    void SetHasArt(bool) override {}
    void GrabBackground() override {}
    void SetDefaultImage(const CString&) override {}
    void SetArtFileName(const CString&) override {}
    void ShowTrackArt(const CString&) override {}
    void SetBorder(bool) override {}

private:
    SkinPlaceholderWnd m_wnd;
};

// The jukebox list: made with the list style the builder gives (shown or
// hidden as the item says).
class PlaceholderListControl : public SkinListControl
{
public:
    explicit PlaceholderListControl(DWORD style) : m_style(style) {}
    BOOL CreateFromSkin(const SkinItem& item, CWnd* parent) override;
    CWnd& Window() { return m_wnd; }

private:
    DWORD m_style;
    SkinPlaceholderWnd m_wnd;
};
