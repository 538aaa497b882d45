#include "foundation/app/WaitingMessages.h"

#include "framework/ui/CWinApp.h"

void DispatchWaitingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!AfxPumpMessage()) {
            // WM_QUIT belongs to the loop outside: put it back for it.
            PostQuitMessage(static_cast<int>(AfxGetCurrentQueuedMessage()->wParam));
            break;
        }
    }
}
