// CNeedleMeterCtrl: the analog level meter of a skin. It draws its
// background picture (which carries the scale) and, over it, a needle that
// swings from 120 degrees (minimum, left) to 60 degrees (maximum, right)
// around a pivot near the bottom centre, visible only within a ring.
//
// The face (the picture in its own memory context, with the geometry and
// the ring region) is built once and reused: a paint composes one copy of
// the face and one clipped triangle off-screen and copies the result to
// the window once. The face holds the picture converted once to the
// paint's format, so that its copy is a plain one (the file's 24-bit
// picture would be converted at every paint).
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "widgets/drawing/OffscreenStatic.h"
#include "widgets/meter/NeedleGeometry.h"

class CNeedleMeterCtrl : public COffscreenStatic
{
public:
    // Construction
    CNeedleMeterCtrl();
    ~CNeedleMeterCtrl() override;

    // Attributes
    void SetValue(double value);                    // not clamped; the needle pins at the ends
    void SetRange(double minimum, double maximum);
    void SetDecimals(int decimals);
    void SetNeedleColor(COLORREF color);
    double GetValue() const { return m_value; }
    double GetMinimum() const { return m_minimum; }
    double GetMaximum() const { return m_maximum; }
    int GetDecimals() const { return m_decimals; }
    COLORREF GetNeedleColor() const { return m_needleColor; }
    BOOL HasFace() const { return m_faceDC.GetSafeHdc() != nullptr; }
    const NeedleFace& GetFace() const { return m_face; }

    // Operations
    // Loads the background picture from a BMP file. FALSE when the file
    // cannot be loaded; the previous picture then stays.
    BOOL LoadBackgroundBitmap(const CString& path);
    // Composes the whole meter (face and needle) onto pDC at the client
    // rectangle's place: the paint's off-screen surface, or any target.
    void Paint(CDC* pDC) override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnSize(UINT nType, int cx, int cy);          // ON_WM_SIZE
    CRect PaintArea() override;

private:
    void BuildFace(CDC* pDC, const CRect& client);
    void DiscardFace();
    void DrawNeedle(CDC* pDC);

    // Data
    double m_value = 0.0;
    double m_minimum = -5.0;
    double m_maximum = 5.0;
    int m_decimals = 3;
    COLORREF m_needleColor = RGB(255, 0, 0);
    CBitmap m_background;
    CDC m_faceDC;
    CBitmap m_faceBitmap;                // the background in the paint DC's format
    HGDIOBJ m_displacedBitmap = nullptr; // what selecting the face displaced
    NeedleFace m_face = {};
    CRgn m_ring;
    CRect m_rcClient;     // from the last WM_SIZE (empty: read when needed)
    CBrush m_needleBrush; // made with the colour, reused by every paint
    CPen m_needlePen;
};
