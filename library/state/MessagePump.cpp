#include "library/state/MessagePump.h"

#include "framework/ui/CWinApp.h"
#include "framework/ui/Prompts.h"
#include "foundation/app/WaitingMessages.h"
#include "foundation/genres/GenreNames.h"

// Runs on the calling thread only and never waits: each waiting message
// goes through the program's pre-translation and is dispatched.
void ProcessMessages()
{
    DispatchWaitingMessages();
}

bool EscapeAbortPrompt(HWND hWnd)
{
    MSG msg;
    if (!PeekMessageA(&msg, hWnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        return false;
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE)
        return false;
    return AfxPromptMessageBox(nullptr, "ABORT?\nPress OK to abort, Cancel to continue",
                               "Kelvane Library Manager",
                               MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

int FillGenreCombo(HWND hCombo)
{
    for (int i = 0; i < kGenreCount; ++i) {
        LRESULT pos = SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GenreName(i)));
        // The item data goes at the position equal to the number, as the
        // tag editors expect (a sorted combo reorders the names).
        SendMessageA(hCombo, CB_SETITEMDATA, static_cast<WPARAM>(i), i);
        (void)pos;
    }
    return 0;
}
