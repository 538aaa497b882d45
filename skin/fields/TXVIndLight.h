// TXVIndLight: a skinned indicator light (skin element "indlight"): an on
// and an off image drawn over the skin under it, leaving out the key
// colour. A light of a hidden item is never ready and ignores SetState.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CGdiObject.h"
#include "widgets/drawing/OffscreenStatic.h"

class TXVIndLight : public COffscreenStatic
{
public:
    // Construction
    TXVIndLight() = default;
    ~TXVIndLight() override;

    // Attributes
    bool GetState() const { return m_bState; }
    bool IsReady() const { return m_bReady; }
    COLORREF GetKeyColor() const { return m_clrKey; }

    // Operations
    bool LoadOnImage(const CString& path);
    bool LoadOffImage(const CString& path);
    void SetReady(bool ready) { m_bReady = ready; }
    // Copies the skin under the light and keeps the key colour.
    void GrabBackground(COLORREF key);
    void SetState(bool on);

    // Overridables
    void Paint(CDC* pDC) override;

private:
    bool m_bState = false;
    HBITMAP m_hOn = nullptr;
    HBITMAP m_hOff = nullptr;
    bool m_bGrabbed = false;
    CBitmap m_bmpBackground;
    COLORREF m_clrKey = RGB(0, 255, 0);
    bool m_bReady = false;
};
