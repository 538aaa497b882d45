#include "library/state/MessagePump.h"

#include "framework/ui/CWinApp.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"

namespace {

const char* const kGenres[kGenreCount] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock",
    "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack",
    "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop",
    "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic",
    "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret",
    "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
    "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebop", "Latin",
    "Revival", "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock",
    "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus",
    "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera", "Chamber Music",
    "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam",
    "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul",
    "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall",
};

} // namespace

const char* GenreName(int number)
{
    return number >= 0 && number < kGenreCount ? kGenres[number] : "Misc";
}

// Runs on the calling thread only and never waits: each waiting message
// goes through the program's pre-translation and is dispatched.
void VIZU::ProcessMessages()
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
        LRESULT pos = SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kGenres[i]));
        // The item data goes at the position equal to the number, as the
        // tag editors expect (a sorted combo reorders the names).
        SendMessageA(hCombo, CB_SETITEMDATA, static_cast<WPARAM>(i), i);
        (void)pos;
    }
    return 0;
}
