// AutoMix: the three automatic modes that keep music playing on decks A and
// B. AutoMix takes its tracks from the AutoMix queue, AutoMix random from
// the library's random pick; both load the next track into the idle deck
// near the end of the playing one and start it, by a fixed time before the
// end (timer mode) or when the playing deck's level stays low near the end
// (level mode), gliding the crossfader to it when asked. Random play plays
// random picks on one deck, one after the other. The modes exclude each
// other (random play of A and of B may run together). Their ticks come from
// the main window's timer handler through OnTimer. Free of windows.
#pragma once

#include "mainwindow/mixer/MixSeams.h"
#include "mainwindow/mixer/Mixer.h"

class AutoMix
{
public:
    AutoMix(Mixer* mixer, MixTimers* timers, MixView* view, MixSettings* settings,
            MixQueue* queue, MixRandomSource* random);
    AutoMix(const AutoMix&) = delete;
    AutoMix& operator=(const AutoMix&) = delete;

    // Attributes
    bool IsAutoMixRunning() const { return m_autoMix; }
    bool IsAutoMixRandomRunning() const { return m_autoMixRandom; }
    bool IsRandomPlayOn(int deck) const { return m_randomPlay[deck]; }
    bool IsNextLoaded(int deck) const { return m_nextLoaded[deck]; }
    // True while a deck AutoMix or random play started has not yet reported
    // that it plays (a deck's player takes up the play command on its own
    // thread and reports its state later).
    bool IsStarting(int deck) const { return m_starting[deck] > 0; }
    // How many times a started deck did not play after every play command.
    int GetStartFailures() const { return m_startFailures; }
    int GetHitCounter() const { return m_hits; }
    const AutoMixSettings& GetSettings() const { return m_settings; }

    // Commands.
    void ToggleAutoMix();            // "mx-automixon"
    void OnAutoMixRandom();          // "mx-automixrandom"
    void OnRandomPlay(int deck);     // "a-random", "b-random"

    // A timer tick; false when the timer is not one of AutoMix's.
    bool OnTimer(int id);

    // Internal operations, public for the main window's other callers.
    void LoadAutoMixSettings();
    void StartDeckAndFade(int deck);
    void LoadAutoMixNext(int deck);
    bool LoadRandomTrack(int deck);

private:
    // What a random pick for AutoMix came to.
    enum class Pick { None, NotLoaded, Loaded };

    MixDeck* Deck(int deck) const { return m_mixer->GetDeck(deck); }
    bool IsPlaying(int deck) const;
    // Playing, or started and not yet reporting it.
    bool IsPlayingOrStarting(int deck) const;
    bool IsPaused(int deck) const;
    // Runs the deck's play command and waits for it (m_starting).
    void StartDeck(int deck, int periodMs);
    // One tick's look at the decks that were started: a deck that reports
    // playing is no longer waited for; one that still does not after a
    // second gets its play command again (three in all), and after that,
    // unless its position has moved (it plays, its report is late), gives
    // its track back as the next track (AutoMix) so that the next mix
    // starts it again. `autoMix`: the tick is AutoMix's.
    void CheckStarting(int deck, bool autoMix);
    int Remaining(int deck) const;
    void ShowRunning();
    Pick RandomPick(int* loadedDeck);
    bool LoadAutoMixRandom(int deck);
    Pick PickForDeck(int deck);
    // One AutoMix tick; `timer` is 7 or 12.
    void AutoMixTick(int timer);
    // Loads the next track into `deck` (timer 7 or 12 stopped around it);
    // false when the mode ended.
    bool LoadNext(int timer, int deck);
    void MixIfLoaded(int deck);
    void LevelRule(int playing, int other);
    void RandomPlayTick(int deck);
    void SetAutoMixFlag(bool on);
    // The shared start (after the mode's own texts) and end of AutoMix
    // (timer 7) and AutoMix random (timer 12).
    void BeginMode(int timer);
    void EndMode(int timer);

    Mixer* m_mixer;
    MixTimers* m_timers;
    MixView* m_view;
    MixSettings* m_source;
    MixQueue* m_queue;
    MixRandomSource* m_random;
    AutoMixSettings m_settings;
    bool m_autoMix = false;
    bool m_autoMixRandom = false;
    bool m_randomPlay[2] = {false, false};
    bool m_nextLoaded[2] = {false, false};
    int m_starting[2] = {0, 0};   // ticks left to wait for the deck to play
    int m_startTicks[2] = {0, 0};  // ticks of one wait
    int m_startTries[2] = {0, 0};  // play commands sent so far
    int m_startFailures = 0;
    int m_hits = 0;
    tagRandomInfo m_criteria[3];   // random play A, random play B, AutoMix random
};
