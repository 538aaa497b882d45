#include "library/state/MessagePump.h"

#include "framework/ui/CWinApp.h"
#include "framework/ui/Prompts.h"
#include "foundation/app/WaitingMessages.h"
#include "foundation/genres/GenreNames.h"

#include <atomic>

namespace {

std::atomic<long> g_pumpRuns{0};

DWORD TickNow()
{
    return GetTickCount();
}

} // namespace

// Runs on the calling thread only and never waits: each waiting message
// goes through the program's pre-translation and is dispatched.
void ProcessMessages()
{
    ++g_pumpRuns;
    DispatchWaitingMessages();
}

bool EscapeAbortPrompt(HWND hWnd, const char* question)
{
    MSG msg;
    if (!PeekMessageA(&msg, hWnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        return false;
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE)
        return false;
    if (!question)
        question = "ABORT?\nPress OK to abort, Cancel to continue";
    return AfxPromptMessageBox(nullptr, question, "Kelvane Library Manager",
                               MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

long PumpRuns()
{
    return g_pumpRuns.load();
}

LoopPump::LoopPump(Clock clock) : m_clock(clock ? clock : TickNow)
{
}

bool LoopPump::Due()
{
    const DWORD now = m_clock();
    if (m_started && now - m_last < kIntervalMs)
        return false;
    m_started = true;
    m_last = now;
    return true;
}

bool LoopPump::Step()
{
    if (!Due())
        return false;
    ProcessMessages();
    return true;
}

bool LoopPump::StepOrAbort(HWND hWnd)
{
    if (!Due())
        return false;
    if (EscapeAbortPrompt(hWnd))
        return true;
    ProcessMessages();
    return false;
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
