// TXVVUMeter: a level meter drawn from two images (the skin's "VU"
// meters): the off image whole, and the on image over the lit part.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CGdiObject.h"
#include "widgets/drawing/OffscreenStatic.h"

class TXVVUMeter : public COffscreenStatic
{
public:
    // Construction
    TXVVUMeter() = default;

    // Attributes
    int GetLevel() const { return m_nLevel; }
    bool IsVertical() const { return m_bVertical; }
    bool IsReverse() const { return m_bReverse; }

    // Operations
    // Loads both images from files; an image that fails stays empty.
    void LoadBitmaps(const CString& offPath, const CString& onPath);
    void SetVertical(bool vertical) { m_bVertical = vertical; }
    void SetReverse(bool reverse) { m_bReverse = reverse; }
    // Percent 0..100 (not clipped); repaints.
    void SetLevel(int level);

    // Overridables
    void Paint(CDC* pDC) override;

private:
    int m_nLevel = 0;
    CBitmap m_bmpOff;
    CBitmap m_bmpOn;
    bool m_bVertical = true;
    bool m_bReverse = false;
};
