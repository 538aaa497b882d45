#include "RecordingDecks.h"

#include <cstdio>
#include <cstdlib>

namespace decktest
{

std::string Letter(int deck)
{
    return deck >= 0 && deck < 4 ? std::string(1, "ABCD"[deck]) : "?";
}

Log Split(const std::string& text)
{
    Log parts;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find("; ", at);
        if (end == std::string::npos)
            end = text.size();
        if (end > at)
            parts.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return parts;
}

Log DeckRig::Take()
{
    Log taken;
    taken.swap(log);
    return taken;
}

// ---------------------------------------------------------------- RecordingDeck

void RecordingDeck::Add(const std::string& call)
{
    m_log.push_back(Letter(m_deck) + "." + call);
}

void RecordingDeck::Add(const std::string& call, int value)
{
    Add(call + "(" + std::to_string(value) + ")");
}

void RecordingDeck::Play()
{
    Add("Play");
    state = MixStatePlaying;
}

void RecordingDeck::Pause()
{
    Add("Pause");
    state = MixStatePaused;
}

void RecordingDeck::Stop()
{
    Add("Stop");
    state = MixStateStopped;
}

void RecordingDeck::SetEqualizer(int low, int mid, int high)
{
    Add("SetEqualizer(" + std::to_string(low) + "," + std::to_string(mid) + "," + std::to_string(high) + ")");
    eqOn = true;
}

int RecordingDeck::LoadTrack(const CString& file)
{
    Add(std::string("LoadTrack(") + file.GetString() + ")");
    if (failing.count(file.GetString()))
        return -1;
    path = file.GetString();
    loaded = true;
    return 1;
}

void RecordingDeck::ToggleMute()
{
    Add("ToggleMute");
    muted = !muted;
}

void RecordingDeck::SetEqualizerFlag(bool on)
{
    Add("SetEqualizerFlag", on ? 1 : 0);
    eqOn = on;
}

void RecordingDeck::EqualizerOff()
{
    Add("EqualizerOff");
    eqOn = false;
}

void RecordingDeck::SetCue(int c, bool set, int seconds)
{
    Add("SetCue(" + std::to_string(c) + "," + (set ? "1" : "0") + "," + std::to_string(seconds) + ")");
    if (c >= 1 && c <= 2) {
        cueSet[c - 1] = set;
        cue[c - 1] = seconds;
    }
}

void RecordingDeck::ClearTrackInfo()
{
    Add("ClearTrackInfo");
    info = DeckTrackInfo();
    info.title.Format("Deck %s - Reset", Letter(m_deck).c_str());
}

void RecordingDeck::Unload()
{
    Add("Unload");
    loaded = false;
    state = MixStateStopped;
    info = DeckTrackInfo();
    info.title.Format("Deck %s - Load Track", Letter(m_deck).c_str());
}

// ---------------------------------------------------------------- RecordingSlots

void RecordingSlots::Create(int deck)
{
    m_log.push_back("create " + Letter(deck));
    decks[deck].reset(new RecordingDeck(deck, m_log));
    ++created;
}

void RecordingSlots::Destroy(int deck)
{
    m_log.push_back("destroy " + Letter(deck));
    decks[deck].reset();
}

// ---------------------------------------------------------------- RecordingView

void RecordingView::ShowGainSlider(int deck, int position)
{
    Add("gain slider " + Letter(deck) + "=" + std::to_string(position));
}

void RecordingView::ShowEqControls(int deck, const int* knobs, const int* sliders)
{
    char text[96];
    std::snprintf(text, sizeof text, "eq controls %s knobs %d,%d,%d sliders %d,%d,%d", Letter(deck).c_str(),
                  knobs[0], knobs[1], knobs[2], sliders[0], sliders[1], sliders[2]);
    Add(text);
}

void RecordingView::SetLight(const char* name, bool on)
{
    if (!missing.count(name))
        Add(std::string("light ") + name + (on ? "=1" : "=0"));
}

void RecordingView::SetText(const char* name, const CString& text)
{
    Add(std::string("text ") + name + "=" + text.GetString());
}

void RecordingView::ShowPitchSlider(int deck, int position)
{
    Add("pitch slider " + Letter(deck) + "=" + std::to_string(position));
}

void RecordingView::SetPositionRange(int deck, int length)
{
    Add("position range " + Letter(deck) + "=" + std::to_string(length));
}

void RecordingView::ShowPosition(int deck, int seconds)
{
    Add("position " + Letter(deck) + "=" + std::to_string(seconds));
}

void RecordingView::ShowSeekSlider(int deck, int seconds)
{
    Add("seek " + Letter(deck) + "=" + std::to_string(seconds));
}

void RecordingView::ShowJogKnob(int deck, int position)
{
    Add("jog " + Letter(deck) + "=" + std::to_string(position));
}

void RecordingView::ShowLevels(int deck, int left, int right)
{
    Add("levels " + Letter(deck) + "=" + std::to_string(left) + "," + std::to_string(right));
}

bool RecordingView::ShowArt(int index, const CString& path)
{
    Add("art " + std::to_string(index) + "=" + path.GetString());
    return false;
}

void RecordingView::SetTooltip(unsigned commandId, const CString& text)
{
    Add("tip " + std::to_string(commandId) + "=" + text.GetString());
}

CString RecordingView::SecondsText(int seconds)
{
    // The library's "%03d:%02d".
    CString text;
    if (seconds < 0)
        text.Format("-%02d:%02d", -seconds / 60, -seconds % 60);
    else
        text.Format("%03d:%02d", seconds / 60, seconds % 60);
    return text;
}

CString RecordingView::TitleFromFile(const CString& path)
{
    std::string p = path.GetString();
    const size_t slash = p.find_last_of("\\/");
    if (slash != std::string::npos)
        p = p.substr(slash + 1);
    const size_t dot = p.rfind('.');
    if (dot != std::string::npos)
        p = p.substr(0, dot);
    return CString(p.c_str());
}

bool RecordingView::ReadCuePoints(const CString& path, DeckCueInfo& info)
{
    auto it = library.find(path.GetString());
    if (it == library.end())
        return false;
    info = it->second;
    return true;
}

CString RecordingView::ReadPreset(int deck, int n)
{
    auto it = presets.find(Letter(deck) + std::to_string(n));
    return it == presets.end() ? CString() : CString(it->second.c_str());
}

void RecordingView::SetFxMode(int deck, int mode)
{
    Add("fx " + Letter(deck) + "=" + std::to_string(mode));
    fxMode[deck == 0 ? 0 : 1] = mode;
}

bool RecordingView::AskTrackFile(CString& path)
{
    Add("ask file");
    if (fileToAsk.empty())
        return false;
    path = fileToAsk.c_str();
    return true;
}

void RecordingView::SetDenonLed(int side, int lamp, bool on)
{
    Add("led " + std::to_string(side) + " " + std::to_string(lamp) + (on ? "=1" : "=0"));
}

void RecordingView::PostDenonTime(int deck, int seconds)
{
    Add("controller time " + Letter(deck) + "=" + std::to_string(seconds));
}

void RecordingView::PostDeckTime(int deck, int seconds)
{
    Add("post time " + Letter(deck) + "=" + std::to_string(seconds));
}

void RecordingView::ShowTextOutputTrack(const CString& title, const CString& artist)
{
    Add(std::string("text output ") + title.GetString() + " / " + artist.GetString());
}

} // namespace decktest
