#include "foundation/drawing/ImageObject.h"

ImageObject::~ImageObject()
{
    Free();
}

void ImageObject::Free()
{
    if (m_image && m_owned) {
        if (m_icon)
            DestroyIcon(static_cast<HICON>(m_image));
        else
            DeleteObject(m_image);
    }
    m_image = nullptr;
    m_owned = false;
    m_width = m_height = 0;
}

bool ImageObject::SetImage(HANDLE image, UINT flags)
{
    const bool icon = (flags & kIcon) != 0;
    const bool bitmap = (flags & kBitmap) != 0;
    if (image && icon == bitmap)
        return false;
    Free();
    m_image = image;
    m_icon = icon;
    m_owned = image && (flags & kOwned) != 0;
    m_transparentSet = false;
    if (!image)
        return true;
    HBITMAP measured = static_cast<HBITMAP>(image);
    ICONINFO info = {};
    if (icon) {
        if (!GetIconInfo(static_cast<HICON>(image), &info))
            return true;
        measured = info.hbmColor ? info.hbmColor : info.hbmMask;
    }
    BITMAP bm = {};
    if (GetObject(measured, sizeof bm, &bm)) {
        m_width = bm.bmWidth;
        m_height = bm.bmHeight;
    }
    if (icon) {
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
    return true;
}

bool ImageObject::Draw(HDC dc, int x, int y, int width, int height, UINT style)
{
    if (!dc || !m_image || width <= 0 || height <= 0)
        return false;
    m_style = style;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, x + width, y + height);
    const bool stretch = (style & kStretch) != 0;
    bool drawn = false;
    if (m_icon) {
        drawn = DrawIconEx(dc, x, y, static_cast<HICON>(m_image), stretch ? width : m_width,
                           stretch ? height : m_height, 0, nullptr, DI_NORMAL) != 0;
    } else {
        HDC source = CreateCompatibleDC(dc);
        if (source) {
            HGDIOBJ old = SelectObject(source, m_image);
            if (!m_transparentSet) {
                m_transparent = GetPixel(source, 0, 0);
                m_transparentSet = true;
            }
            if (stretch) {
                SetStretchBltMode(dc, COLORONCOLOR);
                drawn = StretchBlt(dc, x, y, width, height, source, 0, 0, m_width, m_height,
                                   SRCCOPY) != 0;
            } else {
                drawn = BitBlt(dc, x, y, m_width, m_height, source, 0, 0, SRCCOPY) != 0;
            }
            SelectObject(source, old);
            DeleteDC(source);
        }
    }
    RestoreDC(dc, saved);
    return drawn;
}
