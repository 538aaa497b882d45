// Track lengths as texts and back, and the small file tests of the library.
#include "library/state/FileTexts.h"

#include "foundation/app/ProgramFolder.h"
#include "library/file/LibraryFileFormat.h"
#include "library/state/LibraryState.h"

#include <windows.h>

#include <cstdlib>
#include <ctime>

CString filetexts::LibraryIniPath()
{
    return GetProgramFolder() + "KVLib.ini";
}

CString filetexts::SecondsToString(int seconds)
{
    int minutes = seconds / 60;
    CString text;
    text.Format("%03d:%02d", minutes, minutes > 0 ? seconds % 60 : seconds);
    return text;
}

CString filetexts::SecondsToHHMMSS(int seconds)
{
    int minutes = seconds / 60;
    CString text;
    text.Format("%d:%02d:%02d", minutes / 60, minutes % 60, seconds % 60);
    return text;
}

// Minutes and seconds only: an hours part is not understood.
int filetexts::StringToSeconds(const CString& text)
{
    int pos = text.Find(':');
    int minutes = pos > 0 ? atoi(text.Left(pos)) : 0;
    int seconds = atoi(text.Mid(pos + 1, 2));
    return minutes * 60 + seconds;
}

bool filetexts::Exists(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) != 0;
}

bool filetexts::IsReadOnly(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) != 0
        && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The low 32 bits of the size, as the library lists show it.
int filetexts::GetFileSize(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return static_cast<int>(data.nFileSizeLow);
}

bool filetexts::CopyOurFile(const CString& source, const CString& target)
{
    return CopyFileA(source, target, FALSE) != 0;
}

namespace {

CString LocalTimeText(const FILETIME& ft, const char* format)
{
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    // 100-ns steps since 1601 to seconds since 1970.
    __time64_t secs = static_cast<__time64_t>(t.QuadPart / 10000000ULL) - 11644473600LL;
    struct tm local;
    char buffer[128] = {};
    if (_localtime64_s(&local, &secs) == 0)
        strftime(buffer, sizeof buffer, format, &local);
    return CString(buffer);
}

} // namespace

void GetLibFileInfo(CString path, LIB_INFO* info)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        info->FileSize = static_cast<int32_t>(data.nFileSizeLow);
        info->Created = LocalTimeText(data.ftCreationTime, "%B %d, %Y %H:%M");
        info->Modified = LocalTimeText(data.ftLastWriteTime, "%m/%d/%y, %H:%M");
    }
    LibraryFileFormat* format = GetLibraryFileFormat();
    if (!format || !format->GetLibInfo(path, info)) {
        info->Tracks = 0;
        info->Version = "N/A";
    }
}
