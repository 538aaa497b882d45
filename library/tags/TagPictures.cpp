// Attached pictures of MP3 tags: test, extract into the temporary picture
// file, embed, remove, and save to a file the user names.
#include "library/tags/TagWriting.h"

#include "framework/ui/CWinApp.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "library/file/SafeFileWrite.h"
#include "library/state/FileTexts.h"
#include "library/tags/Id3TagFile.h"
#include "library/tags/Id3v2Tag.h"

#include <id3/tag.h>

#include <windows.h>

#include <string>

namespace {

const char* const kTempArtName = "VIVedavAda.did";

bool EndsWithNoCase(const CString& text, const char* ending)
{
    CString lower = text;
    lower.MakeLower();
    const int length = static_cast<int>(strlen(ending));
    return lower.GetLength() >= length && lower.Right(length) == ending;
}

// The whole image file, at most what a picture frame may hold; false when
// it is missing, unreadable, empty or larger.
bool ReadImageFile(const CString& image, std::string* bytes)
{
    HANDLE file = CreateFileA(image, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
              size.QuadPart <= static_cast<LONGLONG>(id3v2::ContentLimit("APIC"));
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = ReadFile(file, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &got, nullptr) &&
             got == bytes->size();
    }
    CloseHandle(file);
    return ok;
}

struct SaveChoice
{
    const char* subtype;
    const char* filter; // description and pattern, each ended by a zero byte
    const char* extension;
};

const SaveChoice kSaveChoices[] = {
    {"jpg", "JPG Files \0*.jpg\0", ".jpg"},
    {"gif", "GIF Files \0*.gif\0", ".gif"},
    {"png", "PNG Files \0*.png\0", ".png"},
    {"jpeg", "JPEG Files \0*.jpeg\0", ".jpeg"},
};

} // namespace

CString tags::TempTagArtPath()
{
    CString path;
    path.Format("%s%s", static_cast<const char*>(VIZU::GetLibDLLPath()), kTempArtName);
    return path;
}

CString tags::PictureMimeType(const CString& image)
{
    if (EndsWithNoCase(image, "jpg") || EndsWithNoCase(image, ".jpeg"))
        return "image/jpeg";
    if (EndsWithNoCase(image, "gif"))
        return "image/gif";
    if (EndsWithNoCase(image, "png"))
        return "image/png";
    return CString();
}

bool tags::HasPicture(CString path)
{
    if (EndsWithNoCase(path, "wav"))
        return false;
    try {
        Id3TagFile file(path);
        std::string mime, data;
        return file.FirstPicture(&mime, &data);
    } catch (...) {
        return false;
    }
}

bool tags::GetID3Picture(CString path)
{
    try {
        Id3TagFile file(path);
        const CString temp = TempTagArtPath();
        DeleteFileA(temp);
        std::string mime, data;
        if (!file.FirstPicture(&mime, &data))
            return false;
        return WriteFileWhole(temp, data.data(), data.size()) == SafeWriteResult::Written;
    } catch (...) {
        return false;
    }
}

bool tags::GetID3PictureRAW(CString path, const unsigned char* data)
{
    (void)data; // nothing is delivered through it
    return HasPicture(path);
}

CString tags::GetID3PictureMimeType(CString path)
{
    try {
        Id3TagFile file(path);
        std::string mime, data;
        if (!file.FirstPicture(&mime, &data))
            return CString();
        const size_t slash = mime.find('/');
        return CString(slash == std::string::npos ? mime : mime.substr(slash + 1));
    } catch (...) {
        return CString();
    }
}

bool tags::SetID3Picture(CString path, CString image, bool replace)
{
    if (path.IsEmpty() || image.IsEmpty() || filetexts::IsReadOnly(path))
        return false;
    std::string bytes;
    if (!ReadImageFile(image, &bytes))
        return false;
    try {
        Id3TagFile file(path);
        if (!file.Writable())
            return false;
        if (replace)
            file.RemoveAll(ID3FID_PICTURE);
        if (!file.Tag().Find(ID3FID_PICTURE)) {
            ID3_Frame* frame = new ID3_Frame(ID3FID_PICTURE);
            frame->GetField(ID3FN_MIMETYPE)->Set(static_cast<const char*>(PictureMimeType(image)));
            frame->GetField(ID3FN_DATA)->Set(reinterpret_cast<const uchar*>(bytes.data()),
                                             bytes.size());
            file.Tag().AttachFrame(frame);
        }
        return file.Write();
    } catch (...) {
        return false;
    }
}

bool tags::DeleteID3TagPicture(CString path)
{
    try {
        Id3TagFile file(path);
        if (!file.Writable() || file.RemoveAll(ID3FID_PICTURE) == 0)
            return false;
        return file.Write();
    } catch (...) {
        return false;
    }
}

bool tags::SaveID3PictureFromFile(CString path, CString startFolder)
{
    std::string mime, data;
    try {
        Id3TagFile file(path);
        if (!file.FirstPicture(&mime, &data))
            return false;
    } catch (...) {
        return false;
    }
    const size_t slash = mime.find('/');
    CString subtype(slash == std::string::npos ? mime : mime.substr(slash + 1));
    if (subtype.IsEmpty())
        return false;
    subtype.MakeLower();
    const SaveChoice* choice = nullptr;
    for (const SaveChoice& each : kSaveChoices)
        if (subtype == each.subtype)
            choice = &each;

    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    CWnd* main = AfxGetMainWnd();
    ofn.hwndOwner = main ? main->GetSafeHwnd() : nullptr;
    ofn.lpstrTitle = "Save Tag Art As (No extension needed)";
    ofn.lpstrFilter = choice ? choice->filter : nullptr;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_PATHMUSTEXIST;
    ofn.lpstrInitialDir = startFolder.IsEmpty() ? nullptr : static_cast<const char*>(startFolder);
    if (!AfxPromptFileDialog(&ofn, FALSE))
        return false;
    CString target = name;
    if (choice)
        target += choice->extension;
    if (data.empty())
        return false;
    return WriteFileWhole(target, data.data(), data.size()) == SafeWriteResult::Written;
}

bool tags::DeleteTempTagArt()
{
    const CString temp = TempTagArtPath();
    if (DeleteFileA(temp))
        return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
