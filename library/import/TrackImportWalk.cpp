#include "library/import/TrackImportWalk.h"
#include "library/state/MessagePump.h"

#include "framework/ui/Prompts.h"
#include "library/import/TrackImportNames.h"
#include "library/api/VIZU.h"

CString JoinFolderPath(const CString& folder, const CString& name)
{
    // A drive root such as "C:\" must not give "C:\\name": such paths would
    // never match the library's own.
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        return folder + name;
    return folder + "\\" + name;
}

MusicFolderWalk::MusicFolderWalk(HWND escapeWindow, bool subfolders, bool* abort)
    : m_hEscapeWnd(escapeWindow), m_bSubfolders(subfolders),
      m_pAbort(abort ? abort : &m_bOwnAbort)
{
}

MusicFolderWalk::Counts MusicFolderWalk::Walk(const CString& folder)
{
    m_path.clear();
    return WalkAt(folder, 0);
}

bool MusicFolderWalk::EscapeAsked()
{
    return EscapeAbortPrompt(m_hEscapeWnd, kAbortFileSearchText);
}

bool MusicFolderWalk::Enter(const CString& folder)
{
    // A folder that cannot be identified is still searched (the depth limit
    // bounds it); it is kept on the way down as "unknown".
    FolderId id = {0, 0, false};
    HANDLE h = CreateFileA(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info = {};
        if (GetFileInformationByHandle(h, &info)) {
            id.volume = info.dwVolumeSerialNumber;
            id.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
            id.known = true;
        }
        CloseHandle(h);
    }
    if (id.known)
        for (const FolderId& seen : m_path)
            if (seen.known && seen.volume == id.volume && seen.index == id.index)
                return false;
    m_path.push_back(id);
    return true;
}

MusicFolderWalk::Counts MusicFolderWalk::WalkAt(const CString& folder, int depth)
{
    Counts counts;
    if (*m_pAbort)
        return counts;
    if (!Enter(folder))
        return counts;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(JoinFolderPath(folder, "*.*"), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        m_path.pop_back();
        return counts;
    }
    // Each folder's first entry looks at the keys, so an Escape pressed while
    // a folder was shown stops the walk before it goes in.
    LoopPump pacer;
    do {
        if (pacer.Due()) {
            if (EscapeAsked()) {
                *m_pAbort = true;
                counts = Counts();
                break;
            }
            ProcessMessages();
        }
        CString name(entry.cFileName);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == "." || name == "..")
                continue;
            // Links and junctions may lead back up the tree: never followed.
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                continue;
            CString path = JoinFolderPath(folder, name);
            OnFolder(path);
            if (m_bSubfolders && depth < kMaxFolderDepth)
                counts.total += WalkAt(path, depth + 1).total;
        } else if (HasMusicEnding(name)) {
            OnMusicFile(JoinFolderPath(folder, name), name, counts.direct);
            ++counts.direct;
            ++counts.total;
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    m_path.pop_back();
    return counts;
}
