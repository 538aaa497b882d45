#include "audio/cdplayer/CDCatalogFile.h"

#include "foundation/app/AtomicFile.h"
#include "foundation/xml/XmlMarkup.h"

#include <string>

namespace {

// The file's bytes; false with the system's error when it cannot be read.
// A missing file reads as no bytes and sets *exists false.
bool ReadBytes(const CString& path, std::string& bytes, bool& exists, DWORD& error)
{
    bytes.clear();
    exists = false;
    const HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    exists = true;
    bool ok = true;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file, &size)) {
        error = ::GetLastError();
        ok = false;
    } else if (static_cast<unsigned long long>(size.QuadPart) > XmlMarkup::MaxLength / 2) {
        error = ERROR_FILE_TOO_LARGE;
        ok = false;
    } else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty()) {
            if (!::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) {
                error = ::GetLastError();
                ok = false;
            } else if (read != bytes.size()) {
                error = ERROR_HANDLE_EOF;   // the file shrank while it was read
                ok = false;
            }
        }
    }
    ::CloseHandle(file);
    return ok;
}

} // namespace

bool ReadCatalogFile(const CString& path, CString& text, DWORD* error)
{
    std::string bytes;
    bool exists = false;
    DWORD code = 0;
    if (!ReadBytes(path, bytes, exists, code) || !exists) {
        if (error)
            *error = exists ? code : ERROR_FILE_NOT_FOUND;
        return false;
    }
    text = CDCatalogJoinLines(bytes.data(), bytes.size());
    return true;
}

CDCatalogSave AppendToCatalogFile(const CString& path, const CDCatalogAlbum& album, DWORD* error,
                                  void (*eachLine)())
{
    DWORD code = 0;
    std::string bytes;
    bool exists = false;
    if (!ReadBytes(path, bytes, exists, code)) {
        if (error)
            *error = code;
        return CDCatalogSave::ReadFailed;
    }
    CString text;
    if (exists)
        text = CDCatalogJoinLines(bytes.data(), bytes.size(), eachLine);
    CString result;
    if (!CDCatalogAppend(text, album, result))
        return CDCatalogSave::NotACatalogue;
    if (!AtomicFile::WriteWhole(path, result.GetString(), static_cast<DWORD>(result.GetLength()), &code)) {
        if (error)
            *error = code;
        return CDCatalogSave::WriteFailed;
    }
    return CDCatalogSave::Written;
}
