// What the mixer, AutoMix and random play need of the rest of the main
// window, as small interfaces: a deck (MixDeck), the main window's timers
// (MixTimers), its controls, lights, texts and messages (MixView), the
// settings they read from "TavrixVJ.INI" (MixSettings), the AutoMix queue
// (MixQueue), the library's random pick and the random-play options dialog
// (MixRandomSource). The main window fills them with its real decks,
// timers and controls; tests fill them with fakes and a fake clock.
#pragma once

#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"

// Deck states, as the decks report them.
enum
{
    MixStateSetUp = 4000,
    MixStatePlaying = 4001,
    MixStateStopped = 4002,
    MixStatePaused = 4003,
    MixStateEnd = 4004
};

// One deck as the mixer sees it.
class MixDeck
{
public:
    virtual ~MixDeck() = default;

    // Attributes
    virtual bool HasTrack() const = 0;
    virtual int GetState() const = 0;
    virtual int GetPosition() const = 0;   // whole seconds
    virtual int GetLength() const = 0;     // whole seconds
    virtual bool IsOnMonitor() const = 0;
    virtual bool MainsEqualsMonitor() const = 0;
    virtual bool IsEqualizerOn() const = 0;
    // The last level the deck's level feedback reported (0 to 100).
    virtual int GetLevel() const = 0;

    // Operations on the deck itself.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void SeekTo(int seconds) = 0;
    virtual void SetMainsVolume(int volume) = 0;
    virtual void SetMonitorVolume(int volume) = 0;
    virtual void RouteToMonitor() = 0;
    virtual void RouteToMains() = 0;
    virtual void SetPitch(int pitch) = 0;
    virtual void SetEqualizer(int low, int mid, int high) = 0;
    // Loads a file: 1 when loaded, -1 when not (the load reports why).
    virtual int LoadTrack(const CString& path) = 0;

    // The main window's commands of the deck ("a-play", "a-stop" ...),
    // with their refreshes and controller lights.
    virtual void RunPlayCommand() = 0;
    virtual void RunStopCommand() = 0;
};

// The main window's timers by id.
class MixTimers
{
public:
    virtual ~MixTimers() = default;
    virtual void StartTimer(int id, int periodMs) = 0;
    virtual void KillTimer(int id) = 0;
};

// Timer ids of the main window.
enum
{
    TimerGlide = 2,
    TimerFadeInA = 3,
    TimerFadeInB = 4,
    TimerFadeOutA = 5,
    TimerFadeOutB = 6,
    TimerAutoMix = 7,
    TimerRandomA = 10,
    TimerRandomB = 11,
    TimerAutoMixRandom = 12,
    TimerFadeInC = 24,
    TimerFadeInD = 25,
    TimerFadeOutC = 26,
    TimerFadeOutD = 27
};

// Canned notice: the AutoMix queue is empty.
enum { MSG_AUTOQEMPTY = 4002 };

// The main window's controls, lights, texts and messages. Every member has
// a do-nothing default, so a test overrides only what it looks at.
class MixView
{
public:
    virtual ~MixView() = default;

    // Controls the mixer moves.
    virtual void ShowCrossfader(int /*x*/) {}
    virtual void ShowGainSlider(int /*deck*/, int /*position*/) {}
    // The EQ knobs (positions) and sliders (positions) of a deck.
    virtual void ShowEqControls(int /*deck*/, const int* /*knobPositions*/,
                                const int* /*sliderPositions*/) {}
    // A skin light or text field by its name ("lt-mx-mona", "s-automix").
    virtual void SetLight(const char* /*name*/, bool /*on*/) {}
    virtual void SetText(const char* /*name*/, const CString& /*text*/) {}
    // Gives a text field back the text its skin item has.
    virtual void RestoreText(const char* /*name*/) {}
    // True when the skin has that control.
    virtual bool HasControl(const char* /*name*/) const { return true; }
    virtual void RefreshOnAirLights() {}

    // Messages and the log.
    virtual void ShowMessage(const CString& /*text*/) {}
    virtual void ShowNotice(int /*id*/) {}
    virtual void WriteLog(const CString& /*text*/) {}
};

// The AutoMix settings (section MIXER).
struct AutoMixSettings
{
    bool useTimer = true;      // UseTimer
    int xfaderSpeed = 0;       // XFaderSpeed
    int mixDelay = 0;          // MixDelay
    int inputLevel = 0;        // InputLevel
    int checkFrom = 0;         // CheckFrom
    int conseqHits = 0;        // ConseqHits
    int mainTimer = 0;         // MainTimer
    int loadTime = 0;          // AutoMixLoadTime
    bool useFade = false;      // AutoMixUseFade
};

// Settings read from "TavrixVJ.INI" at the moment they are used.
class MixSettings
{
public:
    virtual ~MixSettings() = default;
    virtual int GlideStep() = 0;        // MIXER/XFaderSpeed
    virtual int GlidePeriod() = 0;      // MIXER/AutoFadeTimer
    virtual int FadeInPeriod() = 0;     // MAIN/FadeinSpeed
    virtual int FadeOutPeriod() = 0;    // MAIN/FadeoutSpeed
    virtual AutoMixSettings ReadAutoMix() = 0;
};

// The AutoMix queue (list 4011).
class MixQueue
{
public:
    virtual ~MixQueue() = default;
    virtual bool IsEmpty() const = 0;
    // Removes the first record, refreshing the list, and gives its path;
    // false when the queue is empty.
    virtual bool TakeFirst(CString& path) = 0;
};

// The library's random pick and the random-play options dialog.
class MixRandomSource
{
public:
    virtual ~MixRandomSource() = default;
    // A random track's path meeting the criterion, "NONE" when none does.
    virtual CString GetRandomTrack(const tagRandomInfo& info) = 0;
    // The random-play options dialog: mode 1 for a deck (with its index),
    // 2 for AutoMix. True when it returned OK, with the criterion.
    virtual bool AskCriterion(int mode, int deck, tagRandomInfo& info) = 0;
};
