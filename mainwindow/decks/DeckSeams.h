// What the main window's deck commands, displays and set-up need of the
// rest of the program, as small interfaces (free of windows):
//   DeckOps    - one deck beyond what the mixer sees of it (MixDeck);
//   DeckSlots  - the four deck places: which decks exist, creating and
//                deleting a deck object;
//   DeckView   - the skin's controls (lights, texts, sliders, knobs, bars,
//                meters, tips, album art), the library's texts and cue
//                points, the effect modes, the dialogs and notices.
// The main window fills them with its real decks and controls
// (DeckSet, DeckWindowView); tests fill them with recording fakes.
#pragma once

#include "framework/core/CString.h"
#include "mainwindow/mixer/MixSeams.h"

// The texts and numbers of a deck's loaded track as the display shows them.
struct DeckTrackInfo
{
    CString title, artist, album, genre, fileType, bpm;
    int length = 0;      // whole seconds
    int channels = 0;
    int bitrate = 0;     // kbps
    int frequency = 0;   // Hz
};

class DeckOps
{
public:
    virtual ~DeckOps() = default;

    virtual void SeekForward(int seconds) = 0;
    virtual void SeekBackward(int seconds) = 0;
    virtual void SeekToStart() = 0;
    virtual void ToggleMute() = 0;
    virtual bool IsMuted() const = 0;
    virtual void SetLoopIn() = 0;
    virtual void SetLoopOut() = 0;
    virtual void ToggleLoop() = 0;
    virtual void SetEqualizerFlag(bool on) = 0;
    virtual void EqualizerOff() = 0;
    virtual void SetFeedbackRate(int perSecond) = 0;
    virtual void SetTimecodeGranularity(int hundredths) = 0;
    // Control message 59 to the deck's player: 3 mono output, 0 normal.
    virtual void SetOutputChannels(int mode) = 0;
    // The deck's copy of its track's cue points (cue 1 or 2).
    virtual bool IsCueSet(int cue) const = 0;
    virtual int GetCue(int cue) const = 0;
    virtual void SetCue(int cue, bool set, int seconds) = 0;
    virtual CString GetPath() const = 0;
    // The loaded track's texts; the BPM text is normalised on the deck.
    virtual DeckTrackInfo GetTrackInfo() = 0;
    // Empties the track texts: title "Deck A - Reset" ...
    virtual void ClearTrackInfo() = 0;
    // Unloads the deck: title "Deck A - Load Track" ..., then the deck
    // refreshes its display.
    virtual void Unload() = 0;
};

class DeckSlots
{
public:
    virtual ~DeckSlots() = default;
    // The deck's two faces, null while the deck does not exist.
    virtual MixDeck* Mix(int deck) = 0;
    virtual DeckOps* Ops(int deck) = 0;
    // Creates the deck object and binds it (Deck::Init).
    virtual void Create(int deck) = 0;
    // Stops the deck, ends its threads and deletes it: nothing it or its
    // player posted can reach it afterwards.
    virtual void Destroy(int deck) = 0;
};

// The cue points of a track in the library.
struct DeckCueInfo
{
    bool inLibrary = false;
    int position[2] = {0, 0};
    CString name[2];
};

class DeckView : public MixView
{
public:
    // Controls of a deck.
    virtual void ShowPitchSlider(int /*deck*/, int /*position*/) {}
    virtual bool HasEqKnobs(int /*deck*/) const { return false; }
    virtual void SetPositionRange(int /*deck*/, int /*length*/) {}
    virtual void ShowPosition(int /*deck*/, int /*seconds*/) {}      // position bar
    virtual void ShowSeekSlider(int /*deck*/, int /*seconds*/) {}
    virtual void ShowJogKnob(int /*deck*/, int /*position*/) {}
    virtual void ShowLevels(int /*deck*/, int /*left*/, int /*right*/) {}
    virtual void ResetPeakView(int /*deck*/) {}
    // The deck's album-art view (index 4: the jukebox's): an empty path
    // shows the default picture. True when the file has a picture.
    virtual bool ShowArt(int /*index*/, const CString& /*path*/) { return false; }
    // A button's tooltip, by its command id.
    virtual void SetTooltip(unsigned /*commandId*/, const CString& /*text*/) {}

    // The library and the settings file.
    virtual CString SecondsText(int seconds) = 0;          // "%03d:%02d"
    virtual CString TitleFromFile(const CString& path) = 0;
    virtual bool ReadCuePoints(const CString& path, DeckCueInfo& info) = 0;
    virtual CString ReadPreset(int deck, int n) = 0;        // DECKA/Preset1 ...

    // The effect modes of decks A and B (the FX output filter's).
    virtual int GetFxMode(int /*deck*/) { return 0; }
    virtual void SetFxMode(int /*deck*/, int /*mode*/) {}
    virtual void ClearEchoBuffer(int /*deck*/) {}
    virtual void ClearDelayBuffer(int /*deck*/) {}

    // Dialogs, the controller and the text output.
    virtual bool AskTrackFile(CString& /*path*/) { return false; }
    virtual void ShowConfig(int /*page*/) {}
    virtual void SetDenonLed(int /*side*/, int /*lamp*/, bool /*on*/) {}
    virtual void PostDenonTime(int /*deck*/, int /*seconds*/) {}
    virtual void ShowTextOutputTrack(const CString& /*title*/, const CString& /*artist*/) {}

    // A deck time (WM_USER+9500) posted to the main window, shown when the
    // window handles it.
    virtual void PostDeckTime(int /*deck*/, int /*seconds*/) {}

    // The track's dialogs of the settings dialogs: the extended track
    // properties (path, length in seconds, deck) and the cue-point naming
    // (path, position in seconds, cue 1 or 2); whether a file is in the
    // library.
    virtual bool IsTrackInLibrary(const CString& /*path*/) { return false; }
    virtual void ShowTrackProperties(const CString& /*path*/, int /*length*/, int /*deck*/) {}
    virtual void ShowCueNaming(const CString& /*path*/, int /*seconds*/, int /*cue*/) {}
};

// The settings the deck commands and set-up read (MainSettings' values).
struct DeckAreaSettings
{
    bool tooltips = false;             // MAIN/Tooltips
    bool saveEqGain = false;           // MAIN/SaveEQGain
    int timeGran = 0;                  // MAIN/TimeGran
    int feedbackRate = 0;              // MAIN/FeedbackRate
    int monoOutput = 0;                // MAIN/MonoOutput
    int pitchBendAmount = 0;           // MAIN/PitchBendAmount
    int eqKillAmount = 0;              // MAIN/EQKillAmount
    bool denonDisplay = false;         // MAIN/Denon4500UseDisplay
    bool textOutFollowsDecks = false;  // MAIN/TextOutDSI > 1
    struct Deck
    {
        bool eqOn = false;
        int gain = 0;
        int eq[3] = {0, 0, 0};
        int monGain = 0;
    } decks[4];
};
