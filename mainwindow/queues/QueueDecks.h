// QueueDecks: what the lists and queues need of decks A and B to load
// tracks into them. The main window's decks stand behind it (ProgramParts
// wires the real decks); tests put recording decks behind it. While no
// decks are set, loads from the lists do nothing and show nothing.
#pragma once

#include "framework/core/CString.h"

class QueueDecks
{
public:
    virtual ~QueueDecks() = default;

    // Loads the file into deck 0 (A) or 1 (B) with the load flag 0, as
    // Deck::LoadTrack does, and answers whether it was loaded (LoadTrack
    // answered 1). The load runs to its end before this returns; the deck
    // shows its own notices for the failures it knows.
    virtual bool LoadTrack(int deck, const CString& path) = 0;
    // Whether deck 0 (A) or 1 (B) is in the playing state (4001).
    virtual bool IsPlaying(int deck) = 0;
    // Commands 27304 "mx-mixleft" and 27305 "mx-mixright": start the deck
    // of that side when it is loaded and fade the crossfader over to it.
    virtual void MixLeft() = 0;
    virtual void MixRight() = 0;
};
