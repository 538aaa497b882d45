#include "skin/knob/TransparentBitmap.h"

TransparentBitmap::~TransparentBitmap() = default;

bool TransparentBitmap::GetSize(int& width, int& height)
{
    if ((m_nWidth <= 0 || m_nHeight <= 0) && m_hObject) {
        BITMAP bm{};
        if (GetBitmap(&bm)) {
            m_nWidth = bm.bmWidth;
            m_nHeight = bm.bmHeight;
        }
    }
    width = m_nWidth;
    height = m_nHeight;
    return m_nWidth > 0 && m_nHeight > 0;
}

HBITMAP TransparentBitmap::Release()
{
    m_mask.DeleteObject();
    m_nWidth = m_nHeight = 0;
    return static_cast<HBITMAP>(Detach());
}

void TransparentBitmap::Take(HBITMAP bitmap)
{
    DeleteObject();
    m_mask.DeleteObject();
    m_nWidth = m_nHeight = 0;
    if (bitmap)
        Attach(bitmap);
}

bool TransparentBitmap::Draw(CDC* pDC, int x, int y)
{
    int w, h;
    if (!GetSize(w, h))
        return false;
    HDC mem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(mem, m_hObject);
    ::BitBlt(pDC->GetSafeHdc(), x, y, w, h, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return true;
}

bool TransparentBitmap::MakeMask(CDC* pDC, COLORREF colour)
{
    int w, h;
    if (!GetSize(w, h))
        return false;
    m_mask.DeleteObject();
    m_mask.Attach(::CreateBitmap(w, h, 1, 1, nullptr));
    HDC image = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HDC mask = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ oldImage = ::SelectObject(image, m_hObject);
    HGDIOBJ oldMask = ::SelectObject(mask, m_mask.m_hObject);
    if (colour != m_clrKey)
        m_clrKey = ::GetPixel(image, 0, 0);
    // A colour bitmap copied into a monochrome one: the background colour
    // becomes 1, everything else 0.
    ::SetBkColor(image, m_clrKey);
    ::BitBlt(mask, 0, 0, w, h, image, 0, 0, SRCCOPY);
    ::SelectObject(mask, oldMask);
    ::SelectObject(image, oldImage);
    ::DeleteDC(mask);
    ::DeleteDC(image);
    return true;
}

bool TransparentBitmap::DrawTransparent(CDC* pDC, int x, int y, COLORREF colour)
{
    int w, h;
    if (!GetSize(w, h))
        return false;
    if (!m_mask.m_hObject && !MakeMask(pDC, colour))
        return false;
    HDC target = pDC->GetSafeHdc();
    HDC work = ::CreateCompatibleDC(target);
    HDC image = ::CreateCompatibleDC(target);
    HDC mask = ::CreateCompatibleDC(target);
    HBITMAP workBitmap = ::CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldWork = ::SelectObject(work, workBitmap);
    HGDIOBJ oldImage = ::SelectObject(image, m_hObject);
    HGDIOBJ oldMask = ::SelectObject(mask, m_mask.m_hObject);
    // destination ^ image, & mask (1 keeps), ^ image: the key colour's
    // pixels give the destination back, the others the image.
    ::BitBlt(work, 0, 0, w, h, target, x, y, SRCCOPY);
    ::BitBlt(work, 0, 0, w, h, image, 0, 0, SRCINVERT);
    ::SetBkColor(work, RGB(255, 255, 255));
    ::SetTextColor(work, RGB(0, 0, 0));
    ::BitBlt(work, 0, 0, w, h, mask, 0, 0, SRCAND);
    ::BitBlt(work, 0, 0, w, h, image, 0, 0, SRCINVERT);
    ::BitBlt(target, x, y, w, h, work, 0, 0, SRCCOPY);
    ::SelectObject(mask, oldMask);
    ::SelectObject(image, oldImage);
    ::SelectObject(work, oldWork);
    ::DeleteObject(workBitmap);
    ::DeleteDC(mask);
    ::DeleteDC(image);
    ::DeleteDC(work);
    return true;
}
