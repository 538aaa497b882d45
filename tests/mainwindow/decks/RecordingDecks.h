// Recording decks for the main window's deck commands: each deck writes
// every call it receives into one shared log ("A.Play", "B.SetPitch(1020)"),
// the slots write creations and deletions ("create A", "destroy A"), and
// the view writes every light, text, control move, tip, dialog and effect
// change ("light lt-a-live=1", "text a-pitch=+1", "pitch slider A=49").
// Queries are answered from the fake's state and not written down.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "mainwindow/decks/DeckCommands.h"

namespace decktest
{

using Log = std::vector<std::string>;

std::string Letter(int deck);   // "A" .. "D"

class RecordingDeck : public MixDeck, public DeckOps
{
public:
    RecordingDeck(int deck, Log& log) : m_deck(deck), m_log(log) {}

    // State the queries answer.
    bool loaded = true;
    int state = MixStateStopped;
    int position = 10;
    int length = 200;
    bool onMonitor = false;
    bool eqOn = false;
    bool muted = false;
    bool cueSet[2] = {true, false};
    int cue[2] = {30, 0};
    std::string path = "track.mp3";
    std::set<std::string> failing;   // paths whose load fails
    DeckTrackInfo info;

    // MixDeck
    bool HasTrack() const override { return loaded; }
    int GetState() const override { return state; }
    int GetPosition() const override { return position; }
    int GetLength() const override { return length; }
    bool IsOnMonitor() const override { return onMonitor; }
    bool MainsEqualsMonitor() const override { return false; }
    bool IsEqualizerOn() const override { return eqOn; }
    int GetLevel() const override { return 0; }
    void Play() override;
    void Pause() override;
    void Stop() override;
    void SeekTo(int seconds) override { Add("SeekTo", seconds); }
    void SetMainsVolume(int volume) override { Add("SetMainsVolume", volume); }
    void SetMonitorVolume(int volume) override { Add("SetMonitorVolume", volume); }
    void RouteToMonitor() override { Add("RouteToMonitor"); }
    void RouteToMains() override { Add("RouteToMains"); }
    void SetPitch(int pitch) override { Add("SetPitch", pitch); }
    void SetEqualizer(int low, int mid, int high) override;
    int LoadTrack(const CString& path) override;
    void RunPlayCommand() override { Add("RunPlayCommand"); }
    void RunStopCommand() override { Add("RunStopCommand"); }

    // DeckOps
    void SeekForward(int seconds) override { Add("SeekForward", seconds); }
    void SeekBackward(int seconds) override { Add("SeekBackward", seconds); }
    void SeekToStart() override { Add("SeekToStart"); }
    void ToggleMute() override;
    bool IsMuted() const override { return muted; }
    void SetLoopIn() override { Add("SetLoopIn"); }
    void SetLoopOut() override { Add("SetLoopOut"); }
    void ToggleLoop() override { Add("ToggleLoop"); }
    void SetEqualizerFlag(bool on) override;
    void EqualizerOff() override;
    void SetFeedbackRate(int perSecond) override { Add("SetFeedbackRate", perSecond); }
    void SetTimecodeGranularity(int hundredths) override { Add("SetTimecodeGranularity", hundredths); }
    void SetOutputChannels(int mode) override { Add("SetOutputChannels", mode); }
    bool IsCueSet(int c) const override { return c >= 1 && c <= 2 && cueSet[c - 1]; }
    int GetCue(int c) const override { return c >= 1 && c <= 2 ? cue[c - 1] : 0; }
    void SetCue(int c, bool set, int seconds) override;
    CString GetPath() const override { return CString(path.c_str()); }
    DeckTrackInfo GetTrackInfo() override { return info; }
    void ClearTrackInfo() override;
    void Unload() override;

private:
    void Add(const std::string& call);
    void Add(const std::string& call, int value);

    int m_deck;
    Log& m_log;
};

class RecordingSlots : public DeckSlots
{
public:
    explicit RecordingSlots(Log& log) : m_log(log) {}
    std::unique_ptr<RecordingDeck> decks[4];
    int created = 0;   // decks made so far

    RecordingDeck* Get(int deck) { return deck >= 0 && deck < 4 ? decks[deck].get() : nullptr; }
    MixDeck* Mix(int deck) override { return Get(deck); }
    DeckOps* Ops(int deck) override { return Get(deck); }
    void Create(int deck) override;
    void Destroy(int deck) override;

private:
    Log& m_log;
};

class RecordingView : public DeckView
{
public:
    explicit RecordingView(Log& log) : m_log(log) {}

