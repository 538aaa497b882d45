// What a deck's track load needs of the main window and the music library,
// beyond DeckHost: the library's tag reader and message pump, the deck's
// progress bar, gain slider, position slider, waveform strip and lights,
// the info text, the volume and the stored cue points. The main dialog
// implements it; tests fill it with a recording host.
#pragma once

#include "audio/worker/DeckWorker.h"
#include "framework/core/CString.h"
#include "library/api/TagInfo.h"

class CScopeCtrl;

class DeckLoadHost : public DeckJobHost
{
public:
    // The music library (VIZU::GetTagInfo, VIZU::ProcessMessages).
    virtual bool GetTagInfo(const CString& path, TAG_INFO* tags) = 0;
    virtual void ProcessMessages() = 0;

    // The progress bar of deck A (0) or deck B (every other deck).
    virtual void SetDeckProgressRange(int deck, int upper) = 0;
    virtual void SetDeckProgressPos(int deck, int pos) = 0;
    // The gain slider of deck A (0) or deck B (every other deck), 0-100.
    virtual void SetDeckGainPercent(int deck, int percent) = 0;
    // The waveform strip of deck A (0) or B (1); null when the skin shows none.
    virtual CScopeCtrl* DeckWaveStrip(int deck) = 0;
    // The main window's info text (control 1059).
    virtual void SetDeckInfoText(const CString& text) = 0;
    // Switches off the loop-in, loop-out and loop lights of deck A (0) or
    // deck B (every other deck).
    virtual void SwitchOffLoopLights(int deck) = 0;
    // The range of the deck's own position slider, 0..length, no repaint.
    virtual void SetDeckPositionRange(int deck, int length) = 0;
    // MainDialog::ApplyDeckVolume, MainDialog::RefreshCuePoints.
    virtual void ApplyDeckVolume(int deck) = 0;
    virtual void RefreshCuePoints(int deck) = 0;
    // The modal URL prompt of the main window: true with the answer when
    // the user chose OK. The default asks nothing.
    virtual bool AskInternetUrl(CString* url)
    {
        (void)url;
        return false;
    }
};
