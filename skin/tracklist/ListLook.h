// What the track list and the thumbnail list share of their look: the
// skin's colours, the list font with its small font two points smaller,
// and hiding the scroll bars.
//
// Classes: ListScrollBarHiding.
#pragma once

#include "framework/ui/AfxWin.h"

// Background and text colours of the list, its rows' text background too.
void ApplyListColours(CListCtrl& list, COLORREF background, COLORREF text);

// The list font at size (tenths of a point) and the small font at size - 20,
// the list font given to the list (with redraw) when it has a window.
void MakeListFonts(CWnd& list, CFont& font, CFont& small, const CString& face, int size);

// Hiding a list's scroll bars; which: 0 horizontal, 1 vertical, 3 both.
class ListScrollBarHiding
{
public:
    // mode 1: grows the window by the bars' sizes without moving it and
    // clips it back with a window region to the client size it had, less 2
    // pixels on the hidden sides. mode 2: marks the bars, removed at every
    // later size calculation.
    void Hide(CWnd& list, int mode, int which);
    // Before a WM_NCCALCSIZE's default processing: removes the marked bars'
    // styles.
    void BeforeNcCalcSize(HWND list) const;

private:
    bool m_bPending = false;
    int m_nWhich = 0;
};
