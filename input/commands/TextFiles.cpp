#include "input/commands/TextFiles.h"

#include "foundation/app/AtomicFile.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

CString SystemText(const char* what, DWORD error)
{
    CString text;
    text.Format("%s (error %lu)", what, static_cast<unsigned long>(error));
    return text;
}

} // namespace

bool ReadWholeTextFile(const CString& path, CString& text, CString& reason, size_t maxBytes)
{
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = SystemText("cannot open the file", ::GetLastError());
        return false;
    }
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) != FALSE;
    if (!ok)
        reason = SystemText("cannot read the file's size", ::GetLastError());
    else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        ok = false;
        reason = "the file is too large";
    }
    std::string bytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD done = 0;
        size_t at = 0;
        while (ok && at < bytes.size()) {
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 20));
            ok = ::ReadFile(file, &bytes[at], want, &done, nullptr) != FALSE;
            if (!ok)
                reason = SystemText("cannot read the file", ::GetLastError());
            else if (done == 0)
                break;
            at += done;
        }
        bytes.resize(at);
    }
    ::CloseHandle(file);
    if (ok)
        text = CString(bytes.c_str(), static_cast<int>(bytes.size()));
    return ok;
}

bool WriteTextFileAtomically(const CString& path, const CString& text, CString& reason)
{
    DWORD error = 0;
    if (AtomicFile::WriteWhole(path, text.GetString(), static_cast<DWORD>(text.GetLength()), &error))
        return true;
    reason = SystemText("cannot write the file", error);
    return false;
}
