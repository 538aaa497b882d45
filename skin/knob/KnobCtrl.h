// KnobCtrl: the skin's rotary knob: a trackbar that draws itself from
// bitmaps (background, knob, dot), shows a dot on a circle at the angle of
// its position, turns with vertical drags and keys, and posts WM_VSCROLL
// (SB_THUMBPOSITION, position) to its parent at every change.
//
// The knob owns its bitmaps; one bitmap given to two slots (the skin's
// knob image is background and knob at once) is deleted once.
#pragma once

#include "framework/ui/CSliderCtrl.h"
#include "framework/ui/MessageMap.h"
#include "skin/knob/KnobGeometry.h"
#include "skin/knob/TransparentBitmap.h"

class KnobCtrl : public CSliderCtrl
{
public:
    enum Slot { SLOT_BACKGROUND = 0, SLOT_KNOB = 1, SLOT_DOT = 2, SLOT_COUNT = 3 };

    // Construction
    KnobCtrl() = default;
    ~KnobCtrl() override;

    // Attributes
    KnobPoint GetDotPos() const { return m_dot; }
    KnobPoint GetKnobPos() const { return m_knob; }
    KnobPoint GetCentre() const { return m_centre; }
    bool IsDragging() const { return m_bDragging; }
    void SetDotHidden(bool hidden) { m_bDotHidden = hidden; }
    void SetDrawBackground(bool draw) { m_bDrawBackground = draw; }
    HBITMAP GetSlotBitmap(int slot) const;

    // Operations
    virtual void SetRadius(int radius);
    virtual int GetRadius() const { return m_nRadius; }
    virtual void SetUserValue(int value) { m_nUserValue = value; }
    virtual int GetUserValue() const { return m_nUserValue; }
    // Moves the knob (within minimum .. maximum + 1); unless quiet, posts
    // the change to the parent. True when the position changed.
    virtual bool SetKnobPos(int position, bool quiet);
    virtual void StepPos(int delta);

    void SetTransparentColor(COLORREF colour) { m_clrKey = colour; }
    // Puts the bitmap into the slot (the knob owns it from now on) and
    // hands back the slot's bitmap before, which is the caller's again
    // (null when none, or when another slot still holds it).
    HBITMAP SetBitmap(HBITMAP bitmap, int slot);

    // The picture: background, knob and dot.
    void Paint(CDC* pDC);

    // Creates the trackbar window with the knob's range and steps.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Overridables
    // A trackbar subclassed after its creation gets the knob's range and steps.
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();                                        // ON_WM_PAINT
    BOOL OnEraseBkgnd(CDC* pDC);                           // ON_WM_ERASEBKGND
    void OnLButtonDown(UINT nFlags, CPoint point);         // ON_WM_LBUTTONDOWN
    void OnMouseMove(UINT nFlags, CPoint point);           // ON_WM_MOUSEMOVE
    void OnLButtonUp(UINT nFlags, CPoint point);           // ON_WM_LBUTTONUP
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags); // ON_WM_KEYDOWN
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);   // ON_MESSAGE(WM_PRINTCLIENT)

private:
    void RedrawNow();
    void SetUpTrackbar();
    bool SharedWithOtherSlot(int slot) const;

    bool m_bDotHidden = false;
    bool m_bDrawBackground = true;
    int m_nUserValue = 0;
    int m_nRadius = 0;
    bool m_bDragging = false;
    TransparentBitmap m_slots[SLOT_COUNT];
    KnobPoint m_dot;
    KnobPoint m_knob;
    KnobPoint m_centre;
    CPoint m_ptLast;
    COLORREF m_clrKey = RGB(0, 255, 0);
};
