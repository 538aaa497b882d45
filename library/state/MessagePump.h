// The helpers that keep the library's long loops usable on the window
// thread: the message pump, the Escape check that asks whether to abort,
// and the genre combo.
#pragma once

#include <windows.h>

// Lets waiting messages of the calling thread run; never waits (VIZU's
// ProcessMessages is its entry point).
void ProcessMessages();

// Takes the first waiting keyboard message of the window and its children
// (of every window of the thread when hWnd is null) off the queue; a key-down
// of Escape asks the user and answers true when the user chose to abort.
// Any other keyboard message so taken is dropped. question replaces the
// prompt's usual text when given (same caption, buttons and icon).
bool EscapeAbortPrompt(HWND hWnd, const char* question = nullptr);
// The question of the folder searches and listings.
constexpr const char* kAbortFileSearchText =
    "ABORT SEARCH?\nPress OK to abort the file search, Cancel to continue searching";

// Paces the pump of a long loop: a loop that pumped after every record of
// a large library spent its time in the pump. Messages run at the loop's
// first step and then whenever kIntervalMs have passed since they last ran
// (the save's rate); the loops that let the user stop them check Escape at
// the same moments.
class LoopPump
{
public:
    static constexpr DWORD kIntervalMs = 20;
    using Clock = DWORD (*)();

    explicit LoopPump(Clock clock = nullptr);

    // Lets messages run when due; true when they ran.
    bool Step();
    // When due: the Escape check of EscapeAbortPrompt(hWnd), then the pump.
    // True when the user chose to abort (the pump then does not run).
    bool StepOrAbort(HWND hWnd);
    // True when messages are due to run, counting them as run now: for a
    // loop with a check of its own before the pump.
    bool Due();

private:
    Clock m_clock;
    bool m_started = false;
    DWORD m_last = 0;
};

// How many times the pump has run in this process (for tests that check
// its rate).
long PumpRuns();

// Adds the genre names 0 to 125 to a combo box, each item's data its number.
int FillGenreCombo(HWND hCombo);
