#include "widgets/drawing/MaskedBitmap.h"

BOOL GetBitmapSize(HBITMAP bitmap, int* width, int* height)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info))
        return FALSE;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return TRUE;
}

BOOL BuildTransparencyMask(HBITMAP bitmap, COLORREF key, int keyX, int keyY, CBitmap& mask)
{
    int width = 0, height = 0;
    mask.DeleteObject();
    if (!GetBitmapSize(bitmap, &width, &height) || !mask.CreateBitmap(width, height, 1, 1, nullptr))
        return FALSE;
    HDC picture = ::CreateCompatibleDC(nullptr);
    HDC monochrome = ::CreateCompatibleDC(nullptr);
    if (!picture || !monochrome) {
        if (picture)
            ::DeleteDC(picture);
        if (monochrome)
            ::DeleteDC(monochrome);
        mask.DeleteObject();
        return FALSE;
    }
    HGDIOBJ oldPicture = ::SelectObject(picture, bitmap);
    HGDIOBJ oldMask = ::SelectObject(monochrome, mask);
    if (key == kKeyFromPixel)
        key = ::GetPixel(picture, keyX, keyY);
    const COLORREF oldBack = ::SetBkColor(picture, key);
    ::BitBlt(monochrome, 0, 0, width, height, picture, 0, 0, SRCCOPY);
    const COLORREF oldText = ::SetTextColor(picture, RGB(255, 255, 255));
    ::SetBkColor(picture, RGB(0, 0, 0));
    ::BitBlt(picture, 0, 0, width, height, monochrome, 0, 0, SRCAND);
    ::SetTextColor(picture, oldText);
    ::SetBkColor(picture, oldBack);
    ::SelectObject(monochrome, oldMask);
    ::SelectObject(picture, oldPicture);
    ::DeleteDC(monochrome);
    ::DeleteDC(picture);
    return TRUE;
}

void DrawMaskedBitmap(HDC target, HDC work, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask)
{
    HGDIOBJ old = nullptr;
    if (mask) {
        // The target's colours decide how a monochrome mask expands.
        const COLORREF oldText = ::SetTextColor(target, RGB(0, 0, 0));
        const COLORREF oldBack = ::SetBkColor(target, RGB(255, 255, 255));
        old = ::SelectObject(work, mask);
        ::BitBlt(target, x, y, width, height, work, 0, 0, SRCAND);
        ::SelectObject(work, bitmap);
        ::BitBlt(target, x, y, width, height, work, 0, 0, SRCPAINT);
        ::SetTextColor(target, oldText);
        ::SetBkColor(target, oldBack);
    } else {
        old = ::SelectObject(work, bitmap);
        ::BitBlt(target, x, y, width, height, work, 0, 0, SRCCOPY);
    }
    ::SelectObject(work, old);
}

void DrawMaskedBitmap(CDC* pDC, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask)
{
    HDC work = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (!work)
        return;
    DrawMaskedBitmap(pDC->GetSafeHdc(), work, x, y, width, height, bitmap, mask);
    ::DeleteDC(work);
}
