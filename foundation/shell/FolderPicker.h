// FolderPicker: the shell's folder browser. The caller sets the browse
// flags and a prompt, shows the browser over one of its windows and gets
// the chosen folder's path. The browser is shown through the framework's
// prompts seam, so a test answers it.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdint>

class FolderPicker
{
public:
    // Results of Browse.
    enum { BROWSE_CANCELLED = 0, BROWSE_NO_PATH = 1, BROWSE_PATH = 2 };
    enum { PATH_BUFFER = MAX_PATH };

    // Construction: no flags, no prompt, the desktop as the root.
    FolderPicker();

    // Operations
    // flags = (flags AND NOT clearMask) OR setFlags; returns the new flags.
    uint32_t SetFlags(uint32_t setFlags, uint32_t clearMask);
    // Copies the prompt, cut to the buffer's 259 characters; null changes
    // nothing.
    void SetTitle(const char* title);
    // Shows the browser modally. 0 when the user cancels (the buffer is
    // left as it was); 1 without a buffer or when the chosen item has no
    // file-system path (or one too long for the buffer); 2 when its path
    // was copied into the buffer, which holds at least MAX_PATH characters.
    int Browse(HWND owner, char* path);

    // Data
    uint32_t m_ulFlags;                   // the shell's BIF_ flags
    char m_szDisplayName[MAX_PATH];       // the chosen item's display name
    PCIDLIST_ABSOLUTE m_pidlRoot;         // not owned; null: the desktop
    char m_szTitle[MAX_PATH];             // the prompt
};
