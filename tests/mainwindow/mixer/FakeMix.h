// Fakes for the mixer, AutoMix and random play: decks that play in fake
// time, a fake clock that runs the main window's timers, a view that
// records lights, texts and messages, settings, an AutoMix queue and a
// random source. Together (MixRig) they drive the logic as the main window
// would, tick by tick.
#pragma once

#include "mainwindow/automix/AutoMix.h"
#include "mainwindow/mixer/Mixer.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace mixtest
{

class FakeDeck : public MixDeck
{
public:
    // Called after every successful load (the real deck applies the
    // deck's volume there).
    std::function<void()> onLoad;
    // The level the deck reports for a remaining time in seconds.
    std::function<int(int remaining)> level;

    // State
    std::string path;
    int length = 0;            // seconds
    long posMs = 0;
    int state = MixStateSetUp;
    bool hasTrack = false;
    bool onMonitor = false;
    bool mainsEqualsMonitor = false;
    bool eqOn = false;
    int mainsVolume = -1;
    int monitorVolume = -1;
    int pitch = 1000;
    int eq[3] = {0, 0, 0};
    int seekCount = 0;
    int lastSeek = -1;
    std::vector<std::string> calls;
    // Track facts: lengths by path, paths that fail to load.
    std::map<std::string, int> lengths;
    std::set<std::string> failing;
    // What happened to the tracks.
    std::vector<std::string> started;
    std::vector<std::string> finished;
    std::vector<std::string> cut;   // stopped or replaced before their end
    int loads = 0;
    int loadsWhilePlaying = 0;

    bool HasTrack() const override { return hasTrack; }
    // The state report of a playing deck arrives this late (ms after it
    // started playing): until then it says stopped while its position runs.
    long stateLagMs = 0;
    long playingForMs = 0;
    int GetState() const override
    {
        return state == MixStatePlaying && playingForMs < stateLagMs ? MixStateStopped : state;
    }
    int GetPosition() const override { return int(posMs / 1000); }
    int GetLength() const override { return length; }
    bool IsOnMonitor() const override { return onMonitor; }
    bool MainsEqualsMonitor() const override { return mainsEqualsMonitor; }
    bool IsEqualizerOn() const override { return eqOn; }
    int GetLevel() const override { return level ? level(length - GetPosition()) : 50; }

    // A real deck's player takes up the play command on its own thread and
    // reports the new state later: playDelayMs after the command (0: at
    // once). The first lostPlays play commands never arrive.
    long playDelayMs = 0;
    int lostPlays = 0;
    long pendingPlayMs = -1;   // the delay left of a play on its way

    void Play() override
    {
        calls.push_back("play");
        if (!hasTrack)
            return;
        if (lostPlays > 0) {
            --lostPlays;
            return;
        }
        if (playDelayMs > 0 && state != MixStatePlaying) {
            if (pendingPlayMs < 0)
                pendingPlayMs = playDelayMs;
            return;
        }
        StartPlaying();
    }
    void StartPlaying()
    {
        pendingPlayMs = -1;
        if (state != MixStatePlaying)
            playingForMs = 0;
        if (state != MixStatePlaying && state != MixStatePaused)
            started.push_back(path);
        state = MixStatePlaying;
    }
    void Pause() override
    {
        calls.push_back("pause");
        if (state == MixStatePlaying)
            state = MixStatePaused;
    }
    void Stop() override
    {
        calls.push_back("stop");
        pendingPlayMs = -1;
        if ((state == MixStatePlaying || state == MixStatePaused) && posMs < length * 1000L)
            cut.push_back(path);
        state = MixStateStopped;
        posMs = 0;
    }
    void SeekTo(int seconds) override
    {
        calls.push_back("seek " + std::to_string(seconds));
        ++seekCount;
        lastSeek = seconds;
        posMs = seconds * 1000L;
    }
    void SetMainsVolume(int volume) override { mainsVolume = volume; }
    void SetMonitorVolume(int volume) override { monitorVolume = volume; }
    void RouteToMonitor() override { onMonitor = true; calls.push_back("monitor"); }
    void RouteToMains() override { onMonitor = false; calls.push_back("mains"); }
    void SetPitch(int value) override { pitch = value; }
    void SetEqualizer(int low, int mid, int high) override
    {
        eq[0] = low;
        eq[1] = mid;
        eq[2] = high;
        calls.push_back("eq");
    }
    int LoadTrack(const CString& name) override
    {
        std::string file = name.GetString();
        calls.push_back("load " + file);
        ++loads;
        if (failing.count(file))
            return -1;
        if (state == MixStatePlaying || state == MixStatePaused) {
            ++loadsWhilePlaying;
            if (posMs < length * 1000L)
                cut.push_back(path);
        }
        pendingPlayMs = -1;
        path = file;
        auto found = lengths.find(file);
        length = found == lengths.end() ? 60 : found->second;
        posMs = 0;
        state = MixStateStopped;
        hasTrack = true;
        if (onLoad)
            onLoad();
        return 1;
    }
    void RunPlayCommand() override { Play(); }
    void RunStopCommand() override { Stop(); }

    // Plays on for `ms`; at the end of the track the deck runs its stop
    // command, as the real one does at the end of the stream.
    void Advance(long ms)
    {
        if (pendingPlayMs >= 0) {
            pendingPlayMs -= ms;
            if (pendingPlayMs <= 0)
                StartPlaying();
            return;
        }
        if (state != MixStatePlaying)
            return;
        playingForMs += ms;
        posMs += ms;
        if (posMs >= length * 1000L) {
            posMs = length * 1000L;
            finished.push_back(path);
            state = MixStateStopped;
            posMs = 0;
        }
    }
    bool Audible() const { return state == MixStatePlaying && mainsVolume > 0; }
};

// The main window's timers in fake time.
class FakeClock : public MixTimers
{
public:
    struct Timer
    {
        int period;
        long due;
    };
    long now = 0;
    std::map<int, Timer> timers;
    std::vector<std::pair<int, int>> started;   // (id, period)

    void StartTimer(int id, int periodMs) override
    {
        timers[id] = Timer{periodMs, now + periodMs};
        started.push_back({id, periodMs});
    }
    void KillTimer(int id) override { timers.erase(id); }
    bool Running(int id) const { return timers.count(id) != 0; }
};

class RecordingView : public MixView
{
public:
    std::map<std::string, bool> lights;
    std::map<std::string, std::string> texts;
    std::vector<std::string> messages;
    std::vector<int> notices;
    std::vector<std::string> log;
    int onAirRefreshes = 0;
    int crossfaderShown = 0;
    std::map<int, int> gainShown;
    std::vector<int> gainHistory[4];
    int eqKnobs[4][3] = {};
    int eqSliders[4][3] = {};
    std::set<std::string> missing;

    void ShowCrossfader(int x) override { crossfaderShown = x; }
    void ShowGainSlider(int deck, int position) override
    {
        gainShown[deck] = position;
        gainHistory[deck].push_back(position);
    }
    void ShowEqControls(int deck, const int* knobs, const int* sliders) override
    {
        for (int band = 0; band < 3; ++band) {
            eqKnobs[deck][band] = knobs[band];
            eqSliders[deck][band] = sliders[band];
        }
    }
    void SetLight(const char* name, bool on) override { lights[name] = on; }
    void SetText(const char* name, const CString& text) override { texts[name] = text.GetString(); }
    void RestoreText(const char* name) override { texts[name] = "<default>"; }
    bool HasControl(const char* name) const override { return missing.count(name) == 0; }
    void RefreshOnAirLights() override { ++onAirRefreshes; }
    void ShowMessage(const CString& text) override { messages.push_back(text.GetString()); }
    void ShowNotice(int id) override { notices.push_back(id); }
    void WriteLog(const CString& text) override { log.push_back(text.GetString()); }
};

class FakeSettings : public MixSettings
{
public:
    int glideStep = 4;
    int glidePeriod = 50;
    int fadeIn = 40;
    int fadeOut = 40;
    AutoMixSettings autoMix;
    int autoMixReads = 0;

    int GlideStep() override { return glideStep; }
    int GlidePeriod() override { return glidePeriod; }
    int FadeInPeriod() override { return fadeIn; }
    int FadeOutPeriod() override { return fadeOut; }
    AutoMixSettings ReadAutoMix() override
    {
        ++autoMixReads;
        return autoMix;
    }
};

class FakeQueue : public MixQueue
{
public:
    std::vector<std::string> paths;
    bool IsEmpty() const override { return paths.empty(); }
    bool TakeFirst(CString& path) override
    {
        if (paths.empty())
            return false;
        path = paths.front().c_str();
        paths.erase(paths.begin());
        return true;
    }
};

class FakeRandom : public MixRandomSource
{
public:
    // Picks in order, then "NONE" once they run out.
    std::vector<std::string> picks;
    size_t next = 0;
    bool answerOk = true;
    tagRandomInfo answer;
    std::vector<std::pair<int, int>> asked;   // (mode, deck)
    std::vector<int> criteriaModes;           // the mode of each pick's criterion

    CString GetRandomTrack(const tagRandomInfo& info) override
    {
        criteriaModes.push_back(info.Mode);
        if (next >= picks.size())
            return "NONE";
        return picks[next++].c_str();
    }
    bool AskCriterion(int mode, int deck, tagRandomInfo& info) override
    {
        asked.push_back({mode, deck});
        if (answerOk)
            info = answer;
        return answerOk;
    }
};

// Everything wired together; Run advances fake time in 10 ms steps, the
// decks first, then the timers that fell due, as the message loop would.
struct MixRig
{
    FakeDeck decks[4];
    FakeClock clock;
    RecordingView view;
    FakeSettings settings;
    FakeQueue queue;
    FakeRandom random;
    Mixer mixer{&clock, &view, &settings};
    AutoMix autoMix{&mixer, &clock, &view, &settings, &queue, &random};
    // The longest silence between two sounding stretches (ms).
    long longestGap = 0;
    long currentGap = 0;
    bool musicStarted = false;

    MixRig()
    {
        for (int deck = 0; deck < 4; ++deck) {
            mixer.SetDeck(deck, &decks[deck]);
            decks[deck].onLoad = [this, deck] { mixer.ApplyDeckVolume(deck); };
        }
    }

    void Dispatch(int id)
    {
        if (!mixer.OnTimer(id))
            autoMix.OnTimer(id);
    }

    void Step(long ms)
    {
        clock.now += ms;
        for (FakeDeck& deck : decks)
            deck.Advance(ms);
        // Every timer due now ticks once, in id order (as WM_TIMER comes).
        std::vector<int> due;
        for (auto& entry : clock.timers) {
            if (entry.second.due <= clock.now)
                due.push_back(entry.first);
        }
        for (int id : due) {
            auto found = clock.timers.find(id);
            if (found == clock.timers.end() || found->second.due > clock.now)
                continue;
            found->second.due = clock.now + found->second.period;
            Dispatch(id);
        }
        bool audible = false;
        for (const FakeDeck& deck : decks)
            audible = audible || deck.Audible();
        // A gap counts once the music comes back: the silence after the
        // last track is not one.
        if (audible) {
            musicStarted = true;
            if (currentGap > longestGap)
                longestGap = currentGap;
            currentGap = 0;
        } else if (musicStarted) {
            currentGap += ms;
        }
    }

    void Run(long ms)
    {
        for (long done = 0; done < ms; done += 10)
            Step(10);
    }

    // Runs until `done` holds or `limit` ms pass; true when it held.
    bool RunUntil(const std::function<bool()>& done, long limit)
    {
        for (long spent = 0; spent < limit; spent += 10) {
            if (done())
                return true;
            Step(10);
        }
        return done();
    }

    // Ticks one timer now, as its WM_TIMER would.
    void Tick(int id) { Dispatch(id); }
};

} // namespace mixtest
