#include "skin/fields/TXVIndLight.h"

#include "foundation/drawing/DrawingHelpers.h"
#include "skin/fields/SkinBackground.h"

namespace {

HBITMAP LoadFileBitmap(const CString& path)
{
    return static_cast<HBITMAP>(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

} // namespace

TXVIndLight::~TXVIndLight()
{
    if (m_hOn)
        ::DeleteObject(m_hOn);
    if (m_hOff)
        ::DeleteObject(m_hOff);
}

bool TXVIndLight::LoadOnImage(const CString& path)
{
    if (m_hOn)
        ::DeleteObject(m_hOn);
    m_hOn = LoadFileBitmap(path);
    return m_hOn != nullptr;
}

bool TXVIndLight::LoadOffImage(const CString& path)
{
    if (m_hOff)
        ::DeleteObject(m_hOff);
    m_hOff = LoadFileBitmap(path);
    return m_hOff != nullptr;
}

void TXVIndLight::GrabBackground(COLORREF key)
{
    m_clrKey = key;
    m_bGrabbed = GrabSkinBackground(this, m_bmpBackground);
}

void TXVIndLight::SetState(bool on)
{
    if (!m_bReady)
        return;
    // The static control shows the image too; the light keeps ownership.
    SetBitmap(on ? m_hOn : m_hOff);
    m_bState = on;
    if (m_hWnd)
        Invalidate();
}

void TXVIndLight::Paint(CDC* pDC)
{
    if (m_bGrabbed)
        DrawGrabbedBackground(pDC, m_bmpBackground);
    if (HBITMAP image = m_bState ? m_hOn : m_hOff)
        DrawTransparentBitmap(pDC, image, 0, 0, m_clrKey);
}
