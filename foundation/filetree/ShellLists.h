// The two process-wide lists that every file tree shares: the shell's small
// system image list (icon indices are system icon indices) and the local
// computer's shares (for the share overlay).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/CArray.h"
#include "foundation/filetree/FileTreeRules.h"

class SystemImageList
{
public:
    // The shell's small system image list, background none; null when the
    // shell gives none. Every call counts a holder; the list itself belongs
    // to the shell and is never destroyed.
    static HIMAGELIST Acquire();
    static void Release();
    static int Holders();
};

class ShareList
{
public:
    // Reads the local shares again (NETAPI32's NetShareEnum at level 502 on
    // NT platforms, else SVRAPI's at level 50 into a buffer bounded at
    // 64 KB); the list stays empty when neither can be had. Returns the count.
    static int Refresh();
    static BOOL IsShared(const CString& sPath);
    static const CArray<filetree::ShareEntry>& Entries();
};
