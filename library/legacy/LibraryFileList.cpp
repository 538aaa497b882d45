// The list of the library files in a folder (and its subfolders), with
// each file's date, track count and version.
#include "library/legacy/LegacyFiles.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/CListCtrl.h"
#include "library/api/LibraryTypes.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"

#include <windows.h>

#include <exception>

namespace {

// The row image of a library file.
const int kLibraryImage = 14;

enum class Listing
{
    Done,
    Stopped,
};

// The header facts of one file; a file that cannot be opened or read
// shows no track count and "N/A", like one whose header is damaged.
LIB_INFO InfoOf(const CString& path)
{
    LIB_INFO info;
    try {
        GetLibFileInfo(path, &info);
    } catch (const CException&) {
        info.Tracks = 0;
        info.Version = "N/A";
    } catch (const std::exception&) {
        info.Tracks = 0;
        info.Version = "N/A";
    }
    return info;
}

void InsertRow(CListCtrl* list, int position, const CString& name, const CString& path)
{
    const LIB_INFO info = InfoOf(path);
    const int row = list->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, position, name, 0, 0,
                                     kLibraryImage, position);
    CString tracks;
    tracks.Format("%d", static_cast<int>(info.Tracks));
    list->SetItemText(row, 1, info.Modified);
    list->SetItemText(row, 2, tracks);
    list->SetItemText(row, 3, info.Version);
    list->SetItemText(row, 4, path);
}

// Lists one folder; rows counts the rows this level inserted.
Listing ListFolder(const CString& extension, const CString& folder, CListCtrl* list,
                   bool recurse, int& rows)
{
    rows = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "\\*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return Listing::Done;
    Listing result = Listing::Done;
    const HWND parent = ::GetParent(list->GetSafeHwnd());
    do {
        if (parent && EscapeAbortPrompt(parent, kAbortFileSearchText)) {
            result = Listing::Stopped;
            break;
        }
        ProcessMessages();
        const CString name = found.cFileName;
        const CString path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == "." || name == ".." || !recurse)
                continue;
            int below = 0;
            if (ListFolder(extension, path, list, recurse, below) == Listing::Stopped) {
                result = Listing::Stopped;
                break;
            }
            continue;
        }
        CString lower = name;
        lower.MakeLower();
        if (lower.Right(3) != extension)
            continue;
        InsertRow(list, rows, name, path);
        ++rows;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

} // namespace

int legacy::DisplayLibs(const CString& extension, const CString& folder, CListCtrl* list,
                        bool recurse, bool* aborted, CImageList* images)
{
    if (!aborted || !list)
        return -1;
    list->SetImageList(images, LVSIL_SMALL);
    int rows = 0;
    if (ListFolder(extension, folder, list, recurse, rows) == Listing::Stopped) {
        *aborted = true;
        return -1;
    }
    return rows;
}
