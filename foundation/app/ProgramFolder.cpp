#include "foundation/app/ProgramFolder.h"

#include <windows.h>

#include <mutex>

namespace {

std::mutex g_folderLock;
CString g_folder;   // empty: the running program's folder

CString RunningProgramFolder()
{
    char path[MAX_PATH + 1] = {0};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path, static_cast<int>(length));
    int slash = folder.ReverseFind('\\');
    return slash >= 0 ? folder.Left(slash + 1) : CString();
}

} // namespace

CString GetProgramFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_folderLock);
        if (!g_folder.IsEmpty())
            return g_folder;
    }
    return RunningProgramFolder();
}

void SetProgramFolder(const CString& folder)
{
    CString value = folder;
    if (!value.IsEmpty() && value[value.GetLength() - 1] != '\\' && value[value.GetLength() - 1] != '/')
        value += '\\';
    std::lock_guard<std::mutex> lock(g_folderLock);
    g_folder = value;
}
