#include "library/browse/ThumbnailPicture.h"

#include <gdiplus.h>

#include <vector>

HBITMAP browse::MakeThumbnailBitmap(const CString& file, int size)
{
    using namespace Gdiplus;
    using namespace Gdiplus::DllExports;
    const int length = MultiByteToWideChar(CP_ACP, 0, file.GetString(), -1, nullptr, 0);
    if (length <= 0 || size <= 0)
        return nullptr;
    std::vector<WCHAR> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, file.GetString(), -1, wide.data(), length);
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(wide.data(), &bitmap) != Ok || !bitmap)
        return nullptr;
    GpImage* thumbnail = nullptr;
    HBITMAP handle = nullptr;
    if (GdipGetImageThumbnail(bitmap, static_cast<UINT>(size), static_cast<UINT>(size), &thumbnail,
                              nullptr, nullptr) == Ok && thumbnail) {
        if (GdipCreateHBITMAPFromBitmap(static_cast<GpBitmap*>(thumbnail), &handle, 0) != Ok)
            handle = nullptr;
        GdipDisposeImage(thumbnail);
    }
    GdipDisposeImage(bitmap);
    return handle;
}
