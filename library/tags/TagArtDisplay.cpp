// Drawing a tag's picture into a static control.
#include "library/tags/TagArtDisplay.h"

#include "foundation/drawing/ImageObject.h"
#include "foundation/drawing/MemDC.h"
#include "foundation/drawing/Picture.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/Prompts.h"
#include "library/tags/TagWriting.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

namespace {

// The temporary picture file as a bitmap of our own (the caller deletes
// it), or null when it cannot be read or is no bitmap picture.
HBITMAP LoadTempArtBitmap()
{
    HANDLE file = CreateFileA(tags::TempTagArtPath(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    const DWORD size = GetFileSize(file, nullptr);
    HGLOBAL memory = size != INVALID_FILE_SIZE && size > 0 ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    bool read = false;
    if (memory) {
        void* bytes = GlobalLock(memory);
        DWORD got = 0;
        read = bytes && ReadFile(file, bytes, size, &got, nullptr) && got == size;
        GlobalUnlock(memory);
    }
    CloseHandle(file);
    if (!read) {
        if (memory)
            GlobalFree(memory);
        return nullptr;
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HBITMAP copy = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture))) && picture) {
        SHORT type = PICTYPE_UNINITIALIZED;
        OLE_HANDLE handle = 0;
        if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
            SUCCEEDED(picture->get_Handle(&handle)) && handle)
            copy = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        picture->Release();
    }
    stream->Release();
    return copy;
}

} // namespace

bool tags::DisplayTagArt(CStatic* control, CString path)
{
    if (!control || !control->GetSafeHwnd() || !HasPicture(path))
        return false;
    CPicture picture;
    picture.FreePicture();
    control->Invalidate(TRUE);
    control->UpdateWindow();
    GetID3Picture(path);
    if (!picture.Load(TempTagArtPath()))
        return false;
    CDC* dc = control->GetDC();
    if (!dc)
        return false;
    CRect rect;
    control->GetClientRect(&rect);
    {
        MemDC mem(dc, &rect);
        picture.Render(&mem, rect);
    }
    control->ReleaseDC(dc);
    return true;
}

bool tags::DisplayTagArtToDC(CString path, CDC* target, CStatic* control)
{
    if (!HasPicture(path)) {
        AfxPromptMessageBox(nullptr, "No art in file", nullptr, MB_OK);
        return false;
    }
    if (!GetID3Picture(path)) {
        AfxPromptMessageBox(nullptr, "Couldn't get file", nullptr, MB_OK);
        return false;
    }
    if (!control || !control->GetSafeHwnd())
        return false;
    HBITMAP bitmap = LoadTempArtBitmap();
    if (!bitmap)
        return false;
    ImageObject image;
    image.SetImage(bitmap, ImageObject::kBitmap | ImageObject::kOwned);
    CRect rect;
    control->GetClientRect(&rect);
    // The picture goes to the given context, or to the control itself.
    CDC* own = target ? nullptr : control->GetDC();
    CDC* dc = target ? target : own;
    const bool drawn = dc && image.Draw(dc->GetSafeHdc(), rect.left, rect.top, rect.Width(),
                                        rect.Height(), 0x22);
    if (own)
        control->ReleaseDC(own);
    return drawn;
}
