// TXVSplitter: the bar between the library tree and the track list. It
// paints itself; the main window's mouse handlers drag it.
// TXVSpectrumCtrl: the pane the dAredero player's spectrum draws into.
#pragma once

#include "framework/ui/CGdiObject.h"
#include "widgets/drawing/OffscreenStatic.h"

class TXVSplitter : public COffscreenStatic
{
public:
    // Operations
    // The fill, a second colour (kept, not drawn) and the frame.
    void SetColors(COLORREF fill, COLORREF second, COLORREF frame);
    bool GrabBackground();
    // The window rectangle in screen coordinates.
    CRect GetScreenRect() const;

    // Attributes
    bool IsTransparent() const { return m_bTransparent; }
    COLORREF GetSecondColor() const { return m_clrSecond; }

    // Overridables
    void Paint(CDC* pDC) override;

private:
    COLORREF m_clrFill = 0;
    COLORREF m_clrSecond = 0;
    COLORREF m_clrFrame = 0;
    CBitmap m_bmpBackground;
    bool m_bTransparent = false;
};

class TXVSpectrumCtrl : public COffscreenStatic
{
public:
    // Overridables: black; the player draws the bars.
    void Paint(CDC* pDC) override;
};
