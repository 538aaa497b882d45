// CWaitCursor: shows the hourglass while it lives; nested ones share it,
// and the last to go restores the cursor shown before the first.
#pragma once

#include <windows.h>

class CWaitCursor
{
public:
    CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor();

    // Shows the hourglass again (after a message box changed the cursor).
    void Restore();
};

// How many CWaitCursor objects live on this thread; windows that set their
// own cursor keep the hourglass while it is above 0.
int AfxGetWaitCursorCount();