    std::set<std::string> missing;            // controls the skin lacks
    std::map<std::string, std::string> presets;   // "A1" -> path
    std::map<std::string, DeckCueInfo> library;   // cue points by path
    int fxMode[2] = {0, 0};
    std::string fileToAsk;                   // the open-file dialog's answer ("": cancelled)
    bool eqKnobs = true;

    void ShowCrossfader(int x) override { Add("crossfader " + std::to_string(x)); }
    void ShowGainSlider(int deck, int position) override;
    void ShowEqControls(int deck, const int* knobs, const int* sliders) override;
    void SetLight(const char* name, bool on) override;
    void SetText(const char* name, const CString& text) override;
    bool HasControl(const char* name) const override { return missing.count(name) == 0; }
    void ShowMessage(const CString& text) override { Add(std::string("message ") + text.GetString()); }
    void ShowNotice(int id) override { Add("notice " + std::to_string(id)); }

    void ShowPitchSlider(int deck, int position) override;
    bool HasEqKnobs(int) const override { return eqKnobs; }
    void SetPositionRange(int deck, int length) override;
    void ShowPosition(int deck, int seconds) override;
    void ShowSeekSlider(int deck, int seconds) override;
    void ShowJogKnob(int deck, int position) override;
    void ShowLevels(int deck, int left, int right) override;
    void ResetPeakView(int deck) override { Add("peak reset " + Letter(deck)); }
    bool ShowArt(int index, const CString& path) override;
    void SetTooltip(unsigned commandId, const CString& text) override;
    CString SecondsText(int seconds) override;
    CString TitleFromFile(const CString& path) override;
    bool ReadCuePoints(const CString& path, DeckCueInfo& info) override;
    CString ReadPreset(int deck, int n) override;
    int GetFxMode(int deck) override { return deck == 0 ? fxMode[0] : fxMode[1]; }
    void SetFxMode(int deck, int mode) override;
    void ClearEchoBuffer(int deck) override { Add("clear echo " + Letter(deck)); }
    void ClearDelayBuffer(int deck) override { Add("clear delay " + Letter(deck)); }
    bool AskTrackFile(CString& path) override;
    void ShowConfig(int page) override { Add("config " + std::to_string(page)); }
    void SetDenonLed(int side, int lamp, bool on) override;
    void PostDenonTime(int deck, int seconds) override;
    void ShowTextOutputTrack(const CString& title, const CString& artist) override;
    void PostDeckTime(int deck, int seconds) override;
    bool IsTrackInLibrary(const CString& path) override { return inLibrary.count(path.GetString()) != 0; }
    void ShowTrackProperties(const CString& path, int length, int deck) override
    {
        Add("properties " + std::string(path.GetString()) + " " + std::to_string(length) + " " + std::to_string(deck));
    }
    void ShowCueNaming(const CString& path, int seconds, int cue) override
    {
        Add("cue naming " + std::string(path.GetString()) + " " + std::to_string(seconds) + " " + std::to_string(cue));
    }
    std::set<std::string> inLibrary;   // paths the library holds

private:
    void Add(const std::string& event) { m_log.push_back(event); }
    Log& m_log;
};

// A fake clock and settings for the mixer the commands own.
class NullTimers : public MixTimers
{
public:
    void StartTimer(int, int) override {}
    void KillTimer(int) override {}
};

class FixedMixSettings : public MixSettings
{
public:
    int GlideStep() override { return 1; }
    int GlidePeriod() override { return 10; }
    int FadeInPeriod() override { return 10; }
    int FadeOutPeriod() override { return 10; }
    AutoMixSettings ReadAutoMix() override { return AutoMixSettings(); }
};

// The decks, the view and the commands, as the main window puts them
// together.
struct DeckRig
{
    Log log;
    RecordingSlots slots{log};
    RecordingView view{log};
    NullTimers timers;
    FixedMixSettings mixSettings;
    DeckCommands commands{&slots, &view, &timers, &mixSettings};

    RecordingDeck& Deck(int deck) { return *slots.decks[deck]; }
    // The log since the last call, emptied.
    Log Take();
};

// Splits "a; b; c" into its parts (empty parts dropped).
Log Split(const std::string& text);

} // namespace decktest
