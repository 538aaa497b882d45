#include "audio/deck/Deck.h"

#include <limits.h>
#include <stdlib.h>

#include <mmsystem.h>

#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/IniAccess.h"
#include "foundation/app/MessageTexts.h"

namespace {

UINT SystemMixerCount() { return mixerGetNumDevs(); }

DeckMixerCountSource g_mixerCount = SystemMixerCount;

const char* const kDeckSections[4] = {"DECKA", "DECKB", "DECKC", "DECKD"};
const int kMaxSampleTime = 3600;

// An integer of "TavrixVJ.INI"; the default when the key is missing.
int IniInt(const char* section, const char* key, int fallback)
{
    const CString text = GetIniString(section, key);
    if (text.IsEmpty())
        return fallback;
    // Held to the int range (atoi's overflow is undefined).
    const long long value = strtoll(text, nullptr, 10);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

} // namespace

DeckMixerCountSource DeckSetMixerCountSource(DeckMixerCountSource source)
{
    DeckMixerCountSource previous = g_mixerCount;
    g_mixerCount = source ? source : SystemMixerCount;
    return previous;
}

Deck::Deck(DeckHost* host) : m_host(host)
{
    m_playerMode = IniInt("MAIN", "AudioDeckPlayerMode", 0);
    m_wavScaleValue = IniInt("MAIN", "WAVScaleValue", 400);
    m_lookupArt = IniInt("MAIN", "LookupArt", 0) != 0;
    m_useRandomArt = IniInt("MAIN", "UseRandomArt", 0) != 0;
}

Deck::~Deck()
{
    // The worker's jobs and the in-memory file go first (audio/loading).
    SetLoadHost(nullptr);
    CloseDirectDecoder();
    CloseMemoryDecoder();
    FreeMemoryFile();
    // The player's destructor ends its server and feedback threads before
    // it returns; its window goes first, so nothing they still post
    // reaches this deck.
    delete m_player;
    m_player = nullptr;
}

DeckPlayer* Deck::CreatePlayer(HINSTANCE instance) { return new DeckPlayer(instance); }

bool Deck::Init(HWND mainWindow, int deck)
{
    m_mainWindow = mainWindow;
    m_deck = deck;
    const int mixers = static_cast<int>(g_mixerCount());
    if (!m_player)
        m_player = CreatePlayer(GetModuleHandleA(nullptr));
    if (m_playerMode == 0 && deck >= 0 && deck <= 3) {
        int mains = 0, monitor = 0;
        if (m_host) {
            mains = m_host->DeckSettings().outputDevice[deck];
            monitor = m_host->DeckSettings().monitorDevice[deck];
        }
        mains = DeckDeviceForMixers(mains, mixers);
        monitor = DeckDeviceForMixers(monitor, mixers);
        m_player->Setup(m_host, mainWindow, mains, monitor, DeckPlayerName(deck).c_str(), deck);
    }
    if (deck >= 0 && deck <= 3)
        m_noHistory = IniInt(kDeckSections[deck], "NoHistory", 0) != 0;
    m_loaded = false;
    m_muted = false;
    m_equalizerOn = false;
    LoadPreProcessSettings();
    return true;
}

void Deck::LoadPreProcessSettings()
{
    m_preProcess = IniInt("MAIN", "PreProcess", 0) != 0;
    // Seconds to scan, at most an hour: the scan counts SampleTime x 38
    // frames, which a typed-in huge number would overflow.
    m_sampleTime = IniInt("MAIN", "SampleTime", 0);
    if (m_sampleTime > kMaxSampleTime)
        m_sampleTime = kMaxSampleTime;
    m_checkBpm = IniInt("MAIN", "CheckBPM", 0) != 0;
    m_findStart = IniInt("MAIN", "FindStart", 0) != 0;
    m_findStartLevel = IniInt("MAIN", "FindStartLevel", 0);
    m_agc = IniInt("MAIN", "AGC", 0) != 0;
    m_agcLevel = IniInt("MAIN", "AGCLevel", 0);
}

// --- transport ------------------------------------------------------------

void Deck::Play()
{
    m_player->Command(CM_PLAY);
    m_paused = false;
}

void Deck::Pause()
{
    m_player->Command(CM_PAUSE);
    m_paused = true;
}

void Deck::Stop()
{
    // Playing from memory answers the stop request; the player is stopped
    // all the same, so a stop never leaves a deck playing.
    if (m_host && m_host->DeckSettings().decode && m_host->DeckSettings().bufferFile)
        m_stopRequest = true;
    m_player->Command(CM_STOP);
    m_player->Command(CM_OUTPUT_RESET);
    m_player->SetPosition(0);
    if (m_host && m_host->DeckWindow())
        PostMessageA(m_host->DeckWindow(), WM_DECK_TIME, static_cast<WPARAM>(m_deck), 0);
    m_paused = false;
    if (m_loopOn) {
        m_loopOn = false;
        SetLoopLight(false);
    }
}

void Deck::SeekToStart()
{
    const int state = m_player->GetState();
    if (state == DECK_STATE_PLAYING || state == DECK_STATE_PAUSED)
        m_player->Seek(0, TrackLength());
}

int Deck::SeekTo(int seconds)
{
    m_player->Seek(seconds, TrackLength());
    return 0;
}

void Deck::SeekForward(int seconds)
{
    m_player->Seek(m_player->GetPosition() + seconds, TrackLength());
}

void Deck::SeekBackward(int seconds)
{
    const int target = m_player->GetPosition() - seconds;
    if (target > 0)
        m_player->Seek(target, TrackLength());
}

void Deck::ToggleMute()
{
    if (m_muted) {
        m_player->Command(CM_OUTPUT_UNMUTE);
        m_muted = false;
    } else {
        m_player->Command(CM_OUTPUT_MUTE);
        m_muted = true;
    }
}

void Deck::SetPitch(int value)
{
    m_player->Command(CM_ENV_SET_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", value);
}

int Deck::SetFeedbackRate(int perSecond)
{
    m_player->SetFeedbackRate(perSecond);
    return 0;
}

int Deck::SetTimecodeGranularity(int hundredths)
{
    m_player->SetTimecodeGranularity(hundredths);
    return 0;
}

// --- levels, equalizer and routing -------------------------------------------

int Deck::SetMainsVolume(int volume)
{
    m_player->SetMainsVolume(volume);
    return 0;
}

int Deck::SetMonitorVolume(int volume)
{
    m_player->SetMonitorVolume(volume);
    return 0;
}

int Deck::GetMonitorVolume() const { return m_player->GetMonitorVolume(); }

int Deck::SetEqualizer(int low, int mid, int high)
{
    m_player->SetEqualizer(low, mid, high);
    m_equalizerOn = true;
    return 0;
}

int Deck::EqualizerOff()
{
    m_player->EqualizerOff();
    m_equalizerOn = false;
    return 0;
}

void Deck::RouteToMains() { m_player->SelectMainsDevice(); }
void Deck::RouteToMonitor() { m_player->SelectMonitorDevice(); }
bool Deck::IsOnMonitor() const { return m_player->IsOnMonitor(); }
void Deck::SetMainsDevice(int index) { m_player->SetMainsDevice(index); }
void Deck::SetMonitorDevice(int index) { m_player->SetMonitorDevice(index); }
int Deck::GetMainsDevice() const { return m_player->GetMainsDevice(); }
int Deck::GetMonitorDevice() const { return m_player->GetMonitorDevice(); }
bool Deck::MainsEqualsMonitor() const { return m_player->MainsEqualsMonitor(); }
void Deck::FillMainsDeviceCombo(CComboBox* combo) const { m_player->FillMainsDeviceCombo(combo); }
void Deck::FillMonitorDeviceCombo(CComboBox* combo) const { m_player->FillMonitorDeviceCombo(combo); }

// --- state and display ---------------------------------------------------------

int Deck::GetState() const { return m_player->GetState(); }
int Deck::GetPosition() const { return m_player->GetPosition(); }

void Deck::SetLoopIn() { m_loopIn = m_player->GetPosition(); }
void Deck::SetLoopOut() { m_loopOut = m_player->GetPosition(); }

void Deck::SetLoopLight(bool on)
{
    // Only decks A and B have loop lights in the main window.
    if (m_host && (m_deck == 0 || m_deck == 1))
        m_host->SetDeckLoopLight(m_deck, on);
}

bool Deck::ToggleLoop()
{
    if (m_loopOn) {
        m_loopOn = false;
        SetLoopLight(false);
        return true;
    }
    if (m_loopIn < m_loopOut) {
        m_loopOn = true;
        SetLoopLight(true);
        return true;
    }
    ShowMessage("Loop In needs to be less than loop out.");
    return false;
}

void Deck::RefreshDisplay()
{
    if (m_host)
        m_host->UpdateDeckDisplay(m_deck);
}

void Deck::ClearTagInfo(TAG_INFO& tags)
{
    tags = TAG_INFO();
}

void Deck::ClearTrackInfo()
{
    ClearTagInfo(m_tags);
    m_tags.Title = DeckResetTitle(m_deck).c_str();
}

int Deck::Reset()
{
    CloseDirectDecoder();
    m_player->Command(CM_STOP);
    m_player->Command(CM_INPUT_CLOSE);
    m_player->Command(CM_OUTPUT_CLOSE);
    m_player->Command(CM_OUTPUT_RESET);
    ClearTagInfo(m_tags);
    // No input is opened again: the engine takes an open without a name
    // as the last name, which would load the track back into the deck.
    m_tags.Title = DeckLoadTitle(m_deck).c_str();
    RefreshDisplay();
    return 0;
}

// --- cue points ------------------------------------------------------------------

void Deck::SetCue(int cue, int32_t seconds)
{
    if (cue < 1 || cue > 2)
        return;
    m_cueSet[cue - 1] = true;
    m_cue[cue - 1] = seconds;
}

bool Deck::IsCueSet(int cue) const { return cue >= 1 && cue <= 2 && m_cueSet[cue - 1]; }
int32_t Deck::GetCue(int cue) const { return cue >= 1 && cue <= 2 ? m_cue[cue - 1] : 0; }

void Deck::ClearCues()
{
    m_cueSet[0] = m_cueSet[1] = false;
    m_cue[0] = m_cue[1] = 0;
}
