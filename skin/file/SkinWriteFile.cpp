// The write-back's file side: read the whole skin file, edit it, replace it
// atomically (a failure leaves the old file whole).
#include "skin/file/Skin.h"

#include "foundation/app/AtomicFile.h"

namespace {

template <class Edit>
int RewriteSkin(const CString& path, Edit edit)
{
    CString text;
    if (!Skin::ReadSkinText(path, text))
        return -1;
    const int result = edit(text);
    if (result != 0)
        return result;
    if (!AtomicFile::WriteWhole(path, text.GetString(), static_cast<DWORD>(text.GetLength())))
        return -1;
    return 0;
}

} // namespace

int Skin::SaveFont(const CString& path, const CString& element, const CString& action,
                   const CString& face, int sizePoints)
{
    return RewriteSkin(path, [&](CString& text) {
        return SaveFontText(text, element, action, face, sizePoints);
    });
}

int Skin::SaveColors(const CString& path, const CString& element, const CString& action,
                     uint32_t bkColor, uint32_t txColor)
{
    return RewriteSkin(path, [&](CString& text) {
        return SaveColorsText(text, element, action, bkColor, txColor);
    });
}
