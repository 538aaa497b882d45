// ImageObject: holds one bitmap or icon and draws it into a rectangle of a
// device context, clipped to it, or stretched to it.
#pragma once

#include <windows.h>

class ImageObject
{
public:
    // SetImage flags
    enum : UINT { kIcon = 1, kBitmap = 2, kOwned = 4 };
    // Draw style: stretch the image to the rectangle (colour on colour).
    enum : UINT { kStretch = 0x20 };

    // Construction
    ImageObject() = default;
    ~ImageObject();
    ImageObject(const ImageObject&) = delete;
    ImageObject& operator=(const ImageObject&) = delete;

    // Attributes
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasTransparentColour() const { return m_transparentSet; }

    // Operations
    // Exactly one of kIcon and kBitmap for a non-null handle, else false
    // and nothing changes. With kOwned the object deletes the image when it
    // is replaced or destroyed.
    bool SetImage(HANDLE image, UINT flags);
    // Draws into (x, y, width, height) of dc, clipped to it.
    bool Draw(HDC dc, int x, int y, int width, int height, UINT style);

private:
    void Free();

    HANDLE m_image = nullptr;
    bool m_icon = false;
    bool m_owned = false;
    int m_width = 0;
    int m_height = 0;
    UINT m_style = 0;
    COLORREF m_transparent = CLR_INVALID;
    bool m_transparentSet = false; // taken from the image's corner when first drawn
};
