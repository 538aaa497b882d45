// MixerQueueDecks: decks A and B as the lists load into them, over the
// mixer's view of the decks (MixDeck, which DeckMixAdapter puts over a real
// Deck) and the mixer's "mx-mixleft" and "mx-mixright". ProgramParts hands
// one to QueueLists::SetDecks once the main window's decks and mixer exist.
// The decks are asked of the mixer at every call: a reset replaces a deck
// object and tells the mixer, so no freed deck is ever used here.
// Window-free.
#pragma once

#include "mainwindow/mixer/Mixer.h"
#include "mainwindow/mixer/MixSeams.h"
#include "mainwindow/queues/QueueDecks.h"

class MixerQueueDecks : public QueueDecks
{
public:
    explicit MixerQueueDecks(Mixer* mixer) : m_mixer(mixer) {}

    bool LoadTrack(int deck, const CString& path) override
    {
        MixDeck* object = Deck(deck);
        return object && object->LoadTrack(path) == 1;
    }
    bool IsPlaying(int deck) override
    {
        MixDeck* object = Deck(deck);
        return object && object->GetState() == MixStatePlaying;
    }
    void MixLeft() override
    {
        if (m_mixer)
            m_mixer->OnMixLeft();
    }
    void MixRight() override
    {
        if (m_mixer)
            m_mixer->OnMixRight();
    }

private:
    MixDeck* Deck(int deck) const { return m_mixer && (deck == 0 || deck == 1) ? m_mixer->GetDeck(deck) : nullptr; }

    Mixer* m_mixer;
};
