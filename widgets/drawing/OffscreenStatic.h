// COffscreenStatic: a static control that draws itself in one paint
// function: WM_PAINT composes the picture off-screen (MemDC) and copies it
// to the window once, WM_ERASEBKGND erases nothing, and WM_PRINTCLIENT
// draws the same picture into the given context. The needle meter and the
// bitmap slider are such controls.
#pragma once

#include "framework/ui/CDC.h"
#include "framework/ui/CStatic.h"

class COffscreenStatic : public CStatic
{
public:
    // Overridables
    // Composes the whole control onto pDC.
    virtual void Paint(CDC* pDC) = 0;

protected:
    // The area a paint composes (the client rectangle).
    virtual CRect PaintArea();

    DECLARE_MESSAGE_MAP()
    void OnPaint();                                      // ON_WM_PAINT
    BOOL OnEraseBkgnd(CDC* pDC);                         // ON_WM_ERASEBKGND
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam); // ON_MESSAGE(WM_PRINTCLIENT)
};
