// What the skin's creators ask of the panes that other parts of the
// program build: the jukebox panes, the album-art views and the lists and
// trees. Their classes implement these; until then nothing does, and the
// main window's builders do not call the creators for them.
//
// Classes: SkinJukePane, SkinAlbumArt, SkinListControl.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CWnd.h"

struct SkinItem;

// A jukebox pane ("j1" .. "j10").
class SkinJukePane
{
public:
    virtual ~SkinJukePane() = default;
    virtual BOOL CreatePane(DWORD style, const RECT& rect, CWnd* parent, UINT id) = 0;
    virtual void SetSlotNumber(int slot) = 0;
    virtual void SetColors(const CString& textColor, const CString& backColor) = 0;
    virtual void SetFont(const CString& face, int tenthsOfPoint) = 0;
    virtual void ShowBorder(bool show) = 0;
    virtual void SetBorderColor(COLORREF colour) = 0;
};

// An album-art view ("arta" .. "artd", "jukeart", "artbuddy").
class SkinAlbumArt
{
public:
    virtual ~SkinAlbumArt() = default;
    // The view's window once created (null before).
    virtual BOOL CreateView(DWORD style, const RECT& rect, CWnd* parent, UINT id) = 0;
    virtual HWND GetViewWindow() const = 0;
    virtual void SetHasArt(bool hasArt) = 0;
    virtual void GrabBackground() = 0;
    virtual void SetDefaultImage(const CString& image) = 0;
    virtual void SetArtFileName(const CString& name) = 0;
    virtual void ShowTrackArt(const CString& path) = 0;
    virtual void SetBorder(bool border) = 0;
    // Shows a picture file (a downloaded cover).
    virtual void ShowImageFile(const CString& /*file*/) {}
};

// A track list, thumbnail list, tree or navigation list: it makes its own
// window from the item under the given parent.
class SkinListControl
{
public:
    virtual ~SkinListControl() = default;
    virtual BOOL CreateFromSkin(const SkinItem& item, CWnd* parent) = 0;
};
