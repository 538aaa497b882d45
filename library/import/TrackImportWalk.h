// MusicFolderWalk: the walk shared by the import's folder searches. It lists
// a folder's entries in the file system's order, checks each step for Escape
// (asking whether to abort the search), lets messages run, and hands every
// music file (name ending in mp3 or wav, any case) to the search that uses
// it. Subfolders are searched where they are met when asked for; links and
// junctions are not followed, a folder already on the way down is not
// entered again, and the walk goes at most kMaxFolderDepth levels down.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// How many levels of subfolders below the searched folder a walk enters.
constexpr int kMaxFolderDepth = 32;

class MusicFolderWalk
{
public:
    struct Counts
    {
        int direct = 0;   // music files found directly in the folder
        int total = 0;    // the same plus what its subfolder searches found
    };

    // escapeWindow: the window whose key messages are looked at (null: every
    // window of the thread). abort may be null.
    MusicFolderWalk(HWND escapeWindow, bool subfolders, bool* abort);
    virtual ~MusicFolderWalk() = default;
    MusicFolderWalk(const MusicFolderWalk&) = delete;
    MusicFolderWalk& operator=(const MusicFolderWalk&) = delete;

    // Searches folder; both counts are 0 when the search was aborted in it.
    Counts Walk(const CString& folder);

protected:
    // A subfolder about to be searched (or passed over when subfolders are
    // not wanted).
    virtual void OnFolder(const CString& path) { (void)path; }
    // A music file; before is how many music files this folder gave so far.
    virtual void OnMusicFile(const CString& path, const CString& name, int before) = 0;

private:
    struct FolderId
    {
        uint32_t volume;
        uint64_t index;
        bool known;
    };

    Counts WalkAt(const CString& folder, int depth);
    // A key-down of Escape waits and the user chose to abort.
    bool EscapeAsked();
    // False when folder is one of the folders being walked (a link loop
    // that does not show as a reparse point); else it joins them.
    bool Enter(const CString& folder);

    HWND m_hEscapeWnd;
    bool m_bSubfolders;
    bool m_bOwnAbort = false;
    bool* m_pAbort;
    std::vector<FolderId> m_path;   // the folders being walked, outermost first
};

// The full path of an entry of folder (which may end in a backslash).
CString JoinFolderPath(const CString& folder, const CString& name);
